// The simulated Varo radio, driven through the real binding (TRadioLib) and
// watched through its test exports.

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "ConnectedSim.h"
#include "CwdaemonProcess.h"
#include "RecordingMessageSink.h"
#include "TempProgramDir.h"
#include "VaroSimProbe.h"
#include "platform/Event.h"
#include "radio/TRadioLib.h"

namespace {

using Lines = std::vector<std::string>;

bool StillMapped(const std::string& path) {
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
  if (handle) dlclose(handle);
  return handle != nullptr;
}

}  // namespace

// Keying CWDAEMON in the devices entry: the simulated radio keys through a
// real cwdaemon, its over event after cwdaemon's end, a silent one told once.
TEST(VaroSim, KeysThroughCwdaemonWhenTheEntrySaysSo) {
  RecordingMessageSink messages;
  CwdaemonProcess cwdaemon;
  ASSERT_TRUE(cwdaemon.Running());
  ConnectedSim sim(DevicesFile("VaroSim.dll"),
                   "Varo,VaroSim,38400,a,b,CWDAEMON:" + std::to_string(cwdaemon.Port()) + ",d,NRND");
  sim.Prepare(0, "PARIS", 40);
  sim.lib.SendMsgAtIndex(1, 0);
  ASSERT_TRUE(Wakes(sim.start));
  ASSERT_TRUE(Wakes(sim.over));
  EXPECT_GE(sim.probe.Query("LASTKEYINGMS"), 0);

  cwdaemon.Kill();
  for (int i = 0; i < 2; ++i) {
    sim.lib.SendMsgAtIndex(1, 0);
    ASSERT_TRUE(Wakes(sim.start));
    ASSERT_TRUE(Wakes(sim.over));
  }
  int told = 0;
  for (const std::string& line : sim.probe.Trace()) told += line.rfind("KEYER(\"No answer from cwdaemon", 0) == 0;
  EXPECT_EQ(told, 1);
}

TEST(VaroSim, CountsMorseInDotUnits) {
  RecordingMessageSink messages;
  ConnectedSim sim;
  struct Case {
    const char* text;
    int units;
  } cases[] = {
      {"PARIS ", 50}, {"PARIS", 43},        {"paris ", 50}, {"PARIS PARIS ", 100},
      {"E", 1},       {"T", 3},             {"EE", 5},      {"E E", 9},
      {"", 0},        {"E#E", 5},           {"  ", 14},     {"CQ", 11 + 3 + 13},
      {"5NN", 9 + 3 + 5 + 3 + 5},
  };
  for (const Case& c : cases) {
    sim.lib.SetMsgAtIndex(1, 5, c.text);
    EXPECT_EQ(sim.probe.Query("UNITS5"), c.units) << '"' << c.text << '"';
  }
}

// The time a message takes is the keyer's (tests/radios/KeyerTest.cpp);
// bench/keyer_bench measures it on the clock.
TEST(VaroSim, KeysAMessageBetweenItsStartAndOverEvents) {
  RecordingMessageSink messages;
  ConnectedSim sim;
  sim.Prepare(0, "PARIS ", 20);
  sim.lib.SendMsgAtIndex(1, 0);
  ASSERT_TRUE(Wakes(sim.start));
  EXPECT_EQ(sim.lib.GetMsgId(1), 0);
  ASSERT_TRUE(Wakes(sim.over));
  EXPECT_EQ(sim.lib.GetMsgId(1), -1);
  EXPECT_TRUE(Eventually([&] { return sim.probe.Query("BUSY") == 0; }));
  EXPECT_GE(sim.probe.Query("LASTKEYINGMS"), 0) << "a message that ran to its end is a keyed one";
  EXPECT_EQ(sim.probe.Query("STARTS"), 1);
  EXPECT_TRUE(messages.Messages().empty());
}

