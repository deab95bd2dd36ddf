// The application object's radio side against the real simulated radio,
// installed in a program directory of the test's own.

#include <gtest/gtest.h>

#include <filesystem>

#include "RecordingMessageSink.h"
#include "TempProgramDir.h"
#include "VaroSimProbe.h"
#include "app/TTalvexApp.h"
#include "radio/TRadioPair.h"

namespace fs = std::filesystem;

namespace {

const char* kDevices =
    "RADIO=Varo,VaroSim.dll,38400,8N,1,NOHANDSHAKE,20\n"
    "RADIO=Mute,Quiet.dll,4800\n";

// A program directory with the ini file, the devices file and VaroSim.dll.
struct RadioProgramDir {
  TempProgramDir dir;
  RadioProgramDir() {
    dir.Write("Dravel_INI.txt", "VERSION=test\n");
    dir.Write("Devices/Dravel_DEVICES.txt", kDevices);
    fs::copy_file(std::string(TALVEX_DEVICES_DIR) + "/VaroSim.dll", dir.Path("Devices/VaroSim.dll"));
  }
  std::string Sim() const { return dir.Path("Devices/VaroSim.dll"); }
};

// Starts the application object (the names file is missing here, which it
// reports) and connects the simulated radio.
bool OpenAndConnect(TTalvexApp& app) {
  RecordingMessageSink startMessages;
  if (!app.OpenDataFiles()) return false;
  std::string port = "com3";
  return app.ConnectRadio(1, "Varo", "9600", platform::kNoEvent, port, "PRPD");
}

}  // namespace

TEST(AppRadio, ConnectRadioFollowsTheDevicesFileAndTellsTheLibraryWhereItIs) {
  RadioProgramDir program;
  VaroSimProbe sim(program.Sim());
  sim.ClearTrace();
  TTalvexApp app;
  app.SetMainWindowBoundsSource([] { return TTalvexApp::WindowBounds{10, 730, 20, 320}; });
  {
    RecordingMessageSink startMessages;
    ASSERT_TRUE(app.OpenDataFiles());
  }
  std::string port = "com3";
  ASSERT_TRUE(app.ConnectRadio(1, "Varo", "9600", platform::kNoEvent, port, "PRPD"));
  EXPECT_EQ(port, "COM3");  // the library's own spelling comes back
  EXPECT_TRUE(app.IsRadioConnected(1));
  EXPECT_EQ(app.RadioPair().GetActiveSide(), 1);

  const std::string trace = sim.TraceText();
  const auto title = trace.find("INITTITLEBARFLAG(");
  const auto connect = trace.find("CONNECTRADIO(");
  ASSERT_NE(title, std::string::npos) << trace;
  ASSERT_NE(connect, std::string::npos) << trace;
  EXPECT_EQ(trace.find('\n', title) + 1, connect) << trace;  // right before CONNECTRADIO
  const auto connectLine = sim.Calls("CONNECTRADIO").at(0);
  EXPECT_NE(connectLine.find("\"Varo,VaroSim.dll,9600,8N,1,NOHANDSHAKE,20,PRPD\""), std::string::npos)
      << connectLine;
  const std::string devicesDir = program.dir.Path("Devices");  // no trailing separator
  EXPECT_EQ(sim.Calls("SETRADIODIRECTORY").at(0), "SETRADIODIRECTORY(\"" + devicesDir + "\")");
  EXPECT_EQ(sim.Calls("SETCENTEREDFORMSINFO").at(0), "SETCENTEREDFORMSINFO(320, 20, 730, 10, 0)");

  // Already connected: false, and nothing is called again.
  sim.ClearTrace();
  EXPECT_FALSE(app.ConnectRadio(1, "Varo", "9600", platform::kNoEvent, port, "PRPD"));
  EXPECT_TRUE(sim.Calls("CONNECTRADIO").empty());
  app.DisconnectRadio(1);
  EXPECT_FALSE(app.IsRadioConnected(1));
}

TEST(AppRadio, UnknownRadiosAndEntriesWithoutConnectionData) {
  RadioProgramDir program;
  RecordingMessageSink sink;
  TTalvexApp app;
  ASSERT_TRUE(app.OpenDataFiles());
  sink.Clear();
  std::string port = "COM3";
  EXPECT_FALSE(app.ConnectRadio(1, "Nowhere", "9600", platform::kNoEvent, port, "PRPD"));
  EXPECT_TRUE(sink.Messages().empty());
  EXPECT_FALSE(app.ConnectRadio(1, "Mute", "9600", platform::kNoEvent, port, "PRPD"));
  EXPECT_EQ(sink.Messages(), (std::vector<std::string>{"Did not find radio data "}));
  EXPECT_EQ(app.RadioPair().GetRadio(1), nullptr);
}

