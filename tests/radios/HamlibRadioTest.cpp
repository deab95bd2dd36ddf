// HamlibRadio.dll driven through the real binding (TRadioLib), against a
// real rigctld running Hamlib's dummy rig on 127.0.0.1, and against a
// serial model on a silent pseudo-terminal.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

#include "CwdaemonProcess.h"
#include "Eventually.h"
#include "FakeWinKeyer.h"
#include "PanelRadio.h"
#include "QtTestApp.h"
#include "RecordingMessageSink.h"
#include "RigctldProcess.h"
#include "TempProgramDir.h"
#include "VaroSimProbe.h"
#include "platform/Event.h"
#include "platform/Module.h"
#include "radio/TRadioLib.h"

namespace {

using Status = std::map<std::string, std::string>;
using StatusFn = std::int32_t (*)(char*, std::int32_t, std::int32_t);
using PanelRadioFn = radiopanel::PanelRadio* (*)(std::int32_t);

// Radio 1 of a HamlibRadio.dll copied into a program directory of the
// test's own, so that its settings, macros and log files are the test's.
class HamlibUnderTest {
 public:
  HamlibUnderTest() {
    std::filesystem::copy_file(DevicesFile("HamlibRadio.dll"), LibraryPath());
  }
  ~HamlibUnderTest() {
    Disconnect();
    for (auto event : {change, logRequest, start, over}) platform::CloseEvent(event);
  }

  std::string LibraryPath() const { return dir.Path("Devices/HamlibRadio.dll"); }

  /// Connects with the extras (model,path,keying,poll) and the RTS/DTR tag
  /// (",NRND"; a pseudo-terminal has no such lines); every event drained.
  void Connect(const std::string& extras, const std::string& portName = "COM4",
               const std::string& tag = ",NRND") {
    lib = std::make_unique<TRadioLib>(LibraryPath());
    std::string port = portName;
    ASSERT_TRUE(lib->ConnectRadio(1, "Varo,HamlibRadio,19200," + extras + tag, change, port, true));
    lib->SetLogRequestEventHandle(1, logRequest);
    lib->SetMsgEventHandles(1, start, over);
    std::string error;
    m_probe = platform::Module::Load(LibraryPath(), &error);
    ASSERT_TRUE(m_probe.IsLoaded()) << error;
    m_status = reinterpret_cast<StatusFn>(m_probe.Symbol("HAMLIBRADIO_STATUS"));
    ASSERT_NE(m_status, nullptr);
    auto panel = reinterpret_cast<PanelRadioFn>(m_probe.Symbol("HAMLIBRADIO_PANELRADIO"));
    ASSERT_NE(panel, nullptr);
    m_panel = panel(1);
    for (auto event : {change, logRequest, start, over}) Drain(event);
  }
  void ConnectTo(const RigctldProcess& rigctld, int pollMs = 100) {
    Connect("2," + rigctld.Address() + ",RIG," + std::to_string(pollMs));
  }

  /// DISCONNECTRADIO and the unload right after it, as the program does.
  void Disconnect() {
    m_status = nullptr;
    m_panel = nullptr;
    m_probe.Unload();
    if (lib && lib->IsLoaded()) lib->DisconnectRadio(1);
    lib.reset();
  }

  Status Read() const {
    Status status;
    if (!m_status) return status;
    std::string text(static_cast<std::size_t>(m_status(nullptr, 0, 1)) + 1, '\0');
    m_status(text.data(), static_cast<std::int32_t>(text.size() - 1), 1);
    std::size_t pos = 0;
    for (std::size_t end; (end = text.find('\n', pos)) != std::string::npos; pos = end + 1) {
      std::string line = text.substr(pos, end - pos);
      std::size_t eq = line.find('=');
      status[line.substr(0, eq)] = line.substr(eq + 1);
    }
    return status;
  }
  std::string Read(const std::string& key) const { return Read()[key]; }
  /// Radio 1 as its soft panels drive it.
  radiopanel::PanelRadio& Panel() const { return *m_panel; }
  int Number(const std::string& key) const { return std::atoi(Read(key).c_str()); }

  bool LinkBecomes(const std::string& state) const {
    return Eventually([&] { return Read("LINK") == state; });
  }
  /// Waits for this many more completed polls.
  bool Polls(int more) const {
    int until = Number("POLLS") + more;
    return Eventually([&] { return Number("POLLS") >= until; });
  }
  int ModeIndexOf(const std::string& name) {
    std::vector<std::string> names;
    lib->GetModeNames(1, names);
    auto it = std::find(names.begin(), names.end(), name);
    return it == names.end() ? -2 : static_cast<int>(it - names.begin());
  }

  TempProgramDir dir;
  platform::EventHandle change = platform::NewEvent();
  platform::EventHandle logRequest = platform::NewEvent();
  platform::EventHandle start = platform::NewEvent();
  platform::EventHandle over = platform::NewEvent();
  std::unique_ptr<TRadioLib> lib;

 private:
  platform::Module m_probe;
  StatusFn m_status = nullptr;
  radiopanel::PanelRadio* m_panel = nullptr;
};

std::string RigctldLog(const HamlibUnderTest& radio) { return radio.dir.Path("rigctld.log"); }

// A pseudo-terminal whose other end never answers: a radio switched off.
class SilentPort {
 public:
  SilentPort() {
    m_master = posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master >= 0 && grantpt(m_master) == 0 && unlockpt(m_master) == 0) m_device = ptsname(m_master);
  }
  ~SilentPort() {
    if (m_master >= 0) close(m_master);
  }
  const std::string& Device() const { return m_device; }

 private:
  int m_master = -1;
  std::string m_device;
};

}  // namespace

