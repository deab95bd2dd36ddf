// The connection sequences against the real simulated radio, with a window
// of the test's own that records what the sequences ask of it.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "RecordingMessageSink.h"
#include "TempProgramDir.h"
#include "VaroSimProbe.h"
#include "app/TRadioSession.h"
#include "app/TTalvexApp.h"

namespace {

class RecordingWindow : public TSessionWindow {
 public:
  ~RecordingWindow() override { StopListeners(TListenersToStop::kAll); }
  void ShowConnecting(const std::string& text) override { calls.push_back("connecting " + text); }
  void ShrinkToGridAndKeys() override { calls.push_back("shrink"); }
  void StartListeners() override {
    StopListeners(TListenersToStop::kAll);
    calls.push_back("start listeners");
    events = {platform::NewEvent(), platform::NewEvent(), platform::NewEvent(), platform::NewEvent()};
  }
  void StopListeners(TListenersToStop which) override {
    if (events.radioChange == platform::kNoEvent) return;
    calls.push_back("stop " + std::to_string(static_cast<int>(which)) + " listeners");
    platform::EventHandle* order[] = {&events.radioChange, &events.logRequest, &events.msgOver, &events.msgStart};
    for (int i = 0; i < static_cast<int>(which); ++i) {
      platform::CloseEvent(*order[i]);
      *order[i] = platform::kNoEvent;
    }
  }
  TListenerEvents ListenerEvents() const override { return events; }
  void SetItemChecked(TSessionItem item, bool checked) override {
    calls.push_back("check " + std::to_string(static_cast<int>(item)) + (checked ? " on" : " off"));
  }
  void ClearLogLine() override { calls.push_back("clear log line"); }
  void PrepareMessages() override { calls.push_back("prepare messages"); }
  void EnableAutoCqItems(bool checked) override { calls.push_back(checked ? "auto cq on" : "auto cq off"); }
  void ShowSoftPanelSwitch() override { calls.push_back("soft panel switch"); }
  void FocusLogLine() override { calls.push_back("focus"); }
  void ResumeSerialIoLogging(bool chosen) override { calls.push_back(chosen ? "sio log" : "no sio log"); }
  std::array<int, 12> ColumnWidths() const override { return widths; }
  TWindowBounds MainWindowBounds() const override { return {10, 730, 20, 320}; }

  std::vector<std::string> calls;
  TListenerEvents events;
  std::array<int, 12> widths{70, 70, 70, 70, 70, 70, 70, 70, 70, 91, 70, 70};
};

struct SessionProgram {
  TempProgramDir dir;
  RecordingMessageSink messages;
  std::unique_ptr<VaroSimProbe> sim;
  std::unique_ptr<TTalvexApp> app;
  RecordingWindow window;
  std::unique_ptr<TRadioSession> session;

  SessionProgram() {
    dir.Write("Dravel_INI.txt", "VERSION=test\nNAMES_HISTORY_FILE=Talvex_NAMES.txt\n");
    dir.Write("Devices/Dravel_DEVICES.txt", "RADIO=Varo,VaroSim.dll,38400,8N,1,NOHANDSHAKE,20\n");
    dir.Write("Documents/Talvex_NAMES.txt", "");
    dir.Write("Dravel_RESTART.txt", "RADIO_COM_PORT=COM7\nRADIO_BAUD=19200\nEND_OF_RESTART_FILE=YES");
    std::filesystem::copy_file(std::string(TALVEX_DEVICES_DIR) + "/VaroSim.dll", dir.Path("Devices/VaroSim.dll"));
    sim = std::make_unique<VaroSimProbe>(dir.Path("Devices/VaroSim.dll"));
    app = std::make_unique<TTalvexApp>();
    EXPECT_TRUE(app->OpenDataFiles());
    session = std::make_unique<TRadioSession>(*app, window);
    session->SetPause([this](int ms) { window.calls.push_back("wait " + std::to_string(ms)); });
    sim->ClearTrace();
  }

  /// The export names of the sim's trace, in order.
  std::vector<std::string> Exports() {
    std::vector<std::string> names;
    for (const std::string& line : sim->Trace()) names.push_back(line.substr(0, line.find('(')));
    return names;
  }
};

// Whether every name of `wanted` comes in `seen`, in this order.
bool InOrder(const std::vector<std::string>& seen, const std::vector<std::string>& wanted) {
  auto at = seen.begin();
  for (const std::string& name : wanted) {
    at = std::find(at, seen.end(), name);
    if (at == seen.end()) return false;
    ++at;
  }
  return true;
}

}  // namespace