TEST(VaroSim, StopEndsTheMessageAtOnceAndCancelsTheRepeat) {
  RecordingMessageSink messages;
  ConnectedSim sim;
  sim.Prepare(0, "CQ CQ CQ DE TEST TEST K", 5);  // about a minute
  sim.lib.SetAutoRepeatDelayTime(1, "1");
  sim.lib.SetAutoRepeatStatus(1, true);
  sim.lib.SendMsgAtIndex(1, 0);
  ASSERT_TRUE(Wakes(sim.start));
  EXPECT_EQ(sim.lib.GetMsgId(1), 0);

  sim.lib.StopAutoRepeatMessage(1);
  ASSERT_TRUE(Wakes(sim.over));
  EXPECT_EQ(sim.lib.GetMsgId(1), -1);
  EXPECT_TRUE(Eventually([&] { return sim.probe.Query("BUSY") == 0; })) << "the repeat was not cancelled";
  EXPECT_EQ(sim.probe.Query("LASTKEYINGMS"), -1) << "a stopped message is not a keyed one";
  EXPECT_EQ(sim.probe.Query("STARTS"), 1);
  EXPECT_EQ(sim.probe.Query("AUTOREPEAT"), 1) << "stopping leaves the Auto CQ switch alone";

  // Stopping while nothing is sent sets no event.
  sim.lib.StopAutoRepeatMessage(1);
  EXPECT_FALSE(IsSet(sim.over));
}

TEST(VaroSim, AutoCqRepeatsSlotZeroAfterTheDelayWhileOn) {
  RecordingMessageSink messages;
  ConnectedSim sim;
  sim.Prepare(0, "E", 60);
  sim.Prepare(1, "T", 60);
  sim.lib.SetAutoRepeatDelayTime(1, "1");
  sim.lib.SetAutoRepeatStatus(1, true);

  sim.lib.SendMsgAtIndex(1, 0);
  ASSERT_TRUE(Wakes(sim.start));
  ASSERT_TRUE(Wakes(sim.over));
  EXPECT_EQ(sim.probe.Query("BUSY"), 1) << "waiting to repeat";
  ASSERT_TRUE(Wakes(sim.start));
  EXPECT_EQ(sim.lib.GetMsgId(1), 0);
  ASSERT_TRUE(Wakes(sim.over));

  // Switching Auto CQ off ends the cycle after the message.
  sim.lib.SetAutoRepeatStatus(1, false);
  EXPECT_TRUE(Eventually([&] { return sim.probe.Query("BUSY") == 0; }));
  int starts = sim.probe.Query("STARTS");
  EXPECT_GE(starts, 2);

  // Other slots never repeat.
  Drain(sim.start);
  Drain(sim.over);
  sim.lib.SetAutoRepeatStatus(1, true);
  sim.lib.SendMsgAtIndex(1, 1);
  ASSERT_TRUE(Wakes(sim.start));
  ASSERT_TRUE(Wakes(sim.over));
  EXPECT_TRUE(Eventually([&] { return sim.probe.Query("BUSY") == 0; }));
  EXPECT_EQ(sim.probe.Query("STARTS"), starts + 1);
}

TEST(VaroSim, SendingAnotherMessageEndsTheCurrentOne) {
  RecordingMessageSink messages;
  ConnectedSim sim;
  sim.Prepare(0, "CQ CQ CQ DE TEST TEST K", 5);
  sim.Prepare(2, "TU", 5);
  sim.lib.SendMsgAtIndex(1, 0);
  ASSERT_TRUE(Wakes(sim.start));
  sim.lib.SendMsgAtIndex(1, 2);
  ASSERT_TRUE(Wakes(sim.over));
  ASSERT_TRUE(Wakes(sim.start));
  EXPECT_EQ(sim.lib.GetMsgId(1), 2);

  // Slots outside 0..5 are ignored.
  sim.lib.SendMsgAtIndex(1, 6);
  EXPECT_EQ(sim.lib.GetMsgId(1), 2);
  sim.lib.StopAutoRepeatMessage(1);
  ASSERT_TRUE(Wakes(sim.over));
}