TEST(HamlibRadio, FollowsTheRadioThroughRigctld) {
  RecordingMessageSink messages;
  HamlibUnderTest radio;
  RigctldProcess rigctld(RigctldLog(radio));
  ASSERT_TRUE(rigctld.Running());
  radio.ConnectTo(rigctld);

  // Until the first answer the getters give the neutral values, and the
  // mode names are known at once (the program reads them right after
  // connecting); rigctld's modes are among them.
  std::vector<std::string> modes;
  radio.lib->GetModeNames(1, modes);
  for (const char* mode : {"AM", "CW", "USB", "LSB", "RTTY", "FM", "CWR"})
    EXPECT_NE(std::find(modes.begin(), modes.end(), mode), modes.end()) << mode;
  EXPECT_TRUE(std::all_of(modes.begin(), modes.end(), [](const std::string& m) { return m.size() <= 9; }));
  EXPECT_TRUE(radio.lib->RadioSupportsRit());
  EXPECT_TRUE(radio.lib->RadioSupportsXit());
  EXPECT_EQ(radio.lib->GetBaudRate(1, 6), "19200");

  ASSERT_TRUE(radio.LinkBecomes("UP")) << radio.Read("ERROR");
  EXPECT_EQ(radio.Read("MODELNAME"), "Hamlib NET rigctl");
  EXPECT_EQ(radio.Read("PATH"), rigctld.Address());
  EXPECT_EQ(radio.Number("REPORTS"), 0);

  // Another client turns the knob and changes the mode: the values show up
  // and the radio change event is set.
  ASSERT_TRUE(radio.Polls(1));
  Drain(radio.change);
  rigctld.Rigctl("F 14074000 M CW 500 L RFPOWER 0.5 L KEYSPD 28 J 500 U RIT 1");
  EXPECT_TRUE(Eventually([&] {
    return radio.lib->GetFrequency(1) == 14074000 && radio.lib->GetKeyerSpeed(1) == 28 &&
           radio.lib->GetRitFreq(1) == 500 && radio.lib->GetRitIsOn(1);
  }));
  EXPECT_TRUE(Wakes(radio.change));
  EXPECT_EQ(radio.lib->GetMode(1), radio.ModeIndexOf("CW"));
  EXPECT_EQ(radio.lib->GetOutputPower(1), 50) << "half of the dummy rig's 100 W";
  EXPECT_FALSE(radio.lib->GetXitIsOn(1));

  // A read asked for comes without waiting for the interval; nothing
  // changed, so no event.
  ASSERT_TRUE(radio.Polls(2));
  Drain(radio.change);
  EXPECT_TRUE(radio.lib->ReadMode(1));
  ASSERT_TRUE(radio.Polls(3));
  EXPECT_FALSE(IsSet(radio.change)) << "set without a change";

  rigctld.Rigctl("M USB 2400");
  EXPECT_TRUE(Eventually([&] { return radio.lib->GetMode(1) == radio.ModeIndexOf("USB"); }));

  // Switching off goes to the radio, and the library stops asking it.
  radio.lib->TurnOffRadio(1);
  EXPECT_TRUE(radio.LinkBecomes("OFF"));
  EXPECT_NE(rigctld.Log().find("set_powerstat"), std::string::npos);
  EXPECT_EQ(radio.lib->GetFrequency(1), 14074000) << "the last values stay";
  EXPECT_TRUE(messages.Messages().empty());
}

TEST(HamlibRadio, KeysMessagesWithTheRadiosKeyer) {
  RecordingMessageSink messages;
  HamlibUnderTest radio;
  RigctldProcess rigctld(RigctldLog(radio));
  radio.ConnectTo(rigctld);
  ASSERT_TRUE(radio.LinkBecomes("UP"));
  rigctld.Rigctl("L KEYSPD 60");
  ASSERT_TRUE(Eventually([&] { return radio.lib->GetKeyerSpeed(1) == 60; }));

  // Start, then over after the message's own time at the keyer speed:
  // "PARIS " is 50 dot units, 20 ms each at 60 WPM.
  radio.lib->SetMsgAtIndex(1, 1, "PARIS PARIS ");
  radio.lib->SendMsgAtIndex(1, 1);
  ASSERT_TRUE(Wakes(radio.start));
  EXPECT_EQ(radio.lib->GetMsgId(1), 1);
  // Over comes only once the message has gone: before it, the keyed text
  // grows through shorter parts of the message (each read after over was
  // seen not set).
  const std::string message = "PARIS PARIS";
  std::vector<std::string> parts;
  bool over = false;
  ASSERT_TRUE(Eventually([&] {
    over = IsSet(radio.over);
    const std::string keyed = radio.Panel().State().sending;
    if (!over && !keyed.empty() && keyed.size() < message.size() && (parts.empty() || parts.back() != keyed))
      parts.push_back(keyed);
    return over;
  }));
  EXPECT_GE(parts.size(), 2u) << "over before the message could have gone";
  for (const std::string& part : parts) EXPECT_EQ(message.rfind(part, 0), 0u) << part;
  EXPECT_EQ(radio.lib->GetMsgId(1), -1);
  EXPECT_TRUE(Eventually([&] { return rigctld.Log().find("PARIS PARIS") != std::string::npos; }));
  EXPECT_EQ(radio.Number("MORSESENT"), 1);

  // Stop ends a long message at once (long before its minute is over),
  // and cancels the Auto CQ repeat.
  radio.lib->SetMsgAtIndex(1, 0, "CQ CQ CQ DE TALVEX TALVEX TALVEX K");
  rigctld.Rigctl("L KEYSPD 5");
  ASSERT_TRUE(Eventually([&] { return radio.lib->GetKeyerSpeed(1) == 5; }));
  radio.lib->SetAutoRepeatDelayTime(1, "1");
  radio.lib->SetAutoRepeatStatus(1, true);
  radio.lib->SendMsgAtIndex(1, 0);
  ASSERT_TRUE(Wakes(radio.start));
  EXPECT_EQ(radio.lib->GetMsgId(1), 0);
  radio.lib->StopAutoRepeatMessage(1);
  ASSERT_TRUE(Wakes(radio.over));
  EXPECT_EQ(radio.lib->GetMsgId(1), -1);
  EXPECT_TRUE(Eventually([&] { return radio.Read("KEYERBUSY") == "0"; })) << "the repeat was not cancelled";
  EXPECT_FALSE(IsSet(radio.start));
  ASSERT_TRUE(radio.Polls(2));
  EXPECT_EQ(radio.Read("LINK"), "UP") << "a keyer that cannot be stopped is no lost radio: " << radio.Read("ERROR");
  EXPECT_TRUE(messages.Messages().empty());
}