TEST(AppRadio, MissingDevicesFileStopsTheStart) {
  RadioProgramDir program;
  fs::remove(program.dir.Path("Devices/Dravel_DEVICES.txt"));
  RecordingMessageSink sink;
  TTalvexApp app;
  EXPECT_FALSE(app.OpenDataFiles());
  EXPECT_EQ(sink.Messages(), (std::vector<std::string>{"Could not open the radios file",
                                                       "Could not open the radios file",
                                                       "Supported devices file is missing"}));
}

TEST(AppRadio, RadioRestartFileRoundTrip) {
  RadioProgramDir program;
  {
    VaroSimProbe sim(program.Sim());
    sim.Control("RESET");
    TTalvexApp app;
    ASSERT_TRUE(OpenAndConnect(app));
    sim.Control("FREQ=7025300");
    sim.Control("MODE=3");
    sim.Control("VFOMEMORIES=A,14025000;B,7010000");
    app.PollFrequency(1);
    app.PollMode(1);
    app.RadioPair().GetRadio(1)->SetTuneStep(50);
    app.ApplyBandLimitText("40m,7000,7300,7000,7125,7125,7300,7040,7100");
    sim.ClearTrace();
    ASSERT_TRUE(app.WriteRadioRestartFile());
    EXPECT_EQ(sim.Calls("UPDATEBANDLIMITS"),
              (std::vector<std::string>{"UPDATEBANDLIMITS(\"" + app.Files().radioRestartFile.str() + "\")"}));
    app.DisconnectRadio(1);
  }
  const std::string text = program.dir.Read("Dravel_RADIORESTART.txt");
  EXPECT_EQ(text.rfind("LEFT_RADIO_FREQUENCY=7025300\nLEFT_RADIO_TUNESTEP=50\nLEFT_RADIO_MODE=3\n"
                       "LEFT_RADIO_RTSDTR=NRND\nLEFT_VFO_MEMORY=A,14025000\nLEFT_VFO_MEMORY=B,7010000\n"
                       "BANDLIMIT=160M,1800,2000,1800,2000,1800,2000,1800,2000\n",
                       0),
            0u)
      << text;
  EXPECT_NE(text.find("BANDLIMIT=40M,7000,7300,7000,7125,7125,7300,7040,7100\n"), std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 29), "\nEND_OF_RADIORESTART_FILE=YES");  // no line end after the marker

  // A fresh start reads it back into the radio, its library and the bands.
  VaroSimProbe sim(program.Sim());
  sim.Control("RESET");
  sim.Control("VFOMEMORIES=");
  TTalvexApp app;
  ASSERT_TRUE(OpenAndConnect(app));
  sim.ClearTrace();
  app.ReloadRadioRestart(1);
  TRadio* radio = app.RadioPair().GetRadio(1);
  EXPECT_EQ(radio->GetFrequency(), 7025300);
  EXPECT_EQ(radio->GetTuneStep(), 50);
  EXPECT_EQ(radio->GetModeIndex(), 3);
  EXPECT_EQ(radio->VFOMemories().size(), 2u);
  EXPECT_EQ(sim.Calls("STOREVFOMEMORY").size(), 2u);
  EXPECT_EQ(sim.Query("VFOMEMORIES"), 2);
  EXPECT_EQ(app.Bands()[2].cwMax, 7125);
  EXPECT_EQ(radio->Bands()[2].ryMin, 7040);
  EXPECT_EQ(sim.Calls("UPDATEBANDLIMITS").size(), 1u);
  app.DisconnectRadio(1);
}

TEST(AppRadio, WithoutALeftRadioOnlyBandLimitsAreWritten) {
  RadioProgramDir program;
  RecordingMessageSink sink;
  TTalvexApp app;
  ASSERT_TRUE(app.OpenDataFiles());
  ASSERT_TRUE(app.WriteRadioRestartFile());
  const std::string text = program.dir.Read("Dravel_RADIORESTART.txt");
  EXPECT_EQ(text.rfind("BANDLIMIT=160M,", 0), 0u) << text;
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 11);
  EXPECT_EQ(text.substr(text.size() - 29), "\nEND_OF_RADIORESTART_FILE=YES");
  EXPECT_FALSE(program.dir.Exists("Dravel_RADIORESTART.txt.tmp"));
}