TEST(VaroSim, StateChangesSetTheRadioChangeEventAndQuestionsDoNot) {
  RecordingMessageSink messages;
  ConnectedSim sim;
  const std::vector<std::pair<std::string, std::function<void()>>> changes = {
      {"FREQ", [&] { sim.probe.Control("FREQ=7030000"); }},
      {"KNOB", [&] { sim.probe.Control("KNOB=-3"); }},
      {"MODE", [&] { sim.probe.Control("MODE=CW-R"); }},
      {"POWER", [&] { sim.probe.Control("POWER=5"); }},
      {"SPEED", [&] { sim.probe.Control("SPEED=28"); }},
      {"RIT", [&] { sim.probe.Control("RIT=ON"); }},
      {"XITFREQ", [&] { sim.probe.Control("XITFREQ=200"); }},
      {"SUPPORTSXIT", [&] { sim.probe.Control("SUPPORTSXIT=NO"); }},
      {"SETBAUDRATE", [&] { sim.lib.SetBaudRate(1, "19200"); }},
      {"STOREVFOMEMORY", [&] { sim.lib.StoreVFOMemory(1, "C,3525000"); }},
      {"RUNMACRO", [&] { sim.lib.RunMacro(1, "Band Up"); }},
      {"READFREQUENCY", [&] { sim.lib.ReadFrequency(1); }},
      {"READMODE", [&] { sim.lib.ReadMode(1); }},
  };
  for (const auto& [what, change] : changes) {
    change();
    EXPECT_TRUE(IsSet(sim.change)) << what;
  }
  EXPECT_EQ(sim.lib.GetFrequency(1), 10125000);  // 7029970 and a band up
  EXPECT_EQ(sim.lib.GetMode(1), 3);
  EXPECT_EQ(sim.lib.GetOutputPower(1), 5);
  EXPECT_EQ(sim.lib.GetKeyerSpeed(1), 28);
  EXPECT_EQ(sim.lib.GetBaudRate(1, 6), "19200");
  EXPECT_FALSE(sim.lib.RadioSupportsXit());
  sim.lib.GetRitIsOn(1);
  sim.lib.GetRitFreq(1);
  sim.lib.GetXitIsOn(1);
  sim.lib.GetXitFreq(1);
  sim.lib.GetMsgId(1);
  EXPECT_FALSE(IsSet(sim.change)) << "the listener's own questions must not wake it again";

  // Unknown commands and values are refused.
  for (const char* bad : {"FREQ=abc", "MODE=PSK31", "SPEED=0", "WARP=9", "EVENT=NOPE"}) {
    EXPECT_EQ(sim.probe.TryControl(bad), 0) << bad;
  }
}

TEST(VaroSim, RaisesEachEventOnRequest) {
  RecordingMessageSink messages;
  ConnectedSim sim;
  const std::pair<const char*, platform::EventHandle> events[] = {
      {"EVENT=RADIOCHANGE", sim.change},
      {"EVENT=LOGREQUEST", sim.logRequest},
      {"EVENT=MSGSTART", sim.start},
      {"EVENT=MSGOVER", sim.over},
  };
  for (const auto& [command, event] : events) {
    sim.probe.Control(command);
    for (const auto& [other, otherEvent] : events) {
      EXPECT_EQ(IsSet(otherEvent), otherEvent == event) << command << " / " << other;
    }
  }
}

TEST(VaroSim, MacrosActOnTheRadio) {
  RecordingMessageSink messages;
  ConnectedSim sim;
  std::vector<std::string> names;
  sim.lib.GetMacroNames(1, names);
  EXPECT_EQ(names, (Lines{"Zero RIT", "Toggle RIT", "Toggle XIT", "Band Up", "Band Down"}));
  sim.lib.RunMacro(1, "band down");
  EXPECT_EQ(sim.lib.GetFrequency(1), 10125000);
  sim.probe.Control("RITFREQ=250");
  sim.lib.RunMacro(1, " Zero RIT ");
  EXPECT_EQ(sim.lib.GetRitFreq(1), 0);
  sim.lib.RunMacro(1, "Toggle RIT");
  EXPECT_TRUE(sim.lib.GetRitIsOn(1));
  sim.lib.RunMacro(1, "Self Destruct");
  EXPECT_EQ(sim.lib.GetFrequency(1), 10125000);
}