// F1 over rigctld's dummy rig keyed through a real cwdaemon and through a
// WinKeyer: the radio's own keyer is not asked, the over event follows the
// keyer's end, and a keyer that goes away is told once while the radio
// stays up.
TEST(HamlibRadio, KeysMessagesThroughCwdaemonOrAWinKeyer) {
  struct Case {
    const char* name;
    std::function<std::string(HamlibUnderTest&)> keying;  // sets up the far end
    std::function<void()> goAway;
  };
  std::unique_ptr<CwdaemonProcess> cwdaemon;
  std::unique_ptr<FakeWinKeyer> winKeyer;
  const Case cases[] = {
      {"cwdaemon",
       [&](HamlibUnderTest&) {
         cwdaemon = std::make_unique<CwdaemonProcess>();
         // The connection text has 64 characters: the port alone.
         return "CWDAEMON:" + std::to_string(cwdaemon->Port());
       },
       [&] { cwdaemon->Kill(); }},
      {"WinKeyer",
       [&](HamlibUnderTest& radio) {
         winKeyer = std::make_unique<FakeWinKeyer>();
         radio.dir.Write("Devices/Dravel_PORTS.txt", "COM9=" + winKeyer->Device() + "\n");
         return std::string("WINKEYER:COM9");
       },
       [&] { winKeyer->Unplug(); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingMessageSink messages;
    HamlibUnderTest radio;
    RigctldProcess rigctld(RigctldLog(radio));
    radio.Connect("2," + rigctld.Address() + "," + c.keying(radio) + ",100");
    ASSERT_TRUE(radio.LinkBecomes("UP"));
    ASSERT_TRUE(Eventually([&] {
      const std::string keyer = radio.Read("KEYER");
      return keyer.find(" ANSWERS") != std::string::npos || keyer.find(" UP") != std::string::npos;
    })) << radio.Read("KEYER");
    rigctld.Rigctl("L KEYSPD 40");
    ASSERT_TRUE(Eventually([&] { return radio.lib->GetKeyerSpeed(1) == 40; }));

    radio.lib->SetMsgAtIndex(1, 0, "CQ TEST");
    radio.lib->SendMsgAtIndex(1, 0);
    ASSERT_TRUE(Wakes(radio.start));
    EXPECT_EQ(radio.lib->GetMsgId(1), 0);
    ASSERT_TRUE(Wakes(radio.over));
    if (winKeyer) {
      EXPECT_TRUE(winKeyer->Saw("keyed CQ TEST") && winKeyer->Saw("speed 40"));
      // The speed pot (set up from 10 WPM) is the keyer speed from now on.
      winKeyer->TurnPot(20);
      EXPECT_TRUE(Eventually([&] { return radio.lib->GetKeyerSpeed(1) == 30; }));
    } else {
      EXPECT_NE(radio.Read("KEYER").find("REPLIES=1 "), std::string::npos) << radio.Read("KEYER");
    }
    EXPECT_GE(radio.Number("LASTKEYINGMS"), 0);
    EXPECT_EQ(radio.Number("MORSESENT"), 0) << "the radio's own keyer was asked";
    EXPECT_EQ(rigctld.Log().find("CQ TEST"), std::string::npos);

    c.goAway();
    for (int i = 0; i < 2; ++i) {
      radio.lib->SendMsgAtIndex(1, 0);
      ASSERT_TRUE(Wakes(radio.start));
      ASSERT_TRUE(Wakes(radio.over));
    }
    EXPECT_EQ(radio.Number("REPORTS"), 1) << radio.Read("ERROR");
    EXPECT_NE(radio.Read("ERROR").find(c.name), std::string::npos) << radio.Read("ERROR");
    EXPECT_EQ(radio.Read("LINK"), "UP");
    EXPECT_TRUE(messages.Messages().empty());
    radio.Disconnect();
    if (winKeyer) {
      EXPECT_EQ(winKeyer->Log().front(), "open");
    }
    cwdaemon.reset();
    winKeyer.reset();
  }
}

TEST(HamlibRadio, AutoCqRepeatsTheCqAfterItsDelayUntilSwitchedOff) {
  HamlibUnderTest radio;
  RigctldProcess rigctld(RigctldLog(radio));
  radio.ConnectTo(rigctld);
  ASSERT_TRUE(radio.LinkBecomes("UP"));
  rigctld.Rigctl("L KEYSPD 40");
  ASSERT_TRUE(Eventually([&] { return radio.lib->GetKeyerSpeed(1) == 40; }));
  radio.lib->SetMsgAtIndex(1, 0, "CQ");
  radio.lib->SetAutoRepeatDelayTime(1, "1");
  radio.lib->SetAutoRepeatStatus(1, true);
  radio.lib->SendMsgAtIndex(1, 0);

  // Three rounds of start and over, each round's CQ handed to the radio
  // (the pause's length is the kit keyer's, proven with its own timer).
  for (int round = 0; round < 3; ++round) {
    ASSERT_TRUE(Wakes(radio.start)) << round;
    EXPECT_EQ(radio.lib->GetMsgId(1), 0);
    ASSERT_TRUE(Wakes(radio.over)) << round;
  }
  EXPECT_TRUE(Eventually([&] { return radio.Number("MORSESENT") >= 3; }));

  // Auto CQ off: the round under way ends, no other starts.
  radio.lib->SetAutoRepeatStatus(1, false);
  EXPECT_TRUE(Eventually([&] { return radio.Read("KEYERBUSY") == "0"; }));
  Drain(radio.start);
  Drain(radio.over);
  int sent = radio.Number("MORSESENT");
  ASSERT_TRUE(radio.Polls(3));
  EXPECT_FALSE(IsSet(radio.start));
  EXPECT_EQ(radio.Number("MORSESENT"), sent);
}

TEST(HamlibRadio, ReportsALostRigctldOnceKeepsTheValuesAndRecovers) {
  HamlibUnderTest radio;
  RigctldProcess rigctld(RigctldLog(radio));
  radio.ConnectTo(rigctld);
  ASSERT_TRUE(radio.LinkBecomes("UP"));
  rigctld.Rigctl("F 7030000");
  ASSERT_TRUE(Eventually([&] { return radio.lib->GetFrequency(1) == 7030000; }));

  // A first open that came before rigctld listened was reported already:
  // count from here.
  const int reports = radio.Number("REPORTS");
  const int recoveries = radio.Number("RECOVERIES");
  rigctld.Kill();
  ASSERT_TRUE(radio.LinkBecomes("LOST"));
  EXPECT_EQ(radio.Number("REPORTS"), reports + 1);
  EXPECT_NE(radio.Read("ERROR").find("Lost contact with the radio (Hamlib NET rigctl, model 2 at " +
                                     rigctld.Address() + ")"),
            std::string::npos)
      << radio.Read("ERROR");
  EXPECT_EQ(radio.lib->GetFrequency(1), 7030000) << "the last values stay";
  // Reopening keeps failing without another report.
  int opens = radio.Number("OPENS");
  ASSERT_TRUE(Eventually([&] { return radio.Number("OPENS") >= opens + 2; }));
  EXPECT_EQ(radio.Number("REPORTS"), reports + 1);
  EXPECT_NE(radio.dir.Read("Devices/HamlibRadio_LOG.txt").find("Lost contact"), std::string::npos);

  // rigctld back (a fresh dummy rig): the library reopens and follows it.
  ASSERT_TRUE(rigctld.Start());
  ASSERT_TRUE(radio.LinkBecomes("UP"));
  EXPECT_EQ(radio.Number("RECOVERIES"), recoveries + 1);
  rigctld.Rigctl("F 21025000");
  EXPECT_TRUE(Eventually([&] { return radio.lib->GetFrequency(1) == 21025000; }));
  EXPECT_EQ(radio.Number("REPORTS"), reports + 1);
}

TEST(HamlibRadio, AHungRigctldBlocksNoCallAndDisconnectStillReturns) {
  RecordingMessageSink messages;
  HamlibUnderTest radio;
  RigctldProcess rigctld(RigctldLog(radio));
  radio.ConnectTo(rigctld);
  ASSERT_TRUE(radio.LinkBecomes("UP"));
  rigctld.Rigctl("F 3525000");
  ASSERT_TRUE(Eventually([&] { return radio.lib->GetFrequency(1) == 3525000; }));

  // Stopped, rigctld keeps its socket open and answers nothing: each poll
  // runs into Hamlib's time-out on the worker, never in the caller.
  rigctld.Pause();
  radio.lib->SetMsgAtIndex(1, 0, "CQ");
  radio.lib->SendMsgAtIndex(1, 0);
  radio.lib->ReadFrequency(1);
  ASSERT_TRUE(radio.LinkBecomes("LOST"));
  for (int i = 0; i < 50; ++i) {
    EXPECT_EQ(radio.lib->GetFrequency(1), 3525000);
    radio.lib->GetMode(1);
    radio.lib->GetOutputPower(1);
    radio.lib->GetKeyerSpeed(1);
    radio.lib->GetRitIsOn(1);
    radio.lib->GetXitFreq(1);
    radio.lib->GetBaudRate(1, 6);
    radio.lib->ReadMode(1);
    radio.lib->StopAutoRepeatMessage(1);
  }
  EXPECT_EQ(radio.Number("REPORTS"), 1);

  // The program unloads the library right after DISCONNECTRADIO: it has
  // stopped every thread by then, although rigctld still hangs.
  radio.Disconnect();
  rigctld.Resume();
  EXPECT_TRUE(messages.Messages().empty());
}

TEST(HamlibRadio, ConnectsAndDisconnectsTwentyTimes) {
  HamlibUnderTest radio;
  RigctldProcess rigctld(RigctldLog(radio));
  for (int i = 0; i < 20; ++i) {
    radio.ConnectTo(rigctld, 50);
    if (i % 2 == 0) {
      ASSERT_TRUE(radio.LinkBecomes("UP")) << i;  // odd rounds go before the open ends
    }
    radio.Disconnect();
  }
  rigctld.Rigctl("F 28025000");
  radio.ConnectTo(rigctld);
  EXPECT_TRUE(Eventually([&] { return radio.lib->GetFrequency(1) == 28025000; }));
}

TEST(HamlibRadio, KeepsVfoMemoriesAndRunsMacrosFromItsFile) {
  RecordingMessageSink messages;
  HamlibUnderTest radio;
  radio.dir.Write("Devices/HamlibRadio_MACROS.txt",
                  "# test macros\n"
                  "Forty CW=FREQ 7025000;MODE CW 500;SPEED 22\n"
                  "Broken=FREQ 7025000;TUNE UP\n"
                  "forty cw=FREQ 1\n"
                  "no equals sign here\n");
  RigctldProcess rigctld(RigctldLog(radio));
  radio.ConnectTo(rigctld);

  std::vector<std::string> names;
  radio.lib->GetMacroNames(1, names);
  EXPECT_EQ(names, (std::vector<std::string>{"Forty CW", "Broken"}));

  for (const char* memory : {"A,14025000", "B,7025000", "A,14030000"}) radio.lib->StoreVFOMemory(1, memory);
  std::vector<TVFOMemory> memories;
  radio.lib->GetVFOMemories(1, memories);
  ASSERT_EQ(memories.size(), 2u);
  EXPECT_EQ(memories[0].ToText(), "A,14030000");
  EXPECT_EQ(memories[1].ToText(), "B,7025000");

  ASSERT_TRUE(radio.LinkBecomes("UP"));
  radio.lib->RunMacro(1, "  FORTY cw ");
  EXPECT_TRUE(Eventually([&] {
    return radio.lib->GetFrequency(1) == 7025000 && radio.lib->GetKeyerSpeed(1) == 22 &&
           radio.lib->GetMode(1) == radio.ModeIndexOf("CW");
  }));
  radio.lib->RunMacro(1, "Broken");
  EXPECT_TRUE(Eventually([&] { return radio.Read("ERROR").find("unknown command") != std::string::npos; }))
      << radio.Read("ERROR");
  EXPECT_EQ(radio.Read("LINK"), "UP") << "a bad macro is not a lost radio";
  radio.lib->RunMacro(1, "Nobody");
  EXPECT_TRUE(messages.Messages().empty());
}

TEST(HamlibRadio, ASerialModelThatNeverAnswersIsReportedOnceWhileItWaits) {
  SilentPort pty;
  ASSERT_FALSE(pty.Device().empty());
  HamlibUnderTest radio;
  radio.dir.Write("Devices/Dravel_PORTS.txt", "COM7=" + pty.Device() + "\n");
  radio.dir.Write("Devices/HamlibRadio_CONFIG.txt", "TIMEOUT=200\nRETRY=0\n");
  radio.Connect("3073,-,RIG,200", "COM7", "");  // IC-7300 on the port's device

  EXPECT_EQ(radio.Read("PATH"), pty.Device());
  EXPECT_EQ(radio.Read("MODELNAME"), "Icom IC-7300");
  EXPECT_EQ(radio.Read("TIMEOUT"), "200");
  EXPECT_EQ(radio.Read("RETRY"), "0");
  EXPECT_TRUE(radio.lib->RadioSupportsRit());
  std::vector<std::string> modes;
  radio.lib->GetModeNames(1, modes);
  EXPECT_NE(std::find(modes.begin(), modes.end(), "CW"), modes.end());
  EXPECT_EQ(std::find(modes.begin(), modes.end(), "WFM"), modes.end()) << "the model's own modes only";

  ASSERT_TRUE(Eventually([&] { return radio.Number("REPORTS") == 1; }));
  EXPECT_EQ(radio.Read("LINK"), "WAITING");
  EXPECT_EQ(radio.Read("ERROR").rfind("No answer from the radio (Icom IC-7300, model 3073 at " + pty.Device() + ")", 0),
            0u)
      << radio.Read("ERROR");
  int opens = radio.Number("OPENS");
  ASSERT_TRUE(Eventually([&] { return radio.Number("OPENS") >= opens + 1; }));
  EXPECT_EQ(radio.Number("REPORTS"), 1);
  EXPECT_EQ(radio.lib->GetFrequency(1), 0);
  EXPECT_EQ(radio.lib->GetMode(1), -1);
  EXPECT_EQ(radio.lib->GetOutputPower(1), 0);

  // A message to a radio that is not there ends at once.
  radio.lib->SetMsgAtIndex(1, 0, "CQ CQ CQ DE TALVEX TALVEX TALVEX K");
  radio.lib->SendMsgAtIndex(1, 0);
  ASSERT_TRUE(Wakes(radio.start));
  ASSERT_TRUE(Wakes(radio.over));
  EXPECT_EQ(radio.Number("MORSESENT"), 0);
}

TEST(HamlibRadio, AnOpenStuckOnADeadPortDoesNotHoldUpDisconnect) {
  SilentPort pty;
  HamlibUnderTest radio;
  RigctldProcess rigctld(RigctldLog(radio));
  // An FT-991 with the model's own time-outs takes seconds to give up.
  radio.Connect("1035," + pty.Device() + ",RIG,200", "COM4", "");
  ASSERT_TRUE(Eventually([&] { return radio.Number("OPENS") == 1; }));
  radio.Disconnect();
  EXPECT_NE(radio.dir.Read("Devices/HamlibRadio_LOG.txt").find("the radio's last Hamlib call ends on its own"),
            std::string::npos);
  // The worker still in Hamlib neither keeps the library from coming back
  // nor meddles with the next connection.
  radio.ConnectTo(rigctld);
  ASSERT_TRUE(radio.LinkBecomes("UP")) << radio.Read("ERROR");
  EXPECT_EQ(radio.Read("MODEL"), "2");
  std::vector<std::string> modes;
  radio.lib->GetModeNames(1, modes);
  EXPECT_NE(std::find(modes.begin(), modes.end(), "CW"), modes.end());
  rigctld.Rigctl("F 10110000");
  EXPECT_TRUE(Eventually([&] { return radio.lib->GetFrequency(1) == 10110000; }));
  EXPECT_EQ(radio.Number("REPORTS"), 0);
}

TEST(HamlibRadio, TellsWhatIsMissingFromTheConnection) {
  struct Case {
    const char* extras;
    const char* port;
    const char* error;
  } cases[] = {
      {"3073,-,RIG,200", "COM250", "The serial port \"COM250\" is not in the port table"},
      {"0,-,RIG,200", "COM4", "No Hamlib model: put its number (rigctl -l) in extra1"},
      {"999999,/dev/null,RIG,200", "COM4", "Hamlib has no radio model 999999"},
  };
  for (const Case& c : cases) {
    HamlibUnderTest radio;
    radio.Connect(c.extras, c.port);
    EXPECT_TRUE(radio.LinkBecomes("FAILED")) << c.extras;
    EXPECT_EQ(radio.Read("ERROR").rfind(c.error, 0), 0u) << radio.Read("ERROR");
    EXPECT_EQ(radio.Number("REPORTS"), 1);
    EXPECT_EQ(radio.lib->GetFrequency(1), 0);
  }

  // Model 0 takes the model and rig path saved by the settings dialog; an
  // unknown keying is said, and the poll interval is kept in its range.
  HamlibUnderTest radio;
  RigctldProcess rigctld(RigctldLog(radio));
  radio.dir.Write("Devices/HamlibRadio_CONFIG.txt", "MODEL=2\nPATH=" + rigctld.Address() + "\n");
  radio.Connect("0,-,PADDLE,5");
  EXPECT_TRUE(radio.LinkBecomes("UP")) << radio.Read("ERROR");
  EXPECT_EQ(radio.Read("MODEL"), "2");
  EXPECT_EQ(radio.Read("PATH"), rigctld.Address());
  EXPECT_EQ(radio.Read("POLLMS"), "50");
  EXPECT_EQ(radio.Read("ERROR").rfind("CW keying \"PADDLE\" is not known", 0), 0u) << radio.Read("ERROR");
}

TEST(HamlibPanelRadio, PanelActionsReachTheRadioAndShowInItsState) {
  HamlibUnderTest radio;
  RigctldProcess rigctld(RigctldLog(radio));
  radio.ConnectTo(rigctld);
  ASSERT_TRUE(radio.LinkBecomes("UP")) << radio.Read("ERROR");
  radiopanel::PanelRadio& panel = radio.Panel();

  // The dummy rig behind rigctld has every control a panel offers; VFO B
  // is reached by switching to it (rigctld is not in its VFO mode).
  const radiopanel::PanelAbilities a = panel.Abilities();
  EXPECT_EQ(a.radioName, "Hamlib NET rigctl");
  for (const char* mode : {"AM", "CW", "USB", "LSB", "RTTY", "FM"})
    EXPECT_NE(std::find(a.modeNames.begin(), a.modeNames.end(), mode), a.modeNames.end()) << mode;
  EXPECT_EQ(std::find(a.modeNames.begin(), a.modeNames.end(), "PKTUSB"), a.modeNames.end()) << "the rig's own modes";
  EXPECT_TRUE(a.power && a.keyerSpeed && a.rit && a.xit && a.split && a.vfoB && a.sendText && a.powerOff);
  EXPECT_TRUE(a.sMeter && a.powerMeter && a.swrMeter && a.alcMeter);
  EXPECT_EQ(a.maxPower, 100);
  EXPECT_EQ(a.maxRitOffset, 9990);
  EXPECT_EQ(a.maxXitOffset, 9990);

  // Each action, what rigctl then reads from the rig, and what the panel
  // shows.
  using State = radiopanel::PanelState;
  struct Case {
    const char* what;
    std::function<void()> act;
    const char* query;
    const char* answer;  // the start of rigctl's answer
    std::function<bool(const State&)> shown;
  } cases[] = {
      {"frequency", [&] { panel.SetFrequency('A', 14025000); }, "f", "14025000",
       [](const State& s) { return s.vfoA == 14025000 && s.activeVfo == 'A'; }},
      {"mode with its normal passband", [&] { panel.SetMode("CW"); }, "m", "CW\n500",
       [](const State& s) { return s.mode == "CW"; }},
      {"power in W", [&] { panel.SetPower(40); }, "l RFPOWER", "0.4",
       [](const State& s) { return s.power == 40; }},
      {"keyer speed", [&] { panel.SetKeyerSpeed(31); }, "l KEYSPD", "31",
       [](const State& s) { return s.keyerSpeed == 31; }},
      {"RIT on", [&] { panel.SetRit(true, 300); }, "j u RIT", "300\n1",
       [](const State& s) { return s.ritOn && s.ritOffset == 300; }},
      {"RIT off keeps the offset", [&] { panel.SetRit(false, 300); }, "j u RIT", "300\n0",
       [](const State& s) { return !s.ritOn; }},
      {"XIT", [&] { panel.SetXit(true, -200); }, "z u XIT", "-200\n1",
       [](const State& s) { return s.xitOn && s.xitOffset == -200; }},
      {"split onto VFO B", [&] { panel.SetSplit(true); }, "s", "1\nVFOB",
       [](const State& s) { return s.split; }},
      {"VFO B tuned from A", [&] { panel.SetFrequency('B', 7012000); }, "V VFOB f V VFOA", "7012000",
       [](const State& s) { return s.vfoB == 7012000 && s.vfoA == 14025000 && s.activeVfo == 'A'; }},
      {"VFO B selected", [&] { panel.SelectVfo('B'); }, "f", "7012000",
       [](const State& s) { return s.activeVfo == 'B' && s.vfoB == 7012000 && s.vfoA == 14025000; }},
  };
  for (const Case& c : cases) {
    c.act();
    EXPECT_TRUE(Eventually([&] { return rigctld.Rigctl(c.query).rfind(c.answer, 0) == 0; }))
        << c.what << ": " << rigctld.Rigctl(c.query);
    EXPECT_TRUE(Eventually([&] { return c.shown(panel.State()); })) << c.what;
  }
  State s = panel.State();
  EXPECT_TRUE(s.answering && s.poweredOn && s.problem.empty()) << s.problem;
  EXPECT_GE(s.sUnits, 0);
  EXPECT_EQ(radio.Number("REPORTS"), 0) << radio.Read("ERROR");

  // Free text goes to the radio's keyer, and the panel shows it going.
  rigctld.Rigctl("L KEYSPD 10");
  ASSERT_TRUE(Eventually([&] { return panel.State().keyerSpeed == 10; }));
  panel.SendText("TEST DE TALVEX");
  s = panel.State();
  EXPECT_TRUE(s.transmitting);
  EXPECT_EQ(std::string("TEST DE TALVEX").rfind(s.sending, 0), 0u) << s.sending;
  EXPECT_TRUE(Eventually([&] { return rigctld.Log().find("TEST DE TALVEX") != std::string::npos; }));
  panel.StopSending();
  EXPECT_EQ(panel.State().sending, "");

  panel.TurnOff();
  EXPECT_TRUE(Eventually([&] { return !panel.State().poweredOn && !panel.State().answering; }));
}

TEST(HamlibPanelRadio, AStoppedRigctldBlocksNoPanelActionAndThePanelRecovers) {
  HamlibUnderTest radio;
  RigctldProcess rigctld(RigctldLog(radio));
  radio.ConnectTo(rigctld);
  ASSERT_TRUE(radio.LinkBecomes("UP"));
  radiopanel::PanelRadio& panel = radio.Panel();

  // A knob spun and sliders dragged while rigctld hangs: every call
  // returns, and only the latest value of each waits for the worker.
  rigctld.Pause();
  for (int i = 0; i < 500; ++i) {
    panel.SetFrequency('A', 14000000 + i * 10);
    panel.SetFrequency('B', 7000000 + i * 10);
    panel.SetPower(i % 100);
    panel.SetKeyerSpeed(10 + i % 30);
    panel.SetRit(true, i);
    EXPECT_LE(radio.Number("QUEUED"), 5) << i;
    panel.Abilities();
    panel.State();
  }
  ASSERT_TRUE(Eventually([&] { return !panel.State().answering; }));
  EXPECT_NE(panel.State().problem.find("Lost contact with the radio"), std::string::npos) << panel.State().problem;
  EXPECT_EQ(radio.Read("LINK"), "LOST");

  // Back by itself, and the panel drives the radio again.
  rigctld.Resume();
  EXPECT_TRUE(Eventually([&] { return panel.State().answering; }));
  EXPECT_TRUE(panel.State().problem.empty());
  panel.SetFrequency('A', 21030000);
  EXPECT_TRUE(Eventually([&] { return rigctld.Rigctl("f").rfind("21030000", 0) == 0; }));
  EXPECT_TRUE(Eventually([&] { return panel.State().vfoA == 21030000; }));
}

TEST(HamlibPanelRadio, MetersFollowReceiveAndSendAndMessagesGoFromThePanel) {
  HamlibUnderTest radio;
  RigctldProcess rigctld(RigctldLog(radio));
  radio.ConnectTo(rigctld);
  ASSERT_TRUE(radio.LinkBecomes("UP"));
  radiopanel::PanelRadio& panel = radio.Panel();
  auto asked = [&](const char* level) {
    return rigctld.Log().find(std::string("dummy_get_level called: ") + level) != std::string::npos;
  };

  // Receiving: the S-meter only.
  ASSERT_TRUE(radio.Polls(2));
  EXPECT_TRUE(asked("STRENGTH"));
  for (const char* level : {"RFPOWER_METER", "SWR", "ALC"}) EXPECT_FALSE(asked(level)) << level;

  // Sending a stored message from the panel (the dummy tells no PTT): the
  // transmit meters while it is keyed, and the panel shows it going.
  rigctld.Rigctl("L KEYSPD 5");
  ASSERT_TRUE(Eventually([&] { return panel.State().keyerSpeed == 5; }));
  radio.lib->SetMsgAtIndex(1, 2, "CQ TEST DE TALVEX");
  EXPECT_EQ(panel.State().messages,
            (std::vector<std::string>{"", "", "CQ TEST DE TALVEX", "", "", ""}));
  panel.SendMessage(2);
  ASSERT_TRUE(Wakes(radio.start));
  EXPECT_TRUE(Eventually([&] { return panel.State().transmitting; }));
  EXPECT_TRUE(Eventually([&] { return asked("RFPOWER_METER") && asked("SWR") && asked("ALC"); }));
  const radiopanel::PanelState s = panel.State();
  EXPECT_GE(s.swr, 1.0);
  EXPECT_EQ(std::string("CQ TEST DE TALVEX").rfind(s.sending, 0), 0u) << s.sending;
  panel.StopSending();
  ASSERT_TRUE(Wakes(radio.over));
  EXPECT_FALSE(panel.State().transmitting);
  EXPECT_EQ(radio.lib->GetMsgId(1), -1);

  // What the radio cannot do is dropped, not queued: an unknown mode, no
  // frequency.
  ASSERT_TRUE(Eventually([&] { return radio.Number("QUEUED") == 0; }));
  panel.SetMode("NOSUCHMODE");
  panel.SetFrequency('A', 0);
  EXPECT_EQ(radio.Number("QUEUED"), 0);
  EXPECT_EQ(radio.Read("LINK"), "UP") << radio.Read("ERROR");
}

// Abilities straight from a model's capabilities (known without an
// answer): what it lacks is reported absent, and asked for nothing.
TEST(HamlibPanelRadio, AbilitiesFollowTheModel) {
  SilentPort pty;
  ASSERT_FALSE(pty.Device().empty());
  struct Case {
    const char* model;
    bool power, keyerSpeed, split, vfoB, sMeter, sendText;
    int maxRit, maxXit;
  } cases[] = {
      {"3073", true, true, true, true, true, true, 9999, 9999},    // Icom IC-7300
      {"1020", false, false, true, true, true, false, 9990, 0},    // Yaesu FT-817
      {"25001", false, false, false, false, false, false, 0, 0},  // a bare receiver
  };
  // One copy of the library for every model, as in the program: a copy of
  // its own per model would bring a Hamlib lock of its own, while the last
  // model's open on the silent port may still be running.
  HamlibUnderTest radio;
  for (const Case& c : cases) {
    radio.Connect(std::string(c.model) + "," + pty.Device() + ",RIG,200", "COM4", "");
    // The model's abilities come once the worker has made its handle, after
    // the last model's open has given up.
    radiopanel::PanelAbilities a;
    ASSERT_TRUE(Eventually([&] { return !(a = radio.Panel().Abilities()).modeNames.empty(); })) << c.model;
    EXPECT_EQ(a.power, c.power) << c.model;
    EXPECT_EQ(a.keyerSpeed, c.keyerSpeed) << c.model;
    EXPECT_EQ(a.split, c.split) << c.model;
    EXPECT_EQ(a.vfoB, c.vfoB) << c.model;
    EXPECT_EQ(a.sMeter, c.sMeter) << c.model;
    EXPECT_EQ(a.sendText, c.sendText) << c.model;
    EXPECT_EQ(a.rit, c.maxRit > 0) << c.model;
    EXPECT_EQ(a.maxRitOffset, c.maxRit) << c.model;
    EXPECT_EQ(a.maxXitOffset, c.maxXit) << c.model;
    // Not answering yet: the panel greys and says why; actions go nowhere.
    const radiopanel::PanelState s = radio.Panel().State();
    EXPECT_FALSE(s.answering) << c.model;
    EXPECT_FALSE(s.problem.empty()) << c.model;
    radio.Panel().SetPower(50);
    radio.Panel().SetFrequency('B', 7000000);
    radio.Disconnect();
  }
}

// With a QApplication (last in this file, so the tests above run without one).
TEST(HamlibRadio, SettingsDialogChoosesTheModelForTheNextConnection) {
  QApplication& app = EnsureQtApp();
  auto window = [&](const char* name) -> QWidget* {
    for (QWidget* w : app.topLevelWidgets())
      if (w->objectName() == name && w->isVisible()) return w;
    return nullptr;
  };
  HamlibUnderTest radio;
  RigctldProcess rigctld(RigctldLog(radio));
  radio.Connect("1035,/dev/null,RIG,100");  // some other radio, not there

  radio.lib->ShowConfig(1);
  QWidget* dialog = window("fmHamlibConfig");
  ASSERT_NE(dialog, nullptr);
  auto* models = dialog->findChild<QListWidget*>("lbModels");
  ASSERT_NE(models, nullptr);
  EXPECT_GT(models->count(), 200);
  dialog->findChild<QLineEdit*>("edFilter")->setText("hamlib net");
  std::vector<QListWidgetItem*> shown;
  for (int i = 0; i < models->count(); ++i)
    if (!models->item(i)->isHidden()) shown.push_back(models->item(i));
  ASSERT_FALSE(shown.empty());
  EXPECT_EQ(shown.front()->text().toStdString(), "Hamlib NET rigctl  (2)");
  models->setCurrentItem(shown.front());
  dialog->findChild<QLineEdit*>("edPath")->setText(QString::fromStdString(rigctld.Address()));
  dialog->findChild<QSpinBox*>("seTimeout")->setValue(400);
  dialog->findChild<QPushButton*>("bnSave")->click();
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(radio.dir.Read("Devices/HamlibRadio_CONFIG.txt"),
            "# HamlibRadio settings, written by its settings dialog.\n"
            "# MODEL and PATH are used when extra1 of the devices entry is 0.\n"
            "MODEL=2\nPATH=" + rigctld.Address() + "\nTIMEOUT=400\n");

  // The next connection with model 0 takes them.
  radio.Disconnect();
  EXPECT_EQ(window("fmHamlibConfig"), nullptr) << "the library's windows go before it is unloaded";
  radio.Connect("0,-,RIG,100");
  ASSERT_TRUE(radio.LinkBecomes("UP")) << radio.Read("ERROR");
  EXPECT_EQ(radio.Read("TIMEOUT"), "400");

  // The soft panel names the model now behind the library.
  radio.lib->ShowMoreControls(1);
  QWidget* panel = window("pnlHamlibMain");
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->findChild<QLabel*>("lbRadioName")->text(), "Hamlib NET rigctl");

  // The keyer chosen in the dialog keys when the entry leaves it open ("-").
  CwdaemonProcess cwdaemon;
  radio.lib->ShowConfig(1);
  dialog = window("fmHamlibConfig");
  ASSERT_NE(dialog, nullptr);
  auto* keyer = dialog->findChild<QComboBox*>("cbKeyer");
  keyer->setCurrentIndex(keyer->findData(QString("CWDAEMON")));
  dialog->findChild<QLineEdit*>("edKeyerWhere")->setText(QString::number(cwdaemon.Port()));
  dialog->findChild<QSpinBox*>("seWeight")->setValue(60);
  dialog->findChild<QSpinBox*>("seFarnsworth")->setValue(15);
  dialog->findChild<QPushButton*>("bnSave")->click();
  EXPECT_NE(radio.dir.Read("Devices/HamlibRadio_CONFIG.txt")
                .find("KEYING=CWDAEMON:" + std::to_string(cwdaemon.Port()) + "\nWEIGHT=60\nFARNSWORTH=15\n"),
            std::string::npos)
      << radio.dir.Read("Devices/HamlibRadio_CONFIG.txt");
  radio.Disconnect();
  EXPECT_EQ(window("pnlHamlibMain"), nullptr);
  for (const char* keying : {"-", "RIG"}) {
    radio.Connect(std::string("0,-,") + keying + ",100");
    ASSERT_TRUE(radio.LinkBecomes("UP")) << radio.Read("ERROR");
    if (std::string(keying) == "-") {
      EXPECT_EQ(radio.Read("KEYING"), "CWDAEMON:" + std::to_string(cwdaemon.Port()));
      EXPECT_NE(radio.Read("KEYER").find(" ANSWERS"), std::string::npos) << radio.Read("KEYER");
    } else {
      EXPECT_EQ(radio.Read("KEYING"), "RIG") << "the entry's keying comes first";
      EXPECT_EQ(radio.Read("KEYER"), "");
    }
    radio.Disconnect();
  }
}

namespace {

QWidget* TopLevel(const char* name) {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == name) return w;
  return nullptr;
}

bool Shown(const char* name) { return TopLevel(name) && TopLevel(name)->isVisible(); }

template <typename T = QWidget>
T* InPanel(const char* name, const char* window = "pnlHamlibMain") {
  QWidget* w = TopLevel(window);
  return w ? w->findChild<T*>(QString::fromLatin1(name)) : nullptr;
}

void Click(const char* button) { QTest::mouseClick(InPanel<QAbstractButton>(button), Qt::LeftButton); }

// Lets the panels' timers run until the condition holds.
bool PumpUntil(const std::function<bool()>& condition) {
  return Eventually([&] {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return condition();
  });
}

}  // namespace

