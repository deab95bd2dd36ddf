// The simulated Varo radio's soft panels (radios/panel), shown and driven
// through the exports as the program calls them (TRadioLib), offscreen.

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QWheelEvent>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "ConnectedSim.h"
#include "Eventually.h"
#include "QtTestApp.h"
#include "RecordingMessageSink.h"
#include "TempProgramDir.h"
#include "VaroSimProbe.h"
#include "data/TLogRecord.h"
#include "platform/Module.h"
#include "radio/TRadioLib.h"

namespace {

using Lines = std::vector<std::string>;

/// The top-level window of that name, shown or not; nullptr when none exists.
QWidget* Window(const char* name) {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == QLatin1String(name)) return w;
  return nullptr;
}

bool Shown(const char* name) {
  QWidget* w = Window(name);
  return w && w->isVisible();
}

template <typename T = QWidget>
T* Child(const char* window, const char* name) {
  QWidget* w = Window(window);
  return w ? w->findChild<T*>(QString::fromLatin1(name)) : nullptr;
}

/// Lets the panels' timers run until the condition holds.
bool PumpUntil(const std::function<bool()>& condition) {
  return Eventually([&] {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return condition();
  });
}

void Wheel(QWidget* widget, QPoint at, int notches) {
  QWheelEvent event(QPointF(at), QPointF(widget->mapToGlobal(at)), QPoint(), QPoint(0, 120 * notches),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(widget, &event);
}

// The sim connected as the program connects it, with the program's QApplication.
class PanelSim : public ConnectedSim {
 public:
  PanelSim() { EnsureQtApp(); }
};

}  // namespace

