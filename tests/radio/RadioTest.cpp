// The radio object and the radio pair, against the real simulated radio.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "RecordingMessageSink.h"
#include "TempProgramDir.h"
#include "VaroSimProbe.h"
#include "radio/TRadioPair.h"

namespace {

const std::string kSim = std::string(TALVEX_DEVICES_DIR) + "/VaroSim.dll";

// Connects radio 1 of a pair to the simulated radio.
void ConnectSim(TRadioPair& pair, int side = 1, const std::string& lib = kSim) {
  std::string port = "COM3";
  pair.CreateRadio(side, "Varo", lib, "Varo,VaroSim.dll,9600,a,b,c,d,PRPD", platform::kNoEvent, port, false);
}

}  // namespace

TEST(Radio, AFreshRadioShowsItsInitialValues) {
  TRadio radio(1, "Varo", kSim);
  EXPECT_EQ(radio.GetFrequencyText(10), "14");
  EXPECT_EQ(radio.GetModeText(4), "None");
  EXPECT_EQ(radio.GetRadioTag(), "NRND");
  EXPECT_EQ(radio.GetTuneStep(), 100);
  EXPECT_EQ(radio.GetKeyerSpeed(), 30);
  EXPECT_FALSE(radio.IsConnected());
  EXPECT_EQ(radio.GetBaudRateText(6), "0");
  radio.RefreshKeyerSpeed();  // without a library the speed becomes 0
  EXPECT_EQ(radio.GetKeyerSpeed(), 0);
  EXPECT_FALSE(radio.ReadFrequency());

  RecordingMessageSink sink;
  EXPECT_EQ(radio.GetMsgId(), -1);
  radio.SetBaudRate("9600");
  radio.SetAutoRepeatStatus(true);
  radio.SetMsgEventHandles(1, 2);
  radio.RunMacro("x");
  radio.ShowKeyboard();  // silent without a library
  EXPECT_EQ(sink.Messages(), (std::vector<std::string>{
                                 "No radio lib--unable to obtain message ID",
                                 "No radio lib--baud rate not changed",
                                 "No radio lib--auto repeat status not set",
                                 "No radio lib--unable to set log request event handle",
                                 "No radio lib--run macro"}));
}

TEST(Radio, TextsCutAndLimit) {
  TRadio radio(1, "Varo", kSim);
  radio.SetFrequency(1000000000);
  EXPECT_EQ(radio.GetFrequencyText(10), "Too large");
  radio.SetFrequency(999999999);
  EXPECT_EQ(radio.GetFrequencyText(10), "999999");
  radio.SetFrequency(14025300);
  EXPECT_EQ(radio.GetFrequencyText(10), "14025");
}

TEST(Radio, ConnectedRadioCachesTheLibrarysState) {
  VaroSimProbe sim(kSim);
  sim.Control("RESET");
  sim.Control("MODES=LSB,USB,CW-R,RTTY-R,FM");
  TRadioPair pair;
  ConnectSim(pair);
  TRadio* radio = pair.GetRadio(1);
  ASSERT_NE(radio, nullptr);
  ASSERT_TRUE(pair.IsRadioConnected(1));
  EXPECT_EQ(radio->ModeNames().size(), 5u);

  sim.Control("FREQ=7025400");
  sim.Control("POWER=1000");
  sim.Control("MODE=2");
  pair.RefreshFrequency(1);
  pair.RefreshOutputPower(1);
  pair.RefreshMode(1);
  EXPECT_EQ(pair.GetFrequencyText(1, 10), "7025");
  std::string power;
  ASSERT_TRUE(pair.GetPowerText(1, 3, power));
  EXPECT_EQ(power, "Too");
  EXPECT_EQ(pair.GetModeText(1, 4), "CW");  // CW-R is logged as CW
  sim.Control("MODE=3");
  pair.RefreshMode(1);
  EXPECT_EQ(pair.GetModeText(1, 5), "RTTY-");  // cut to 5 before the table: its own log mode
  sim.Control("MODE=1");
  pair.RefreshMode(1);
  EXPECT_EQ(pair.GetModeText(1, 4), "PH");

  sim.Control("SPEED=25");
  pair.RefreshKeyerSpeed(1);
  EXPECT_EQ(radio->GetKeyerSpeed(), 25);

  // Both reads wait the read delay before they ask the library.
  std::vector<std::string> seen;
  radio->SetReadPause([&](int ms) { seen.push_back(std::to_string(ms) + " ms after " + std::to_string(sim.Trace().size())); });
  sim.ClearTrace();
  EXPECT_TRUE(pair.ReadFrequency(1));
  EXPECT_TRUE(pair.ReadMode(1));
  EXPECT_EQ(seen, (std::vector<std::string>{"250 ms after 0", "250 ms after 1"}));
  EXPECT_EQ(sim.Calls("READFREQUENCY").size() + sim.Calls("READMODE").size(), sim.Trace().size());

  pair.DisconnectRadio(1);
  EXPECT_FALSE(pair.IsRadioConnected(1));
  EXPECT_EQ(pair.GetFrequencyText(1, 10), "7025");  // cached values stay
}