// The exports as the program calls them: the panels of a radio behind
// rigctld, their controls reaching the rig, and no window after DISCONNECTRADIO.
TEST(HamlibPanels, ExportsShowThePanelsWhoseControlsDriveTheRadio) {
  EnsureQtApp();
  HamlibUnderTest radio;
  RigctldProcess rigctld(RigctldLog(radio));
  radio.dir.Write("Devices/HamlibRadio_MACROS.txt", "Forty CW=FREQ 7030000;MODE CW\n");
  radio.ConnectTo(rigctld);
  ASSERT_TRUE(radio.LinkBecomes("UP")) << radio.Read("ERROR");
  radio.lib->HideTitleBars(1);
  radio.lib->ShowMoreControls(1);
  ASSERT_TRUE(Shown("pnlHamlibMain"));
  EXPECT_TRUE(TopLevel("pnlHamlibMain")->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_FALSE(InPanel("bnMacros")->isEnabled()) << "the editor could not save Hamlib's macros";

  struct Control {
    std::function<void()> act;
    const char *query, *answer;  // rigctl's query and the start of its answer
  } const controls[] = {
      {[] { Click("bn40m"); }, "f", "70"},
      {[] { Click("bnModeUSB"); }, "m", "USB"},
      {[] { InPanel<QSpinBox>("sePower")->setValue(40); }, "l RFPOWER", "0.4"},
      {[] { Click("bnMacro0"); }, "f m", "7030000\nCW"},  // from Hamlib's macro file
  };
  for (const Control& c : controls) {
    c.act();
    EXPECT_TRUE(PumpUntil([&] { return rigctld.Rigctl(c.query).rfind(c.answer, 0) == 0; })) << c.query;
  }

  // Each window (or part of the full panel) shown, then hidden.
  using Export = void (TRadioLib::*)(int);
  struct Window {
    Export show, hide;
    const char *window, *part;
  } const windows[] = {
      {&TRadioLib::ShowMsgButtons, &TRadioLib::HideMsgButtons, "pnlHamlibMsgButtons", nullptr},
      {&TRadioLib::ShowKeyboard, &TRadioLib::HideKeyboard, "pnlHamlibKeyboard", nullptr},
      {&TRadioLib::ShowLogGrid, &TRadioLib::HideLogGrid, "pnlLogGrid", nullptr},
      {&TRadioLib::ShowMoreControls, &TRadioLib::HideConfigPanel, "pnlHamlibMain", "pnConfig"},
      {&TRadioLib::ShowMoreControls, &TRadioLib::HideClosePanel, "pnlHamlibMain", "pnClose"},
      {&TRadioLib::ShowMoreControls, &TRadioLib::HideSmallPanel, "pnlHamlibMain", "pnSmall"},
  };
  for (const Window& w : windows) {
    auto shown = [&] { return w.part ? InPanel(w.part, w.window)->isVisible() : Shown(w.window); };
    (radio.lib.get()->*w.show)(1);
    EXPECT_TRUE(shown()) << (w.part ? w.part : w.window);
    (radio.lib.get()->*w.hide)(1);
    EXPECT_FALSE(shown()) << (w.part ? w.part : w.window);
  }
  radio.lib->ShowPigKnobConfig(1);
  EXPECT_TRUE(Shown("dlgHamlibKnob"));

  // The grid's FREQ is the radio's, where the macro left it.
  radio.lib->ShowLogGrid(1);
  EXPECT_TRUE(PumpUntil([] {
    return !InPanel<QTableWidget>("sgLog", "pnlLogGrid")->findItems("7030", Qt::MatchExactly).isEmpty();
  }));

  // A 2 m radio's frequency fits the display (up to 999.999.999 Hz).
  rigctld.Rigctl("F 145025000");
  EXPECT_TRUE(PumpUntil([] { return InPanel("fdVfoA")->property("hz").toLongLong() == 145025000; }));
  EXPECT_EQ(InPanel("fdVfoA")->property("digitX").toList().size(), 9);

  radio.lib->DisconnectRadio(1);
  for (QWidget* w : QApplication::topLevelWidgets()) EXPECT_EQ(w->objectName().toStdString(), "");
}

// A panel made before rigctld first answers shows the guessed abilities,
// never blocks a click on a hung rigctld, greys and says why; once rigctld
// answers it is made again with the rig's own modes.
TEST(HamlibPanels, APanelOverAHungRigctldNeverBlocksAndTakesTheAbilitiesOnceItAnswers) {
  EnsureQtApp();
  HamlibUnderTest radio;
  RigctldProcess rigctld(RigctldLog(radio));
  rigctld.Pause();
  radio.ConnectTo(rigctld);
  radio.lib->ShowMoreControls(1);
  ASSERT_NE(InPanel("bnModePKTUSB"), nullptr) << "the guess";
  auto greyed = [](const char* why) {
    return PumpUntil([why] {
      return InPanel<QLabel>("lbStatus")->text().contains(why) && !InPanel("pnBody")->isEnabled();
    });
  };

  for (const char* button : {"bn20m", "bnModeCW", "bnSplit", "bnVfoAB"}) Click(button);
  InPanel<QSpinBox>("sePower")->setValue(25);
  EXPECT_TRUE(greyed("Not answering: "));

  rigctld.Resume();
  EXPECT_TRUE(PumpUntil([] { return Shown("pnlHamlibMain") && InPanel("pnBody")->isEnabled(); }));
  EXPECT_EQ(InPanel("bnModePKTUSB"), nullptr) << "the rig's own modes";
  Click("bnModeLSB");
  EXPECT_TRUE(PumpUntil([&] { return rigctld.Rigctl("m").rfind("LSB", 0) == 0; }));

  rigctld.Pause();
  Click("bn15m");
  EXPECT_TRUE(greyed("Lost contact with the radio"));
  rigctld.Resume();
}