TEST(VaroPanel, EachPanelExportShowsOrHidesItsPart) {
  RecordingMessageSink messages;
  PanelSim sim;
  // Placed below the main window, centred on it; dialogs level with its top.
  sim.lib.SetCenteredFormsInfo(false, 40, 640, 20, 90);
  struct Case {
    const char* call;
    std::function<void(TRadioLib&)> act;
    const char* window;
    bool shown;
  } cases[] = {
      {"SHOWMORECONTROLS", [](TRadioLib& l) { l.ShowMoreControls(1); }, "pnlVaroMain", true},
      {"SHOWMSGBUTTONS", [](TRadioLib& l) { l.ShowMsgButtons(1); }, "pnlVaroMsgButtons", true},
      {"HIDEMSGBUTTONS", [](TRadioLib& l) { l.HideMsgButtons(1); }, "pnlVaroMsgButtons", false},
      {"SHOWKEYBOARD", [](TRadioLib& l) { l.ShowKeyboard(1); }, "pnlVaroKeyboard", true},
      {"HIDEKEYBOARD", [](TRadioLib& l) { l.HideKeyboard(1); }, "pnlVaroKeyboard", false},
      {"SHOWCONFIG", [](TRadioLib& l) { l.ShowConfig(1); }, "dlgVaroConfig", true},
      {"SHOWPIGKNOBCONFIG", [](TRadioLib& l) { l.ShowPigKnobConfig(1); }, "dlgVaroKnob", true},
      {"ADDMACROS", [](TRadioLib& l) { l.AddMacros(1); }, "dlgVaroMacros", true},
  };
  for (const Case& c : cases) {
    c.act(sim.lib);
    EXPECT_EQ(Shown(c.window), c.shown) << c.call;
  }
  EXPECT_TRUE(Shown("pnlVaroMain")) << "the other panels leave the full panel alone";
  QWidget* full = Window("pnlVaroMain");
  EXPECT_GE(full->frameGeometry().top(), 90);
  EXPECT_EQ(Window("dlgVaroConfig")->frameGeometry().top(), 20);
  EXPECT_NEAR(Window("dlgVaroConfig")->frameGeometry().center().x(), 340, 1);
  EXPECT_FALSE(QApplication::activeWindow() == full) << "a panel does not take the keyboard from the program";

  // The parts the program hides at its first connection, and the title bars.
  for (const char* part : {"pnConfig", "pnClose", "pnSmall"}) EXPECT_TRUE(Child("pnlVaroMain", part)->isVisible()) << part;
  sim.lib.HideConfigPanel(1);
  sim.lib.HideClosePanel(1);
  sim.lib.HideSmallPanel(1);
  for (const char* part : {"pnConfig", "pnClose", "pnSmall"}) EXPECT_FALSE(Child("pnlVaroMain", part)->isVisible()) << part;
  EXPECT_FALSE(full->windowFlags() & Qt::FramelessWindowHint);
  sim.lib.HideTitleBars(1);
  EXPECT_TRUE(full->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_TRUE(full->isVisible());
  sim.lib.ShowTitleBars(1);
  EXPECT_FALSE(full->windowFlags() & Qt::FramelessWindowHint);

  // Turned off, the panel greys and says so.
  sim.lib.TurnOffRadio(1);
  EXPECT_FALSE(Child("pnlVaroMain", "pnBody")->isEnabled());
  EXPECT_EQ(Child<QLabel>("pnlVaroMain", "lbStatus")->text(), "Powered off");
  EXPECT_TRUE(Child("pnlVaroMain", "lbStatus")->isVisible());

  sim.lib.DisconnectRadio(1);
  for (const char* name : {"pnlVaroMain", "pnlVaroMsgButtons", "pnlVaroKeyboard", "dlgVaroConfig", "dlgVaroKnob",
                           "dlgVaroMacros"})
    EXPECT_EQ(Window(name), nullptr) << name << " outlived DISCONNECTRADIO";
}

TEST(VaroPanel, KnobDigitsAndBandButtonsTuneTheRadioAndRaiseTheChangeEvent) {
  RecordingMessageSink messages;
  PanelSim sim;
  sim.lib.ShowMoreControls(1);
  QWidget* knob = Child("pnlVaroMain", "knbTuning");
  QWidget* display = Child("pnlVaroMain", "fdVfoA");
  ASSERT_TRUE(knob && display);
  auto click = [](const char* button) {
    return [button] { QTest::mouseClick(Child<QAbstractButton>("pnlVaroMain", button), Qt::LeftButton); };
  };
  // Where the display draws its kHz digit (power of ten 3).
  const QPoint kHzDigit(display->property("digitX").toList().at(3).toInt(), display->height() / 2);

  struct Case {
    const char* what;
    std::function<void()> act;
    const char* query;
    int expected;
  } cases[] = {
      {"Up arrow", [&] { QTest::keyClick(knob, Qt::Key_Up); }, "FREQ", 14025010},
      {"Page Down", [&] { QTest::keyClick(knob, Qt::Key_PageDown); }, "FREQ", 14024910},
      {"wheel on the knob", [&] { Wheel(knob, knob->rect().center(), 2); }, "FREQ", 14024930},
      {"wheel on the kHz digit", [&] { Wheel(display, kHzDigit, -1); }, "FREQ", 14023930},
      {"40 m", click("bn40m"), "FREQ", 7025000},
      {"USB", click("bnModeUSB"), "MODE", 1},
      {"20 m: where it was left", click("bn20m"), "FREQ", 14023930},
      {"40 m: in the mode it was left in", click("bn40m"), "MODE", 1},
      {"the knob on VFO B", [&] { sim.lib.FocusVfoKnob(1, 'B'); QTest::keyClick(knob, Qt::Key_Up); }, "FREQB", 7025010},
  };
  for (const Case& c : cases) {
    Drain(sim.change);
    c.act();
    EXPECT_EQ(sim.probe.Query(c.query), c.expected) << c.what;
    EXPECT_TRUE(IsSet(sim.change)) << c.what;
  }
  EXPECT_EQ(sim.probe.Query("FREQ"), 7025000) << "VFO A receives on";
  EXPECT_EQ(knob->property("vfo").toString(), "B");

  // The knob settings: a 100 Hz step, the Up and Down keys no longer tuning.
  sim.lib.ShowPigKnobConfig(1);
  ASSERT_TRUE(Shown("dlgVaroKnob"));
  Child<QSpinBox>("dlgVaroKnob", "seStep")->setValue(100);
  Child<QCheckBox>("dlgVaroKnob", "ckUpDown")->setChecked(false);
  QTest::mouseClick(Child<QAbstractButton>("dlgVaroKnob", "bnKnobApply"), Qt::LeftButton);
  EXPECT_EQ(Child<QComboBox>("pnlVaroMain", "cbStep")->currentData().toInt(), 100);
  QTest::keyClick(knob, Qt::Key_Up);
  EXPECT_EQ(sim.probe.Query("FREQB"), 7025010);
  QTest::keyClick(knob, Qt::Key_Right);
  EXPECT_EQ(sim.probe.Query("FREQB"), 7025110);
}

TEST(VaroPanel, MessageButtonsAndKeyboardKeyWhatTheySay) {
  RecordingMessageSink messages;
  PanelSim sim;
  sim.lib.SetMsgAtIndex(1, 0, "CQ CQ DE N0CALL K");
  sim.lib.ShowMoreControls(1);
  sim.lib.ShowMsgButtons(1);
  auto* cq = Child<QAbstractButton>("pnlVaroMsgButtons", "bnMsg1");
  ASSERT_NE(cq, nullptr);
  ASSERT_TRUE(PumpUntil([&] { return cq->text() == "F1 CQ\nCQ CQ DE N0CALL K"; })) << cq->text().toStdString();
  EXPECT_FALSE(Child("pnlVaroMsgButtons", "bnMsg2")->isEnabled()) << "an empty slot has nothing to send";

  // The message keys, and the sending line follows it a character at a time.
  QTest::mouseClick(cq, Qt::LeftButton);
  ASSERT_TRUE(Wakes(sim.start));
  EXPECT_EQ(sim.lib.GetMsgId(1), 0);
  auto* sending = Child<QLabel>("pnlVaroMain", "lbSending");
  std::vector<QString> seen;
  ASSERT_TRUE(PumpUntil([&] {
    const QString text = sending->text();
    if (!text.isEmpty() && (seen.empty() || seen.back() != text)) seen.push_back(text);
    return seen.size() >= 2;
  }));
  for (const QString& text : seen) EXPECT_TRUE(QString("CQ CQ DE N0CALL K").startsWith(text)) << text.toStdString();
  EXPECT_EQ(sim.probe.Query("TX"), 1);
  QTest::keyClick(Window("pnlVaroMsgButtons"), Qt::Key_Escape);
  ASSERT_TRUE(Wakes(sim.over));
  EXPECT_EQ(sim.probe.Query("TX"), 0);

  // The keyboard keys a line on Enter, or each character as typed.
  sim.lib.ShowKeyboard(1);
  auto* edit = Child<QLineEdit>("pnlVaroKeyboard", "edKeyboard");
  ASSERT_NE(edit, nullptr);
  QTest::keyClicks(edit, "cq test");
  EXPECT_EQ(edit->text(), "CQ TEST");
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_EQ(sim.probe.Calls("SENDTEXT"), Lines{"SENDTEXT(\"CQ TEST \", 1)"});
  EXPECT_EQ(sim.probe.Query("TX"), 1);
  EXPECT_EQ(Child<QPlainTextEdit>("pnlVaroKeyboard", "moSent")->toPlainText(), "CQ TEST");
  QTest::keyClick(edit, Qt::Key_Escape);
  EXPECT_EQ(sim.probe.Query("TX"), 0);
  sim.probe.ClearTrace();
  Child<QCheckBox>("pnlVaroKeyboard", "ckAsTyped")->setChecked(true);
  QTest::keyClicks(edit, "5nn");
  EXPECT_EQ(sim.probe.Calls("SENDTEXT"), (Lines{"SENDTEXT(\"5\", 1)", "SENDTEXT(\"N\", 1)", "SENDTEXT(\"N\", 1)"}));
  QTest::keyClick(edit, Qt::Key_Escape);
}

TEST(VaroPanel, RunMacroPerformsTheActionsTheMacroEditorSaved) {
  RecordingMessageSink messages;
  PanelSim sim;
  sim.lib.AddMacros(1);
  ASSERT_TRUE(Shown("dlgVaroMacros"));
  auto* list = Child<QListWidget>("dlgVaroMacros", "lbMacros");
  EXPECT_EQ(list->count(), 5) << "the radio's own macros";
  auto* name = Child<QLineEdit>("dlgVaroMacros", "edMacroName");
  auto* actions = Child<QPlainTextEdit>("dlgVaroMacros", "moActions");
  auto* message = Child<QLabel>("dlgVaroMacros", "lbMacroMessage");
  QTest::mouseClick(Child<QAbstractButton>("dlgVaroMacros", "bnMacroNew"), Qt::LeftButton);
  name->setText("Forty split");
  actions->setPlainText("FREQ A 7030000\nFREQ B 7032500\nmode cw-r\nRIT ON 120\nPOWER 50\nSPLIT ON\nWARP 9");
  QTest::mouseClick(Child<QAbstractButton>("dlgVaroMacros", "bnMacroSave"), Qt::LeftButton);
  EXPECT_TRUE(message->text().contains("line 7 (WARP 9): unknown action WARP")) << message->text().toStdString();
  Lines names;
  sim.lib.GetMacroNames(1, names);
  EXPECT_EQ(names.size(), 5u) << "nothing is saved while a line is wrong";

  actions->setPlainText("FREQ A 7030000\nFREQ B 7032500\nmode cw-r\nRIT ON 120\nPOWER 50\nSPLIT ON\n# done");
  QTest::mouseClick(Child<QAbstractButton>("dlgVaroMacros", "bnMacroSave"), Qt::LeftButton);
  sim.lib.GetMacroNames(1, names);
  ASSERT_EQ(names, (Lines{"Zero RIT", "Toggle RIT", "Toggle XIT", "Band Up", "Band Down", "Forty split"}));

  Drain(sim.change);
  sim.lib.RunMacro(1, " forty SPLIT ");
  EXPECT_TRUE(IsSet(sim.change));
  const std::pair<const char*, int> after[] = {{"FREQA", 7030000}, {"FREQB", 7032500}, {"MODE", 3}, {"RIT", 1},
                                               {"RITFREQ", 120},   {"POWER", 50},       {"SPLIT", 1}};
  for (const auto& [query, value] : after) EXPECT_EQ(sim.probe.Query(query), value) << query;
  // The default macros are panel actions too.
  sim.lib.RunMacro(1, "Band Up");
  EXPECT_EQ(sim.probe.Query("FREQ"), 10125000);
  sim.lib.RunMacro(1, "Zero RIT");
  EXPECT_EQ(sim.probe.Query("RITFREQ"), 0);
}

TEST(VaroPanel, TheDisplayTurnsAmberOutsideTheOperatorsLimitsAndRedOutsideTheBand) {
  RecordingMessageSink messages;
  PanelSim sim;
  sim.lib.SetBandLimitsFile(std::string(TALVEX_SOURCE_DIR) + "/dist/Documents/BandLimits_Extra.txt");
  sim.lib.UpdateBandLimits();
  sim.lib.ShowMoreControls(1);
  auto* display = Child("pnlVaroMain", "fdVfoA");
  auto* info = Child<QLabel>("pnlVaroMain", "lbBandInfo");
  struct Case {
    int hz;
    const char* mode;
    const char* tint;
  } cases[] = {
      {14025000, "CW", "normal"},  {14150000, "CW", "normal"}, {14200000, "CW", "amber"},
      {14200000, "USB", "normal"}, {14100000, "USB", "amber"}, {10120000, "USB", "amber"},  // no phone on 30 m
      {13990000, "CW", "red"},     {5000000, "CW", "red"},
  };
  for (const Case& c : cases) {
    sim.probe.Control("FREQ=" + std::to_string(c.hz));
    sim.probe.Control(std::string("MODE=") + c.mode);
    ASSERT_TRUE(PumpUntil([&] {
      return display->property("hz").toLongLong() == c.hz && display->property("tint").toString() == c.tint;
    }))
        << c.hz << " " << c.mode << ": " << display->property("tint").toString().toStdString() << ", "
        << info->text().toStdString();
  }
  EXPECT_EQ(info->text(), "5.000 MHz is outside the amateur bands");
  sim.probe.Control("FREQ=14200000");
  ASSERT_TRUE(PumpUntil([&] { return info->property("privilege").toString() == "operator"; }));
  EXPECT_EQ(info->text(), QString::fromUtf8("Outside your CW limits (14.000\u201314.150) on 20 m"));
  // It warns, never blocks: the knob still tunes out there.
  QTest::keyClick(Child("pnlVaroMain", "knbTuning"), Qt::Key_Up);
  EXPECT_EQ(sim.probe.Query("FREQ"), 14200010);
}

TEST(VaroPanel, ConnectShowAndDisconnectFiveTimesLeavesNoWidget) {
  RecordingMessageSink messages;
  EnsureQtApp();
  TempProgramDir dir;
  const std::string path = dir.Path("Devices/Cycle.dll");
  std::filesystem::copy_file(DevicesFile("VaroSim.dll"), path);
  QCoreApplication::processEvents();
  const auto before = QApplication::allWidgets().size();
  for (int round = 0; round < 5; ++round) {
    platform::EventHandle change = platform::NewEvent();
    {
      TRadioLib lib(path);
      std::string port = "COM4";
      ASSERT_TRUE(lib.ConnectRadio(1, "Varo,Cycle,9600,a,b,c,d,NRND", change, port, round % 2 == 0));
      lib.SetCenteredFormsInfo(false, 0, 600, 0, 60);
      lib.SetMsgAtIndex(1, 0, "CQ TEST");
      lib.ShowMoreControls(1);
      lib.ShowMsgButtons(1);
      lib.ShowKeyboard(1);
      lib.ShowConfig(1);
      lib.ShowPigKnobConfig(1);
      lib.AddMacros(1);
      lib.HideTitleBars(1);
      lib.SendMsgAtIndex(1, 0);
      // The panels' timers run: the sending line shows the message going out.
      ASSERT_TRUE(PumpUntil([] {
        auto* sending = Child<QLabel>("pnlVaroMain", "lbSending");
        return sending && !sending->text().isEmpty();
      })) << "round " << round;
      EXPECT_GT(QApplication::allWidgets().size(), before);
      lib.DisconnectRadio(1);
      EXPECT_FALSE(lib.IsLoaded());
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::allWidgets().size(), before) << "round " << round;
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    EXPECT_EQ(handle, nullptr) << "the library stayed loaded";
    if (handle) dlclose(handle);
    platform::CloseEvent(change);
  }
}

// Every panel and grid export of the contract comes from the panel kit, in
// each library that uses it.
TEST(PanelLibraryKit, EveryLibraryWithPanelsExportsTheKitsWholeTable) {
  const char* const kitExports[] = {
      "INITTITLEBARFLAG", "SHOWKEYBOARD",      "HIDEKEYBOARD",        "SHOWMSGBUTTONS",       "HIDEMSGBUTTONS",
      "SHOWTITLEBARS",    "HIDETITLEBARS",     "SHOWPIGKNOBCONFIG",   "ADDMACROS",            "HIDECONFIGPANEL",
      "HIDECLOSEPANEL",   "HIDESMALLPANEL",    "SHOWMORECONTROLS",    "SHOWCONFIG",           "TURNOFFRADIO",
      "UPDATEBANDLIMITS", "SHOWLOGGRID",       "HIDELOGGRID",         "SETCENTEREDFORMSINFO", "SETSHOWMEMBERS",
      "SETWANTSLOG",      "SETLOGFILE",        "SETNAMESHISTORYFILE", "SETDEFAULTLOGFILE"};
  std::vector<std::string> libraries{"VaroSim.dll", "ExamplePanelRadio.dll"};
  if (std::filesystem::exists(DevicesFile("HamlibRadio.dll"))) libraries.push_back("HamlibRadio.dll");
  for (const std::string& file : libraries) {
    platform::Module lib = platform::Module::Load(DevicesFile(file));
    ASSERT_TRUE(lib.IsLoaded()) << file;
    for (const char* name : kitExports) EXPECT_NE(lib.Symbol(name), nullptr) << file << " " << name;
  }
}

// A third library with panels brings only its radio: the example's panels
// tune its radio, its grid shows, and disconnecting leaves no widget.
TEST(PanelLibraryKit, TheExampleLibraryShowsTheKitsPanelsOverItsOwnRadio) {
  RecordingMessageSink messages;
  EnsureQtApp();
  QCoreApplication::processEvents();
  const auto before = QApplication::allWidgets().size();
  platform::EventHandle change = platform::NewEvent();
  {
    platform::Module lib = platform::Module::Load(DevicesFile("ExamplePanelRadio.dll"));
    ASSERT_TRUE(lib.IsLoaded());
    using RadioFn = void (*)(std::int32_t);
    auto connect = reinterpret_cast<void (*)(char*, RadioEvent, char*, std::int32_t)>(lib.Symbol("CONNECTRADIO"));
    auto frequency = reinterpret_cast<void (*)(std::int32_t*, std::int32_t)>(lib.Symbol("GETFREQUENCY"));
    auto disconnect = reinterpret_cast<RadioFn>(lib.Symbol("DISCONNECTRADIO"));
    ASSERT_TRUE(connect && frequency && disconnect);
    char port[] = "COM4", text[] = "Example";
    connect(port, change, text, 1);
    ASSERT_TRUE(Wakes(change));

    reinterpret_cast<RadioFn>(lib.Symbol("SHOWMORECONTROLS"))(1);
    ASSERT_TRUE(Shown("pnlExampleMain"));
    QTest::keyClick(Child("pnlExampleMain", "knbTuning"), Qt::Key_Up);
    ASSERT_TRUE(Wakes(change));
    std::int32_t hz = 0;
    frequency(&hz, 1);
    EXPECT_EQ(hz, 14025010);

    reinterpret_cast<RadioFn>(lib.Symbol("SHOWLOGGRID"))(1);
    EXPECT_TRUE(Shown("pnlLogGrid"));
    auto* grid = Child<QTableWidget>("pnlLogGrid", "sgLog");
    ASSERT_NE(grid, nullptr);
    EXPECT_TRUE(PumpUntil([&] { return grid->item(1, kCellFreq)->text().startsWith("14025"); }))
        << grid->item(1, kCellFreq)->text().toStdString();
    disconnect(1);
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::allWidgets().size(), before);
  }
  platform::CloseEvent(change);
}