TEST(Radio, ConnectedMeansLoadedEvenWithoutConnectRadio) {
  TempProgramDir dir;
  RecordingMessageSink sink;
  std::string port = "COM3";

  // A file that is no library: connect fails and nothing is loaded.
  dir.Write("Devices/NotALibrary.dll", "this is not a shared object");
  TRadio broken(1, "Varo", dir.Path("Devices/NotALibrary.dll"));
  EXPECT_EQ(broken.Connect("x", platform::kNoEvent, port, false), 2);
  EXPECT_EQ(sink.Messages(), (std::vector<std::string>{"Must first load DLL library",
                                                       "Library function pConnectRadio not found"}));
  EXPECT_FALSE(broken.IsConnected());

  // A real library without CONNECTRADIO: connect fails, yet it is loaded.
  sink.Clear();
  std::filesystem::copy_file("/lib/x86_64-linux-gnu/libm.so.6", dir.Path("Devices/NoConnect.dll"));
  TRadio loaded(1, "Varo", dir.Path("Devices/NoConnect.dll"));
  EXPECT_EQ(loaded.Connect("x", platform::kNoEvent, port, false), 2);
  EXPECT_EQ(sink.Messages(), (std::vector<std::string>{"Library function pConnectRadio not found"}));
  EXPECT_TRUE(loaded.IsConnected());
}

TEST(RadioPair, SidesWithoutARadioGiveTheirDefaults) {
  TRadioPair pair;
  RecordingMessageSink sink;
  EXPECT_EQ(pair.GetFrequency(1), 0);
  EXPECT_EQ(pair.GetTuneStep(2), 1);
  EXPECT_EQ(pair.GetModeIndex(1), 0);
  EXPECT_EQ(pair.GetFrequencyText(2, 20), "Idle ...");
  EXPECT_EQ(pair.GetModeText(1, 4), "");
  std::string power = "untouched";
  EXPECT_FALSE(pair.GetPowerText(1, 3, power));
  EXPECT_EQ(power, "untouched");
  EXPECT_EQ(pair.GetBaudRateText(1, 6), "0");
  std::string tag = "untouched";
  EXPECT_FALSE(pair.GetRadioTag(3, tag));
  EXPECT_EQ(tag, "untouched");
  EXPECT_EQ(pair.GetVFOMemoryList(1), nullptr);
  EXPECT_EQ(pair.GetMsgId(1), -1);
  EXPECT_FALSE(pair.ReadMode(2));
  EXPECT_FALSE(pair.SetActiveRadio(1));
  EXPECT_EQ(pair.GetFrequency(7), 0);
  pair.SetBaudRate(3, "9600");
  pair.StopAutoRepeatMessage();
  EXPECT_TRUE(sink.Messages().empty());
}