TEST(RadioSession, ResumingConnectsAndHandsTheLibraryItsEventsFilesAndPanelsInOrder) {
  SessionProgram p;
  p.session->Resume({.radioPort = true, .messageButtons = true, .keyboard = false, .logGrid = true});
  ASSERT_TRUE(p.app->IsRadioConnected(1));
  EXPECT_TRUE(InOrder(p.Exports(), {"CONNECTRADIO", "SETBAUDRATE", "READFREQUENCY", "READMODE",
                                    "HIDECONFIGPANEL", "HIDECLOSEPANEL", "HIDESMALLPANEL",
                                    "SETLOGREQUESTEVENTHANDLE", "SETMSGEVENTHANDLES", "SETSHOWMEMBERS",
                                    "SETNAMESHISTORYFILE", "SETLOGFILE", "SETWANTSLOG", "SETDEFAULTLOGFILE",
                                    "HIDEKEYBOARD", "SHOWLOGGRID", "SHOWMSGBUTTONS",
                                    "SETAUTOREPEATDELAYTIME", "SETAUTOREPEATSTATUS"}))
      << p.sim->TraceText();
  EXPECT_EQ(p.window.calls,
            (std::vector<std::string>{"connecting Connecting", "shrink", "start listeners", "check 0 off",
                                      "check 1 on", "check 2 on", "clear log line", "prepare messages",
                                      "auto cq off", "soft panel switch", "focus", "no sio log"}));
  // The library was given the listeners' own events, and the port kept.
  EXPECT_EQ(p.sim->Calls("SETLOGREQUESTEVENTHANDLE").at(0),
            "SETLOGREQUESTEVENTHANDLE(" + std::to_string(p.window.events.logRequest) + ", 1)");
  EXPECT_EQ(p.app->GetRadioComPort(), "COM7");
  EXPECT_EQ(p.app->GetRadioModel(), "Varo");

  // Closing: radio restart file, disconnect, every listener, widths kept.
  p.window.calls.clear();
  p.session->Close();
  EXPECT_EQ(p.window.calls, (std::vector<std::string>{"wait 250", "stop 4 listeners"}));
  EXPECT_TRUE(p.dir.Exists("Dravel_RADIORESTART.txt"));
  EXPECT_NE(p.dir.Read("Dravel_RESTART.txt").find("LOG_DISPLAY_COLWIDTH_QTH=91"), std::string::npos);
  EXPECT_FALSE(p.app->IsRadioConnected(1));
}

TEST(RadioSession, WithoutTheRadioPortNothingIsConnectedAndTheConnectCommandDoesIt) {
  SessionProgram p;
  p.session->Resume({.radioPort = false, .userLog = false});
  EXPECT_EQ(p.window.calls, (std::vector<std::string>{"connecting Connecting", "no sio log"}));
  EXPECT_TRUE(p.sim->Trace().empty());

  // The connect command, then its disconnect.
  p.window.calls.clear();
  ASSERT_TRUE(p.session->Connect("COM8", "4800"));
  // It hands the library the fresh events and the files too, as the first
  // connection does, so the library's own log requests and messages reach us.
  EXPECT_TRUE(InOrder(p.Exports(), {"CONNECTRADIO", "SETBAUDRATE", "READFREQUENCY", "READMODE",
                                    "HIDECONFIGPANEL", "HIDECLOSEPANEL", "HIDESMALLPANEL",
                                    "SETLOGREQUESTEVENTHANDLE", "SETMSGEVENTHANDLES", "SETSHOWMEMBERS",
                                    "SETNAMESHISTORYFILE", "SETLOGFILE", "SETWANTSLOG", "SETDEFAULTLOGFILE"}))
      << p.sim->TraceText();
  EXPECT_EQ(p.window.calls, (std::vector<std::string>{"connecting Connecting", "start listeners",
                                                      "clear log line", "prepare messages", "focus"}));
  EXPECT_EQ(p.sim->Calls("SETMSGEVENTHANDLES").at(0),
            "SETMSGEVENTHANDLES(" + std::to_string(p.window.events.msgOver) + ", " +
                std::to_string(p.window.events.msgStart) + ", 1)");

  // Connecting again while connected fails, and restarts nothing.
  p.window.calls.clear();
  p.sim->ClearTrace();
  EXPECT_FALSE(p.session->Connect("COM9", "1200"));
  EXPECT_EQ(p.window.calls, (std::vector<std::string>{"connecting Connecting", "connecting Connect failed"}));
  EXPECT_TRUE(p.sim->Calls("CONNECTRADIO").empty());
  EXPECT_EQ(p.app->GetRadioComPort(), "COM8");
  EXPECT_EQ(p.app->GetRadioComPort(), "COM8");
  EXPECT_EQ(p.app->GetRadioBaud(), "4800");

  p.window.calls.clear();
  p.session->Disconnect();
  EXPECT_EQ(p.window.calls, (std::vector<std::string>{"wait 250", "stop 2 listeners", "connecting Disconnected"}));
  EXPECT_EQ(p.sim->Calls("DISCONNECTRADIO").size(), 1u);
  EXPECT_TRUE(p.dir.Exists("Dravel_RADIORESTART.txt"));
}

