#include <gtest/gtest.h>

#include <algorithm>

#include "RecordingMessageSink.h"
#include "TempProgramDir.h"
#include "app/TTalvexApp.h"

TEST(TTalvexApp, FileSetFollowsTheModulePath) {
  TempProgramDir dir;
  TTalvexApp app;
  EXPECT_EQ(app.Files().programDir.str(), dir.Dir());
  app.BuildFileSet("/A/B/prog");
  EXPECT_EQ(app.Files().documentsDir.str(), "/A/B/Documents/");
  EXPECT_EQ(app.Files().devicesFile.str(), "/A/B/Devices/Dravel_DEVICES.txt");
  EXPECT_EQ(app.Files().defaultLogFile.str(), "/A/B/Logs/Dravel_DEFAULTLOG.txt");
  EXPECT_EQ(app.Files().restartFile.str(), "/A/B/Dravel_RESTART.txt");
  EXPECT_EQ(app.Files().radioRestartFile.str(), "/A/B/Dravel_RADIORESTART.txt");
  EXPECT_EQ(app.Files().messageTemplateFile.str(), "/A/B/Dravel_MSGTEMPLATE.txt");
  EXPECT_EQ(app.Files().logsDir.str(), "/A/B/Logs/");
  // Every path is cut at 260 characters.
  app.BuildFileSet("/" + std::string(300, 'd') + "/prog");
  EXPECT_EQ(app.Files().iniFile.str().size(), 260u);
}

TEST(TTalvexApp, DefaultsBeforeAnyFileIsRead) {
  TempProgramDir dir;
  TTalvexApp app;
  EXPECT_EQ(app.Bands().size(), 11u);
  EXPECT_EQ(app.Bands().front().name.str(), "160M");
  EXPECT_EQ(app.Bands()[4].fccMax, 14350);
  EXPECT_EQ(app.Bands().back().fccMinHz, 144000000);
  for (int w : app.Options().columnWidths) EXPECT_EQ(w, 70);
  EXPECT_EQ(app.Options().autoCqDelay, 3);
  EXPECT_EQ(app.Options().radioComPort.str(), "COM0");
  EXPECT_EQ(app.Options().radioBaud.str(), "9600");
  EXPECT_EQ(app.Options().sioLogParity.str(), "None");
  EXPECT_EQ(app.Options().sioLogDataBits.str(), "8");
  EXPECT_TRUE(app.TakeFirstActivation());
  EXPECT_FALSE(app.TakeFirstActivation());
  EXPECT_FALSE(app.RestartFileRead());
  EXPECT_FALSE(app.Options().wantAutoCq);
  EXPECT_EQ(app.GetLocalLogType(), kLogTypeArrl);
  EXPECT_EQ(app.Files().namesFile.str(), "");
}

TEST(TTalvexApp, IniKeysFollowTheirRules) {
  TempProgramDir dir;
  dir.Write("Dravel_INI.txt",
            "VERSION=12345678901234567890\r\n"
            "restart_file=my.txt\n"
            "NAMES_HISTORY_FILE = blanks.txt\n"
            "CHECK_REVISIONS_URL=a=b\n"
            "NAMES_HISTORY_FILE=first.txt\n"
            "NAMES_HISTORY_FILE=names.txt\n"
            "UNKNOWN=x\n"
            "novalue\n"
            "=\n"
            "FREQ_ALLOCATION_EXTRA=extra.txt\n");
  TTalvexApp app;
  ASSERT_TRUE(app.ReadIniFile());
  EXPECT_EQ(app.Files().version.str(), "12345678901234");
  EXPECT_EQ(app.Files().restartFile.str(), dir.Path("my.txt"));
  EXPECT_EQ(app.Files().namesFile.str(), dir.Path("Documents/names.txt"));  // the later line wins
  EXPECT_EQ(app.Files().revisionsUrl.str(), "a");
  EXPECT_EQ(app.Files().allocationExtraFile.str(), dir.Path("Documents/extra.txt"));
  EXPECT_EQ(app.Files().devicesDir.str(), dir.Path("Devices/"));  // paths untouched by VERSION
}

TEST(TTalvexApp, MissingIniStopsTheStartWithTwoMessages) {
  TempProgramDir dir;
  RecordingMessageSink sink;
  TTalvexApp app;
  EXPECT_FALSE(app.OpenDataFiles());
  EXPECT_EQ(sink.Messages(), (std::vector<std::string>{"COULD NOT OPEN INI FILE", "Ini file is missing"}));
}

TEST(TTalvexApp, ActivityTraceOnlyWhenSwitchedOn) {
  TempProgramDir dir;
  TTalvexApp app;
  app.TraceActivity("OPEN_RESTART");
  EXPECT_FALSE(dir.Exists("Dravel_ACTIVITY.txt"));
  app.SetActivityTrace(true);
  app.TraceActivity("OPEN_RESTART");
  app.TraceActivity("SAVING RESTART FILE");
  std::string text = dir.Read("Dravel_ACTIVITY.txt");
  EXPECT_NE(text.find(": OPEN_RESTART\n"), std::string::npos);
  EXPECT_NE(text.find(": SAVING RESTART FILE\n"), std::string::npos);
  // "ddd mmm dd hh:nn:ss yyyy: " then the message
  EXPECT_EQ(text.find(':'), 13u);
}

TEST(TTalvexApp, SerialPortListHoldsPresentPortsOnceInPortOrder) {
  TempProgramDir dir;
  dir.Write("fake-tty-a", "");
  dir.Write("fake-tty-b", "");
  dir.Write("Devices/Dravel_PORTS.txt",
            "COM10=" + dir.Path("fake-tty-a") + "\n"
            "COM2=" + dir.Path("fake-tty-b") + "\n"
            "COM2=" + dir.Path("fake-tty-a") + "\n"
            "LPT1=" + dir.Path("fake-tty-a") + "\n"
            "COM7=" + dir.Path("no-such-device") + "\n");
  TTalvexApp app;
  EXPECT_GE(app.ListSerialPorts(), 2);
  const auto& ports = app.SerialPorts();
  auto at2 = std::find(ports.begin(), ports.end(), "COM2");
  auto at10 = std::find(ports.begin(), ports.end(), "COM10");
  ASSERT_NE(at2, ports.end());
  ASSERT_NE(at10, ports.end());
  EXPECT_LT(at2, at10);  // port order: COM2 before COM10
  EXPECT_EQ(std::count(ports.begin(), ports.end(), "COM2"), 1);
  EXPECT_EQ(std::find(ports.begin(), ports.end(), "COM7"), ports.end());
  EXPECT_TRUE(app.IsSerialPortListed(" com2\t"));
  EXPECT_FALSE(app.IsSerialPortListed("COM7"));
  EXPECT_FALSE(app.IsSerialPortListed("LPT1"));
}