TEST(RadioPair, ActiveSideFollowsConnections) {
  VaroSimProbe sim(kSim);
  sim.Control("RESET");
  TRadioPair pair;
  ConnectSim(pair, 1);
  ConnectSim(pair, 2);
  EXPECT_TRUE(pair.SetActiveRadio(1));
  EXPECT_EQ(pair.GetActiveSide(), 1);
  EXPECT_FALSE(pair.SetActiveRadio(3));
  EXPECT_EQ(pair.GetActiveSide(), 1);
  pair.DisconnectRadio(1);  // the right radio is still connected
  EXPECT_EQ(pair.GetActiveSide(), 2);
  EXPECT_NE(pair.GetRadio(1), nullptr);  // the radio stays, disconnected
  pair.DisconnectRadio(2);
  EXPECT_EQ(pair.GetActiveSide(), 0);
  std::string tag;
  ASSERT_TRUE(pair.GetRadioTag(5, tag));  // any other side: the left radio's
  EXPECT_EQ(tag, "NRND");
}

TEST(RadioPair, BandLimitsReachBothRadiosByName) {
  TRadioPair pair;
  VaroSimProbe sim(kSim);
  ConnectSim(pair, 1);
  ConnectSim(pair, 2);
  TRadioBand band("40m", 7000, 7300);
  band.SetLimits({"7000", "7300", "7010", "7100", "7150", "7300", "7040", "7100"});
  pair.SetBandLimits(3, band);
  for (int side : {1, 2}) {
    const auto& bands = pair.GetRadio(side)->Bands();
    EXPECT_EQ(bands[2].name.str(), "40M");
    EXPECT_EQ(bands[2].cwMin, 7010) << side;
    EXPECT_EQ(bands[2].ryMax, 7100) << side;
  }
  TRadioBand unknown("11M", 26965, 27405);
  pair.SetBandLimits(1, unknown);  // no band of that name: nothing changes
  EXPECT_EQ(pair.GetRadio(1)->Bands().size(), 11u);
  pair.DisconnectRadio(1);
  pair.DisconnectRadio(2);
}

TEST(RadioRestart, ReadingTakesTheSidesKeysAndKeepsBadValues) {
  TempProgramDir dir;
  dir.Write("r.txt",
            "LEFT_RADIO_FREQUENCY=14.025\r\n"
            "left_radio_tunestep=50  \r\n"
            "LEFT_RADIO_MODE=\n"
            "LEFT_RADIO_MODE=4\n"
            "LEFT_RADIO_RTSDTR=PRPD\n"
            "LEFT_VFO_MEMORY=A,14025000\n"
            "LEFT_VFO_MEMORY\n"
            "LEFT_VFO_MEMORY=B,7010000=junk\n"
            "RIGHT_RADIO_FREQUENCY=7000000\n"
            "RIGHT_VFO_MEMORY=R,1\n"
            "END_OF_RADIORESTART_FILE=YES");
  TRadio left(1, "Varo", kSim);
  left.SetFrequency(3500000);
  left.LoadRadioRestart(dir.Path("r.txt"));
  EXPECT_EQ(left.GetFrequency(), 3500000);  // 14.025 is not a whole number: kept
  EXPECT_EQ(left.GetTuneStep(), 50);        // key in any case, blanks at the end stripped
  EXPECT_EQ(left.GetModeIndex(), 0);        // the first MODE line is empty: kept
  EXPECT_EQ(left.GetRadioTag(), "NRND");    // the tag is never read back
  ASSERT_EQ(left.VFOMemories().size(), 2u);
  EXPECT_EQ(left.VFOMemories()[1].ToText(), "B,7010000");
  left.LoadRadioRestart(dir.Path("r.txt"));
  EXPECT_EQ(left.VFOMemories().size(), 4u);  // reading twice doubles the list

  TRadio right(2, "Varo", kSim);
  right.LoadRadioRestart(dir.Path("r.txt"));
  EXPECT_EQ(right.GetFrequency(), 7000000);
  ASSERT_EQ(right.VFOMemories().size(), 1u);

  dir.Write("right-only.txt", "RIGHT_RADIO_FREQUENCY=7000000\nRIGHT_RADIO_MODE=3\n");
  TRadio untouched(1, "Varo", kSim);
  untouched.LoadRadioRestart(dir.Path("right-only.txt"));
  EXPECT_EQ(untouched.GetFrequency(), 14030);
  EXPECT_EQ(untouched.GetModeIndex(), 0);
}