TEST(RadioSession, TheWindowsRadioCommandsAreOneCallEachWithTheirOptionsKept) {
  SessionProgram p;
  // Without a radio nothing reaches a library, and there is nothing to list.
  p.session->SendMessage(1);
  p.session->Show(TSessionItem::kKeyboard, true);
  EXPECT_TRUE(p.session->MacroNames().empty());
  EXPECT_FALSE(p.session->RadioChanged().has_value());

  ASSERT_TRUE(p.session->Connect("COM7", "19200"));
  // The wake every fresh log request listener gives is nobody's request.
  EXPECT_FALSE(p.session->TakeLogRequest());
  EXPECT_TRUE(p.session->TakeLogRequest());

  struct Case {
    const char* what;
    std::function<void()> command;
    std::vector<std::string> exports;
  };
  const Case cases[] = {
      {"F3", [&] { p.session->SendMessage(2); }, {"SENDMSGATINDEX"}},
      {"ESC", [&] { p.session->StopMessage(); }, {"STOPAUTOREPEATMESSAGE"}},
      {"Auto CQ off", [&] { p.session->SetAutoCq(false); }, {"STOPAUTOREPEATMESSAGE", "SETAUTOREPEATSTATUS"}},
      {"Auto CQ on", [&] { p.session->SetAutoCq(true); }, {"SETAUTOREPEATSTATUS"}},
      {"grid attached", [&] { p.session->Show(TSessionItem::kLogGrid, true); }, {"SHOWLOGGRID"}},
      // The keyboard shares the library's panel with the grid: both follow.
      {"keyboard", [&] { p.session->Show(TSessionItem::kKeyboard, true); }, {"SHOWKEYBOARD", "SHOWLOGGRID"}},
      {"title bars", [&] { p.session->Show(TSessionItem::kTitleBars, false); }, {"HIDETITLEBARS"}},
      {"members", [&] { p.session->ShowMembers(true, false); }, {"SETSHOWMEMBERS"}},
      {"VFO B", [&] { p.session->Command(TRadioCommand::kVfoBKnob); }, {"FOCUSVFOKNOB"}},
      {"macro", [&] { p.session->RunMacro(std::string(40, 'm')); }, {"RUNMACRO"}},
  };
  for (const Case& c : cases) {
    p.sim->ClearTrace();
    c.command();
    EXPECT_EQ(p.Exports(), c.exports) << c.what;
  }
  EXPECT_EQ(p.sim->Trace(), std::vector<std::string>{"RUNMACRO(\"" + std::string(30, 'm') + "\", 1)"});
  EXPECT_TRUE(p.app->Options().wantAutoCq);
  EXPECT_TRUE(p.app->Options().wantKeyboard && p.app->Options().wantLogGrid);
  EXPECT_FALSE(p.app->Options().wantTitleBars);
  EXPECT_TRUE(p.app->Options().showFocMembers);
  EXPECT_FALSE(p.app->Options().showCwopMembers);

  // "Run Macros" lists each name once, sorted, without the blanks around it.
  p.sim->Control("MACROS= Tune,Zero RIT,Tune ,Band Up");
  EXPECT_EQ(p.session->MacroNames(), (std::vector<std::string>{"Band Up", "Tune", "Zero RIT"}));

  // A radio change fills the log line's radio cells at their widths.
  p.sim->Control("FREQ=7025400");
  p.sim->Control("POWER=5");
  const auto baud = p.session->RadioChanged();
  EXPECT_EQ(baud, std::optional<std::string>(p.app->GetRadioBaud()));
  EXPECT_EQ(p.app->LogLine().Cell(kCellFreq), "7025");
  EXPECT_EQ(p.app->LogLine().Cell(kCellPower), "5");
}