TEST(VaroSim, RadiosOneAndTwoAreSeparateAndOthersIgnored) {
  RecordingMessageSink messages;
  ConnectedSim sim;
  sim.probe.Control("RESET", 2);
  sim.probe.Control("FREQ=3525000", 2);
  EXPECT_EQ(sim.lib.GetFrequency(2), 3525000);
  EXPECT_EQ(sim.lib.GetFrequency(1), 14025000);
  EXPECT_EQ(sim.lib.GetFrequency(3), 0);
  EXPECT_EQ(sim.lib.GetMsgId(3), -1);
  EXPECT_EQ(sim.probe.TryControl("FREQ=1", 3), 0);
  sim.lib.SendMsgAtIndex(2, 0);  // radio 2 was never connected here
  EXPECT_EQ(sim.probe.Query("BUSY", 2), 0);
}

TEST(VaroSim, DisconnectStopsTheKeyerAndForgetsTheEvents) {
  RecordingMessageSink messages;
  TempProgramDir dir;
  std::string path = dir.Path("Devices/Gone.dll");
  std::filesystem::copy_file(DevicesFile("VaroSim.dll"), path);
  {
    ConnectedSim sim(path);
    sim.Prepare(0, "CQ CQ CQ DE TEST TEST K", 5);
    sim.lib.SendMsgAtIndex(1, 0);
    ASSERT_TRUE(Wakes(sim.start));
    {
      VaroSimProbe watcher(path);
      sim.lib.DisconnectRadio(1);
      EXPECT_TRUE(IsSet(sim.over)) << "the message in progress ends with its over event";
      EXPECT_EQ(watcher.Query("KEYER"), 0);
      EXPECT_EQ(watcher.Query("CONNECTED"), 0);
      EXPECT_EQ(watcher.TryControl("EVENT=RADIOCHANGE"), 0);
      EXPECT_EQ(watcher.Calls("DISCONNECTRADIO"), Lines{"DISCONNECTRADIO(1)"});
    }
    EXPECT_FALSE(sim.lib.IsLoaded());
  }
  EXPECT_FALSE(StillMapped(path));
}

TEST(VaroSim, UnloadingWithoutDisconnectStopsTheKeyerFirst) {
  RecordingMessageSink messages;
  TempProgramDir dir;
  std::string path = dir.Path("Devices/Abrupt.dll");
  std::filesystem::copy_file(DevicesFile("VaroSim.dll"), path);
  platform::EventHandle start = platform::NewEvent();
  platform::EventHandle over = platform::NewEvent();
  {
    TRadioLib lib(path);
    std::string port = "COM1";
    ASSERT_TRUE(lib.ConnectRadio(1, "Varo,Abrupt,9600,a,b,c,d,NRND", 0, port, true));
    lib.SetMsgEventHandles(1, start, over);
    Drain(start);
    Drain(over);
    lib.SetMsgAtIndex(1, 0, "CQ CQ CQ DE TEST TEST K");
    lib.SendMsgAtIndex(1, 0);
    ASSERT_TRUE(Wakes(start));
    lib.UnloadRadioLib();  // the library's own clean-up must stop its thread
    EXPECT_TRUE(IsSet(over));
  }
  EXPECT_FALSE(StillMapped(path));
  platform::CloseEvent(start);
  platform::CloseEvent(over);
}

TEST(VaroSim, TurnedOffRadioKeysNothingUntilConnectedAgain) {
  RecordingMessageSink messages;
  ConnectedSim sim;
  sim.Prepare(0, "CQ CQ CQ DE TEST TEST K", 5);
  sim.lib.SendMsgAtIndex(1, 0);
  ASSERT_TRUE(Wakes(sim.start));
  sim.lib.TurnOffRadio(1);
  ASSERT_TRUE(Wakes(sim.over));
  EXPECT_EQ(sim.probe.Query("POWEREDON"), 0);
  ASSERT_TRUE(Eventually([&] { return sim.probe.Query("BUSY") == 0; }));
  sim.lib.SendMsgAtIndex(1, 0);
  EXPECT_EQ(sim.probe.Query("BUSY"), 0) << "an accepted message is busy at once";
  std::string port = "COM4";
  ASSERT_TRUE(sim.lib.ConnectRadio(1, "Varo,VaroSim,38400,a,b,c,d,NRND", sim.change, port, true));
  EXPECT_EQ(sim.probe.Query("POWEREDON"), 1);
}