TEST(AppRadio, BandLimitTextsAndLines) {
  RadioProgramDir program;
  TTalvexApp app;
  app.ApplyBandLimitText("20M,14000,14350");  // three pieces: ignored
  std::string text = "untouched";
  ASSERT_TRUE(app.GetBandLimitText("20m", 100, text));
  EXPECT_EQ(text, "14000,14350,14000,14350,14000,14350,14000,14350");
  EXPECT_FALSE(app.GetBandLimitText("11M", 100, text));
  app.ApplyBandLimitText("40m,7000,7300,6900,7125,7125,7400,7000,7300");
  EXPECT_EQ(app.Bands()[2].cwMin, 7000);  // clamped
  EXPECT_EQ(app.Bands()[2].phMax, 7300);
  // The band limits dialog reads the limits as numbers, and writes rows back.
  EXPECT_EQ(app.BandLimits("40m"), (std::array<std::int32_t, 8>{7000, 7300, 7000, 7125, 7125, 7300, 7000, 7300}));
  EXPECT_FALSE(app.BandLimits("11M").has_value());
  app.ApplyBandLimits({{"40M", {"7000", "7300", "7010", "7100", "7150", "7300", "7030", "7060"}}, {"11M", {}}});
  EXPECT_EQ(app.BandLimits("40M")->at(7), 7060);
  EXPECT_NE(program.dir.Read("Dravel_RADIORESTART.txt").find("BANDLIMIT=40M,7000,7300,7010,7100,7150,7300,7030,7060"),
            std::string::npos);

  program.dir.Write("limits.txt",
                    "BANDLIMIT=20M,14000,14350,14000,14070,14150,14350,14070,14100\n"
                    "bandlimit=15M,21000,21450,21001,21002,21003,21004,21005,21006\n"
                    "BANDLIMIT=\n");
  app.ReadRadioSettings(program.dir.Path("limits.txt"));
  EXPECT_EQ(app.Bands()[4].cwMax, 14070);
  EXPECT_EQ(app.Bands()[6].cwMin, 21000);  // only "BANDLIMIT=" in upper case counts
}

TEST(AppRadio, ExpandedMessagesReachTheConnectedRadioInUpperCase) {
  RadioProgramDir program;
  program.dir.Write("Dravel_MSGTEMPLATE.txt",
                    "MSG=CQ,cq test de n0call\nMSG=Reply,@ ur $ $ name !\nMSG=A,a\nMSG=B,b\nMSG=C,c\nMSG=73,tu @ 73\n");
  VaroSimProbe sim(program.Sim());
  TTalvexApp app;
  ASSERT_TRUE(OpenAndConnect(app));
  sim.ClearTrace();
  RecordingMessageSink sink;
  app.LogLine().Edit(kCellStation, "w1aw", {});
  app.LogLine().Edit(kCellName, "hiram", {});
  app.UpdateRadioMessages();
  EXPECT_TRUE(sink.Questions().empty());  // connected: no "Warning no radio"
  const auto calls = sim.Calls("SETMSGATINDEX");
  ASSERT_EQ(calls.size(), 6u);
  EXPECT_EQ(calls[0], "SETMSGATINDEX(\"CQ TEST DE N0CALL\", 0, 1)");
  EXPECT_EQ(calls[1], "SETMSGATINDEX(\"W1AW UR 599 599 NAME HIRAM\", 1, 1)");
  EXPECT_EQ(calls[5], "SETMSGATINDEX(\"TU W1AW 73\", 5, 1)");
  EXPECT_EQ(app.Messages()[1].expanded.str(), "W1AW UR 599 599 NAME HIRAM");

  // The baud rate the radio reports is what the restart file keeps.
  sim.Control("BAUD=19200");
  app.RefreshRadioBaud(1);
  EXPECT_EQ(app.GetRadioBaud(), "19200");
  app.DisconnectRadio(1);
}

TEST(AppRadio, ALibraryWithoutGetBaudRateDoesNotZeroTheStoredBaud) {
  TempProgramDir dir;
  dir.Write("Dravel_INI.txt", "VERSION=test\n");
  dir.Write("Devices/Dravel_DEVICES.txt", "RADIO=Varo,NoBaud.dll,38400,8N,1,NOHANDSHAKE,20\n");
  fs::copy_file(std::string(TALVEX_DEVICES_DIR) + "/VaroSimNoMsgIdBaud.dll", dir.Path("Devices/NoBaud.dll"));
  {
    TTalvexApp app;
    RecordingMessageSink sink;
    ASSERT_TRUE(app.OpenDataFiles());
    app.SetRadioBaud("19200");
    std::string port = "COM3";
    ASSERT_TRUE(app.ConnectRadio(1, "Varo", app.GetRadioBaud(), platform::kNoEvent, port, "PRPD"));
    app.RefreshRadioBaud(1);
    EXPECT_EQ(app.GetRadioBaud(), "19200");
    ASSERT_TRUE(app.WriteRestartFile());  // closing asks the radio for its baud once more
    app.DisconnectRadio(1);
    app.RefreshRadioBaud(1);  // a radio without a library answers "0" too
    EXPECT_EQ(app.GetRadioBaud(), "19200");
  }
  EXPECT_NE(dir.Read("Dravel_RESTART.txt").find("RADIO_BAUD=19200\n"), std::string::npos);
  TTalvexApp next;
  RecordingMessageSink sink;
  ASSERT_TRUE(next.OpenDataFiles());
  EXPECT_EQ(next.GetRadioBaud(), "19200");
}
