// The operator's contact loop in the real window over the simulated radio:
// message keys, Auto CQ, typing into the logging grid, and logging.

#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "../data/AdifTestReader.h"
#include "MainWindowTestSupport.h"
#include "PseudoTerminal.h"
#include "data/TLogRecord.h"
#include "data/TfmRadioParms.h"
#include "data/TextFile.h"
#include "data/TextUtils.h"
#include "platform/DateTime.h"

namespace {

auto Resume(bool radio) {
  return [radio](QDialog& dialog) {
    SetBox(dialog, "ckbResumeRadioPort", radio);
    Click(dialog, "bnResume");
  };
}

// Where the first call of that export stands in the trace, or -1.
int TraceIndexOf(const std::vector<std::string>& trace, const std::string& name) {
  for (std::size_t i = 0; i < trace.size(); ++i)
    if (trace[i].rfind(name + "(", 0) == 0) return static_cast<int>(i);
  return -1;
}

QTableWidget* Grid(TfmRCatMain& window) { return window.findChild<QTableWidget*>(QStringLiteral("sgLog")); }

// Opens the cell's editor and types the text into it, key by key.
QLineEdit* TypeInto(TfmRCatMain& window, int column, const QString& text) {
  QTableWidget* grid = Grid(window);
  grid->setCurrentCell(1, column);  // opens the cell's editor
  const QModelIndex index = grid->model()->index(1, column);
  if (!grid->indexWidget(index)) grid->editItem(grid->item(1, column));
  auto* editor = qobject_cast<QLineEdit*>(grid->indexWidget(index));
  EXPECT_NE(editor, nullptr);
  if (editor) QTest::keyClicks(editor, text);
  return editor;
}

void PressKey(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QTest::keyClick(target, key, modifiers);
}

// A station on the air: the window connected through the resume dialog,
// with a names file.
struct Station {
  WindowProgram program;
  TfmRCatMain* window = nullptr;
  explicit Station(const std::string& restart = kRestartOnCom7) {
    program.dir.Write("Documents/Talvex_NAMES.txt", "W1AW,Hiram,1234,FOC\nW1AW,Hiram,567,CWOP\nK9XYZ,Ann,88,CWOP\n");
    program.WriteRestartFile(restart);
    window = &program.ShowAndResume(Resume(true));
    EXPECT_TRUE(program.app->IsRadioConnected(1));
    program.sim->ClearTrace();
  }
  ~Station() { program.Close(); }
  std::string DefaultLog() const { return program.dir.Read("Logs/Dravel_DEFAULTLOG.txt"); }
  bool WaitForLogLines(std::size_t lines) {
    return PumpUntil([&] {
      const std::string log = DefaultLog();
      return static_cast<std::size_t>(std::count(log.begin(), log.end(), '\n')) >= lines;
    });
  }
};

}  // namespace

TEST(ContactLoop, FunctionKeysSendWhateverModifierAndEscStopsBothRadios) {
  Station station;
  TfmRCatMain& window = *station.window;
  QWidget* grid = Grid(window);
  PressKey(grid, Qt::Key_F3);
  PressKey(grid, Qt::Key_F3, Qt::ShiftModifier);
  PressKey(grid, Qt::Key_F1, Qt::ControlModifier);
  const auto sends = station.program.sim->Calls("SENDMSGATINDEX");
  ASSERT_EQ(sends.size(), 3u);
  EXPECT_EQ(sends[0], "SENDMSGATINDEX(2, 1)");
  EXPECT_EQ(sends[1], "SENDMSGATINDEX(2, 1)");
  EXPECT_EQ(sends[2], "SENDMSGATINDEX(0, 1)");
  // ESC with nothing being sent still stops.
  PressKey(grid, Qt::Key_Escape);
  EXPECT_EQ(station.program.sim->Calls("STOPAUTOREPEATMESSAGE").size(), 1u);
  // The key row's clicks do the same.
  QTest::mouseClick(window.findChild<QLabel*>(QStringLiteral("pnF6")), Qt::LeftButton);
  EXPECT_EQ(station.program.sim->Calls("SENDMSGATINDEX").back(), "SENDMSGATINDEX(5, 1)");
  QTest::mouseClick(window.findChild<QLabel*>(QStringLiteral("pnEsc")), Qt::LeftButton);
  EXPECT_EQ(station.program.sim->Calls("STOPAUTOREPEATMESSAGE").size(), 2u);
  // Other keys reach the grid as usual.
  EXPECT_FALSE(TfmRCatMain::IsMessageKey(Qt::Key_F8));
}

TEST(ContactLoop, UntickingAutoCqStopsTheMessageBeforeSwitchingRepeatOff) {
  Station station;
  QAction* autoCq = station.window->MenuItem("Enable Auto CQ");
  autoCq->trigger();  // on
  EXPECT_TRUE(station.program.app->Options().wantAutoCq);
  station.program.sim->ClearTrace();
  autoCq->trigger();  // off
  const auto trace = station.program.sim->Trace();
  ASSERT_GE(trace.size(), 2u);
  EXPECT_EQ(trace[0], "STOPAUTOREPEATMESSAGE(1)");
  EXPECT_EQ(trace[1], "SETAUTOREPEATSTATUS(0, 1)");
  EXPECT_FALSE(station.program.app->Options().wantAutoCq);
}

TEST(ContactLoop, TypingACallFillsNameAndOrgsAndLoadsTheExpandedMessages) {
  Station station;
  TfmRCatMain& window = *station.window;
  QLineEdit* editor = TypeInto(window, kCellStation, "w1");
  ASSERT_NE(editor, nullptr);
  EXPECT_TRUE(station.program.Cell(kCellName).isEmpty());
  EXPECT_TRUE(station.program.app->LogLine().StationWorked().empty());  // too short to look up
  QTest::keyClicks(editor, "a");  // W1A: a call sign, not in the names file
  EXPECT_EQ(station.program.app->LogLine().StationWorked(), "W1A");
  EXPECT_TRUE(station.program.Cell(kCellName).isEmpty());
  station.program.sim->ClearTrace();
  QTest::keyClicks(editor, "w");
  EXPECT_EQ(station.program.Cell(kCellStation), "w1aw");
  EXPECT_EQ(station.program.Cell(kCellName), "Hiram");
  EXPECT_EQ(station.program.Cell(kCellOrgs), "CWOP");  // only CWOps members are shown
  EXPECT_EQ(station.program.app->LogLine().StationWorked(), "W1AW");
  EXPECT_EQ(station.program.app->LogLine().Name(), "HIRAM");
  const auto loads = station.program.sim->Calls("SETMSGATINDEX");
  ASSERT_EQ(loads.size(), 6u);
  EXPECT_EQ(loads[2], "SETMSGATINDEX(\"W1AW UR 599 599 NAME HIRAM\", 2, 1)");
  EXPECT_EQ(loads[5], "SETMSGATINDEX(\"73 W1AW TU\", 5, 1)");
  EXPECT_GT(station.program.sim->Query("UNITS2"), 0);
  EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("pnF3"))->toolTip(), "W1AW UR 599 599 NAME HIRAM");

  // A two-character report: the messages say 599, the log keeps the two.
  station.program.sim->ClearTrace();
  TypeInto(window, kCellSentRst, "57");
  EXPECT_EQ(station.program.app->LogLine().SentRst(), "599");
  EXPECT_EQ(station.program.sim->Calls("SETMSGATINDEX").at(2), "SETMSGATINDEX(\"W1AW UR 599 599 NAME HIRAM\", 2, 1)");
  TypeInto(window, kCellStation, "");
  PressKey(Grid(window), Qt::Key_F7);
  ASSERT_TRUE(station.WaitForLogLines(1));
  const std::string line = station.DefaultLog();
  EXPECT_NE(line.find(":W1AW:57:599:"), std::string::npos) << line;
}

TEST(ContactLoop, F7LogsTheExactLineAndClearsTheRowForTheNextContact) {
  Station station;
  TfmRCatMain& window = *station.window;
  station.program.sim->Control("FREQ=7025000");
  station.program.sim->Control("MODE=CW");
  station.program.sim->Control("POWER=50");
  ASSERT_TRUE(PumpUntil([&] { return station.program.Cell(kCellPower) == "50"; }));
  TypeInto(window, kCellStation, "k9xyz");
  const double before = UtcNow();
  PressKey(Grid(window), Qt::Key_F7);
  ASSERT_TRUE(station.WaitForLogLines(1));
  const double after = UtcNow();
  const std::string line = station.DefaultLog();
  // One moment for every default: the UTC-ON and UTC-OFF defaults are equal.
  bool matched = false;
  for (double t : {before, after}) {
    const std::string date = platform::FormatDateTime("yyyy-mm-dd", t);
    const std::string time = platform::FormatDateTime("hhnn", t);
    matched = matched || line == date + ":7025:CW:50:" + time + ":K9XYZ:599:599:" + time + ":N/A:ANN:CWOP\n";
  }
  EXPECT_TRUE(matched) << line;
  for (int c : {kCellDate, kCellUtcOn, kCellStation, kCellName, kCellOrgs})
    EXPECT_TRUE(station.program.Cell(c).isEmpty()) << c;
  EXPECT_EQ(station.program.Cell(kCellFreq), "7025");  // the radio's values stay
  EXPECT_EQ(Grid(window)->currentColumn(), kCellStation);
  EXPECT_EQ(station.program.app->LogLine().SentRst(), "599");
}

TEST(ContactLoop, F7WithoutAValidCallOrBeforeAnyConnectionWritesNothing) {
  {
    Station station;
    TypeInto(*station.window, kCellStation, "12");
    TypeInto(*station.window, kCellQth, "Boston");
    PressKey(Grid(*station.window), Qt::Key_F7);
    // The log step has run once the key row says why nothing was logged.
    QLabel* sending = station.window->findChild<QLabel*>(QStringLiteral("pnSending"));
    ASSERT_TRUE(PumpUntil([&] { return sending->text() == "No valid call"; }));
    EXPECT_EQ(station.DefaultLog(), "");
    EXPECT_EQ(station.program.Cell(kCellQth), "Boston");  // the row is left alone
  }
  {
    WindowProgram program;
    TfmRCatMain& window = program.ShowAndResume(nullptr);  // no restart file: nothing runs
    TypeInto(window, kCellStation, "W1AW");
    PressKey(Grid(window), Qt::Key_F7);
    PumpFor(100);
    EXPECT_FALSE(program.dir.Exists("Logs/Dravel_DEFAULTLOG.txt"));
    program.Close();
  }
}

TEST(ContactLoop, AnAdifLocalLogGetsTheSameContactFieldByField) {
  Station station;
  station.program.app->SetLocalLogFile(station.program.dir.Path("Logs/mine.adi"));
  station.program.app->SetLocalLogType(kLogTypeAdif);
  station.program.app->SetLocalLogging(true);
  TypeInto(*station.window, kCellStation, "W1AW");
  PressKey(Grid(*station.window), Qt::Key_F7);
  ASSERT_TRUE(station.WaitForLogLines(1));
  const std::string colon = station.DefaultLog();
  const auto adif = ReadAdif(station.program.dir.Read("Logs/mine.adi"));
  ASSERT_TRUE(adif.has_value());
  ASSERT_EQ(adif->records.size(), 1u);
  const auto& r = adif->records[0];
  EXPECT_EQ(r.at("CALL"), "W1AW");
  EXPECT_EQ(r.at("RST_SENT"), "599");
  EXPECT_EQ(r.at("RST_RCVD"), "599");
  EXPECT_EQ(r.at("TIME_ON"), r.at("TIME_OFF"));
  std::vector<std::string> fields;  // empty fields kept
  for (std::size_t start = 0, end = 0; end != std::string::npos; start = end + 1)
    fields.push_back(colon.substr(start, (end = colon.find(':', start)) - start));
  ASSERT_EQ(fields.size(), 12u) << colon;
  EXPECT_EQ(r.at("TIME_ON"), fields[kCellUtcOn]) << colon;
  EXPECT_EQ(r.at("QSO_DATE"), colon.substr(0, 4) + colon.substr(5, 2) + colon.substr(8, 2));
  EXPECT_EQ(r.at("NAME"), "Hiram");
  EXPECT_EQ(r.count("QTH"), 0u);  // "N/A" in the colon line: left out
}

TEST(ContactLoop, WhatTheOperatorTypesNeverBreaksALogLine) {
  Station station;
  TfmRCatMain& window = *station.window;
  TypeInto(window, kCellStation, "W1AW");
  // A pasted multi-line text and control characters in QTH and NAME.
  window.sgLogSetEditText(1, kCellQth, "Main St\nBoston:MA\t\x01");
  window.sgLogSetEditText(1, kCellName, QString::fromUtf8("J\xc3\xbcrgen\r\n"));
  PressKey(Grid(window), Qt::Key_F7);
  ASSERT_TRUE(station.WaitForLogLines(1));
  const std::string log = station.DefaultLog();
  EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1) << log;
  EXPECT_EQ(std::count(log.begin(), log.end(), ':'), 11) << log;
  EXPECT_EQ(log.find('\r'), std::string::npos);
  EXPECT_EQ(log.find('\t'), std::string::npos);
  EXPECT_EQ(log.find('\x01'), std::string::npos);
  // The name is written as UTF-8; upper case changes ASCII letters only.
  EXPECT_NE(log.find(":J\xc3\xbcRGEN"), std::string::npos) << log;
  // The messages never carry a line break either.
  for (const std::string& load : station.program.sim->Calls("SETMSGATINDEX")) {
    EXPECT_EQ(load.find('\n'), std::string::npos) << load;
    EXPECT_EQ(load.find('\r'), std::string::npos) << load;
  }
}

TEST(ContactLoop, LongCellsStillGiveTwelveFieldsAndDrawOnlyInTheirColumn) {
  Station station;
  TfmRCatMain& window = *station.window;
  for (int column : {kCellUtcOn, kCellStation, kCellSentRst, kCellQth, kCellName, kCellOrgs}) {
    if (column == kCellStation) continue;
    TypeInto(window, column, QString(200, 'Q'));
  }
  TypeInto(window, kCellStation, " W1AW ");  // pasted with blanks around it
  PressKey(Grid(window), Qt::Key_F7);
  ASSERT_TRUE(station.WaitForLogLines(1));
  const std::string line = station.DefaultLog();
  EXPECT_EQ(std::count(line.begin(), line.end(), ':'), 11) << line;
  EXPECT_LE(line.size(), 99u) << line;  // with its line end
  EXPECT_NE(line.find(":W1AW:"), std::string::npos) << line;
}

TEST(ContactLoop, ALogFolderRemovedWhileRunningIsReportedAndTheOtherLogStillWritten) {
  Station station;
  const std::string localLog = station.program.dir.Path("Mine/local.txt");
  std::filesystem::create_directories(station.program.dir.Path("Mine"));
  station.program.app->SetLocalLogFile(localLog);
  station.program.app->SetLocalLogType(kLogTypeArrl);
  station.program.app->SetLocalLogging(true);
  std::filesystem::remove_all(station.program.dir.Path("Logs"));
  station.program.messages.Clear();
  TypeInto(*station.window, kCellStation, "W1AW");
  PressKey(Grid(*station.window), Qt::Key_F7);
  ASSERT_TRUE(PumpUntil([&] { return !station.program.messages.Messages().empty(); }));
  const std::string message = station.program.messages.Messages()[0];
  EXPECT_NE(message.find(station.program.dir.Path("Logs/Dravel_DEFAULTLOG.txt")), std::string::npos) << message;
  EXPECT_NE(message.find("No such file or directory"), std::string::npos) << message;
  EXPECT_TRUE(PumpUntil([&] { return !ReadWholeFile(localLog).empty(); }));
  EXPECT_EQ(station.program.Cell(kCellStation), "W1AW");  // kept: the default log did not take it

  // Logged again once the folder is back: the default log gets it, the
  // local log, which has it already, does not get it twice.
  std::filesystem::create_directories(station.program.dir.Path("Logs"));
  PressKey(Grid(*station.window), Qt::Key_F7);
  ASSERT_TRUE(station.WaitForLogLines(1));
  EXPECT_TRUE(PumpUntil([&] { return station.program.Cell(kCellStation).isEmpty(); }));
  EXPECT_EQ(SplitTextLines(ReadWholeFile(localLog)).size(), 1u);
}

TEST(ContactLoop, F7WithoutACallSaysWhyAndClosingWithAnUnloggedContactAsks) {
  Station station;
  TfmRCatMain& window = *station.window;
  QLabel* sending = window.findChild<QLabel*>(QStringLiteral("pnSending"));
  TypeInto(window, kCellStation, "2BBB");
  PressKey(Grid(window), Qt::Key_F7);
  ASSERT_TRUE(PumpUntil([&] { return sending->text() == "No valid call"; })) << sending->text().toStdString();
  EXPECT_EQ(station.DefaultLog(), "");
  PressKey(Grid(window), Qt::Key_A);  // the next key takes the notice back
  EXPECT_NE(sending->text(), "No valid call");

  // A call nobody logged: "No" keeps the window open, "Yes" quits.
  window.ClearLogLine();
  TypeInto(window, kCellStation, "w1aw");
  station.program.messages.ScriptAnswers({platform::MessageAnswer::No});
  EXPECT_FALSE(window.close());
  ASSERT_EQ(station.program.messages.Questions().size(), 1u);
  EXPECT_EQ(station.program.messages.Questions()[0].text, "The contact with W1AW was not logged. Quit anyway?");
  EXPECT_TRUE(station.program.app->IsRadioConnected(1));
  station.program.messages.ScriptAnswers({platform::MessageAnswer::Yes});
  EXPECT_TRUE(window.close());
  EXPECT_FALSE(station.program.app->IsRadioConnected(1));
}

TEST(ContactLoop, TheKeyRowSaysAsTheCallIsTypedWhenItWasWorkedAndWhenItIsADupe) {
  WindowProgram program;
  program.dir.Write("Logs/Dravel_DEFAULTLOG.txt",
                    "2026-10-02:7025:CW:100:1300:K9XYZ:599:599:1301:N/A:ANN:CWOP\n"
                    "2026-11-28:14025:CW:100:1423:W1AW:599:599:1424:N/A:HIRAM:FOC\n");
  program.dir.Write("Documents/Talvex_NAMES.txt", "W1AW,Hiram,1234,FOC\n");
  program.WriteRestartFile(kRestartOnCom7);
  TfmRCatMain& window = program.ShowAndResume(Resume(true));
  program.sim->Control("FREQ=14025000");
  program.sim->Control("MODE=CW");
  ASSERT_TRUE(PumpUntil([&] { return program.Cell(kCellFreq) == "14025" && program.Cell(kCellMode) == "CW"; }));
  QLabel* sending = window.findChild<QLabel*>(QStringLiteral("pnSending"));
  const QRect home = sending->geometry();
  const QColor normal = sending->palette().color(QPalette::WindowText);

  // Worked on another band: the history, wider than the panel, over the keys.
  QLineEdit* editor = TypeInto(window, kCellStation, "k9xyz");
  EXPECT_EQ(sending->text(), QString::fromUtf8("worked 1\u00d7 \u2014 last 2026-10-02 7025 CW"));
  EXPECT_GT(sending->width(), home.width());
  EXPECT_EQ(sending->geometry().right(), home.right());
  EXPECT_EQ(sending->palette().color(QPalette::WindowText), normal);
  // The next key takes it back (K9XY, a call nobody worked, shows nothing).
  PressKey(editor, Qt::Key_Backspace);
  EXPECT_EQ(program.Cell(kCellStation), "k9xy");
  EXPECT_FALSE(sending->text().startsWith(QStringLiteral("worked")));
  EXPECT_EQ(sending->geometry(), home);

  // Logged on this band and mode: DUPE in the warning colour; the names
  // lookup fills its cells as ever, and nothing else changes.
  window.ClearLogLine();
  TypeInto(window, kCellStation, "W1AW");
  EXPECT_EQ(sending->text(), "DUPE 20M CW");
  EXPECT_NE(sending->palette().color(QPalette::WindowText), normal);
  EXPECT_NE(sending->toolTip().indexOf(QString::fromUtf8("worked 1\u00d7 \u2014 last 2026-11-28 14025 CW")), -1);
  EXPECT_EQ(program.Cell(kCellName), "Hiram");
  EXPECT_EQ(program.app->LogLine().StationWorked(), "W1AW");

  // A contact just logged counts at once.
  window.ClearLogLine();
  TypeInto(window, kCellStation, "n0new");
  EXPECT_FALSE(sending->text().startsWith(QStringLiteral("worked")));
  PressKey(Grid(window), Qt::Key_F7);
  ASSERT_TRUE(PumpUntil([&] { return program.Cell(kCellStation).isEmpty(); }));
  TypeInto(window, kCellStation, "N0NEW");
  EXPECT_EQ(sending->text(), "DUPE 20M CW");
  program.Close();
}

TEST(ContactLoop, TheConnectQuestionNeverCrashesHoweverItIsAnswered) {
  WindowProgram program;
  TfmRCatMain& window = program.ShowAndResume(nullptr);  // no radio
  talvexqt::InstallQtPlatform();  // real question boxes, not the recorder
  const std::function<void(QDialog&)> answers[] = {
      [](QDialog& box) { static_cast<QMessageBox&>(box).button(QMessageBox::No)->click(); },
      [](QDialog& box) { QTest::keyClick(&box, Qt::Key_Escape); },
      [](QDialog& box) {
        OnNextModal([](QDialog& portDialog) { portDialog.reject(); });  // Yes opens the radio port dialog
        static_cast<QMessageBox&>(box).button(QMessageBox::Yes)->click();
      },
  };
  for (const auto& answer : answers) {
    bool asked = false;
    OnNextModal([&](QDialog& box) {
      asked = true;
      answer(box);
    });
    TypeInto(window, kCellStation, "W1AYN");  // letters of both answers, typed in one burst
    ASSERT_TRUE(PumpUntil([&] { return asked && !QApplication::activeModalWidget(); }));
    EXPECT_EQ(program.Cell(kCellStation), "W1AYN");
    window.ClearLogLine();
  }
  platform::SetMessageSink(&program.messages);
  program.Close();
}

TEST(ContactLoop, KeysTypedRightAfterAClickAllLandInTheCell) {
  Station station;
  QTableWidget* grid = Grid(*station.window);
  const QRect cell = grid->visualRect(grid->model()->index(1, kCellQth));
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
  QWidget* editor = grid->indexWidget(grid->model()->index(1, kCellQth));  // opened by the click
  ASSERT_NE(editor, nullptr);
  QTest::keyClicks(editor, "G0AB");
  QTest::keyClicks(grid, "C");  // a key the grid gets while the editor is open goes on to it
  EXPECT_EQ(station.program.Cell(kCellQth), "G0ABC");
  // And the operator sizes a column with the mouse on its border; the
  // width is what the next start finds.
  const int before = grid->columnWidth(kCellQth);
  const int border = grid->columnViewportPosition(kCellQth) + before;
  QTest::mousePress(grid->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(border, 8));
  QTest::mouseMove(grid->viewport(), QPoint(border + 30, 8));
  QTest::mouseRelease(grid->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(border + 30, 8));
  EXPECT_EQ(grid->columnWidth(kCellQth), before + 30);
  station.program.Close();
  EXPECT_NE(station.program.dir.Read("Dravel_RESTART.txt").find("LOG_DISPLAY_COLWIDTH_QTH=" + std::to_string(before + 30)),
            std::string::npos);
}

// Every shortcut of the menu table, pressed in STN.WRKD's editor during a
// contact, runs its item; the editor keeps the call and its other keys.
TEST(ContactLoop, MenuShortcutsWinOverTheCellEditor) {
  Station station;
  TfmRCatMain& window = *station.window;
  VaroSimProbe& sim = *station.program.sim;
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  QLineEdit* editor = TypeInto(window, kCellStation, "K1AB");
  ASSERT_NE(editor, nullptr);
  struct Shortcut {
    Qt::Key key;
    const char* export_;  // the export its item calls
    const char* call;     // that call in the trace, or "" for any
  };
  const Shortcut table[] = {
      {Qt::Key_A, "FOCUSVFOKNOB", "FOCUSVFOKNOB('A', 1)"},
      {Qt::Key_B, "FOCUSVFOKNOB", "FOCUSVFOKNOB('B', 1)"},
      {Qt::Key_K, "SHOWKEYBOARD", ""},
      {Qt::Key_S, "STOPAUTOREPEATMESSAGE", ""},
  };
  for (const Shortcut& s : table) {
    sim.ClearTrace();
    QTest::keyClick(QApplication::focusWidget(), s.key, Qt::ControlModifier);
    const auto calls = sim.Calls(s.export_);
    ASSERT_EQ(calls.size(), 1u) << s.export_;
    if (*s.call) {
      EXPECT_EQ(calls[0], s.call);
    }
    EXPECT_EQ(station.program.Cell(kCellStation), "K1AB") << s.export_;
  }
  // "Show Message Buttons" shows Ctrl+B in its row, but the key is VFO B's.
  EXPECT_EQ(window.Menu().showMessageButtons->shortcut(), QKeySequence());
  EXPECT_TRUE(window.Menu().showMessageButtons->text().endsWith("\tCtrl+B"));
  QTest::keyClicks(QApplication::focusWidget(), "C");
  EXPECT_EQ(station.program.Cell(kCellStation), "K1ABC");
  // Ctrl+W clears the log line.
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_W, Qt::ControlModifier);
  EXPECT_EQ(station.program.Cell(kCellStation), "");
}

TEST(ContactLoop, ALoggedContactGoesOutOfTheSerialLoggingPort) {
  PseudoTerminal farEnd;
  WindowProgram program;
  program.dir.Write("Devices/Dravel_PORTS.txt", "COM7=/dev/null\nCOM8=" + farEnd.Device() + "\n");
  program.WriteRestartFile(std::string(kRestartOnCom7) + "SIOLOG_COM_PORT=COM8\nSIOLOG_BAUD_RATE=9600\n");
  TfmRCatMain& window = program.ShowAndResume(Resume(true));
  ASSERT_TRUE(program.app->IsRadioConnected(1));
  EXPECT_EQ(farEnd.Receive(1), "\r");  // logging started
  EXPECT_FALSE(window.MenuItem("Perform Serial I/O Logging")->isChecked());  // resumed, not checked
  TypeInto(window, kCellStation, "w1aw");
  PressKey(Grid(window), Qt::Key_F7);
  ASSERT_TRUE(PumpUntil([&] { return farEnd.Pending() > 0; }));
  PumpFor(20);
  const std::string log = program.dir.Read("Logs/Dravel_DEFAULTLOG.txt");
  ASSERT_FALSE(log.empty());
  const std::string line = log.substr(0, log.size() - 1);
  EXPECT_EQ(farEnd.Receive(line.size() + 2), line + ":;");
  EXPECT_EQ(farEnd.Pending(), 0);  // no line end
  program.Close();
}

TEST(ContactLoop, AfterAFailedConnectF7LogsWithoutARadio) {
  WindowProgram program;
  program.dir.Write("Devices/Dravel_DEVICES.txt", "RADIO=Varo,Missing.dll,38400\n");
  TfmRCatMain& window = program.ShowAndResume(nullptr);
  OnNextModal([](QDialog& dialog) {
    Click(dialog, "bnStart");
    OnNextModal([](QDialog& box) { box.done(0); });
  });
  window.ConnectCommand();
  ASSERT_FALSE(program.app->IsRadioConnected(1));
  TypeInto(window, kCellStation, "W1AW");
  PressKey(Grid(window), Qt::Key_F7);
  EXPECT_TRUE(PumpUntil([&] { return !program.dir.Read("Logs/Dravel_DEFAULTLOG.txt").empty(); }));
  EXPECT_NE(program.dir.Read("Logs/Dravel_DEFAULTLOG.txt").find(":W1AW:"), std::string::npos);
  program.Close();
}

TEST(ContactLoop, AttachingTheGridToThePanelLeavesOnlyTheKeysAndBack) {
  Station station;
  TfmRCatMain& window = *station.window;
  auto* panel1 = window.findChild<QFrame*>(QStringLiteral("Panel1"));
  auto* keys = window.findChild<QFrame*>(QStringLiteral("pnKeys"));
  QAction* attach = window.MenuItem("Attach Logging Grid to Varo Panel");
  ASSERT_TRUE(attach->isEnabled());
  window.pnActivateSoftPanelClick();  // the strip alone
  station.program.sim->ClearTrace();
  attach->trigger();  // attach: the library shows its own grid
  EXPECT_EQ(station.program.sim->Calls("SHOWLOGGRID").size(), 1u);
  EXPECT_TRUE(panel1->isHidden());
  EXPECT_EQ(keys->y(), panel1->y());
  EXPECT_EQ(window.ClientHeight(), keys->height());
  EXPECT_TRUE(station.program.app->Options().wantLogGrid);
  attach->trigger();  // detach
  EXPECT_EQ(station.program.sim->Calls("HIDELOGGRID").size(), 1u);
  EXPECT_FALSE(panel1->isHidden());
  EXPECT_EQ(keys->y(), panel1->y() + panel1->height());
  EXPECT_EQ(window.ClientHeight(), panel1->height() + keys->height());
  EXPECT_FALSE(station.program.app->Options().wantLogGrid);
  // "Show FOC Members" hands both flags to the library, FOC second.
  station.program.sim->ClearTrace();
  window.MenuItem("Show FOC Members")->trigger();
  EXPECT_EQ(station.program.sim->Calls("SETSHOWMEMBERS").at(0), "SETSHOWMEMBERS(1, 1, 1)");
  EXPECT_TRUE(station.program.app->Options().showFocMembers);
}

TEST(ContactLoop, MenuCommandsWithTheirDialogs) {
  Station station;
  TfmRCatMain& window = *station.window;
  VaroSimProbe& sim = *station.program.sim;

  // "Run Macros": sorted, once each after trimming, captions shown as set.
  sim.Control("MACROS= M1 ,M1,R&D");
  for (int opened = 0; opened < 2; ++opened) emit window.Menu().radio->aboutToShow();
  const QList<QAction*> macros = window.Menu().runMacros->actions();
  ASSERT_EQ(macros.size(), 2);
  EXPECT_EQ(macros[0]->text(), "M1");
  EXPECT_EQ(macros[1]->text(), "R&&D");  // shown as "R&D", no shortcut mark
  sim.ClearTrace();
  macros[1]->trigger();
  EXPECT_EQ(sim.Calls("RUNMACRO"), std::vector<std::string>{"RUNMACRO(\"R&D\", 1)"});

  // "Setup Local Log File": a folder that does not exist is refused, an
  // existing file is taken as it is.
  const std::string mine = station.program.dir.Path("Logs/mine.adi");
  station.program.dir.Write("Logs/mine.adi", "kept\n");
  OnNextModal([&](QDialog& dialog) {
    auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("ebFileName"));
    name->setText(QString::fromStdString(station.program.dir.Path("Gone/mine.adi")));
    Click(dialog, "bnApply");
    EXPECT_TRUE(dialog.isVisible());
    name->setText(QString::fromStdString(mine));
    dialog.findChildren<QRadioButton*>().at(1)->setChecked(true);  // ADIF
    Click(dialog, "bnApply");
  });
  sim.ClearTrace();
  window.Menu().setupLocalLog->trigger();
  EXPECT_EQ(station.program.messages.Messages(), std::vector<std::string>{"Unable to create file - try another name"});
  EXPECT_EQ(station.program.app->GetLocalLogFile(), mine);
  EXPECT_EQ(station.program.app->GetLocalLogType(), kLogTypeAdif);
  EXPECT_EQ(station.program.dir.Read("Logs/mine.adi"), "kept\n");
  EXPECT_EQ(sim.Calls("SETLOGFILE").size(), 1u);

  // "Update Names Data": the dialog names the file; what it adds is looked up at once.
  const std::string namesFile = station.program.app->Files().namesFile.str();
  QString label;
  OnNextModal([&](QDialog& dialog) {
    label = dialog.findChild<QLabel*>(QStringLiteral("Label1"))->text();
    auto* grid = dialog.findChild<QTableWidget*>(QStringLiteral("sgNames"));
    grid->item(1, 0)->setText(QStringLiteral("X9QQX"));
    grid->item(1, 1)->setText(QStringLiteral("CARL"));
    Click(dialog, "bnApply");
    QCoreApplication::processEvents();
    dialog.reject();
  });
  window.Menu().updateNames->trigger();
  EXPECT_EQ(label, QString::fromStdString("Names File " + namesFile));
  EXPECT_EQ(station.program.app->LookupOperator("x9qqx"), "CARL,N/A");

  // "Turn OFF Radio": Escape changes nothing, "Yes" turns off and disconnects.
  OnNextModal([](QDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); });
  window.Menu().turnOffRadio->trigger();
  EXPECT_TRUE(sim.Calls("TURNOFFRADIO").empty());
  EXPECT_TRUE(station.program.app->IsRadioConnected(1));
  OnNextModal([](QDialog& dialog) { Click(dialog, "bnYes"); });
  window.Menu().turnOffRadio->trigger();
  const auto trace = sim.Trace();
  const int off = TraceIndexOf(trace, "TURNOFFRADIO");
  ASSERT_GE(off, 0);
  EXPECT_GT(TraceIndexOf(trace, "DISCONNECTRADIO"), off);
  EXPECT_FALSE(station.program.app->IsRadioConnected(1));
  EXPECT_EQ(window.MsgOverEvent(), platform::kNoEvent);
  EXPECT_NE(window.MsgStartEvent(), platform::kNoEvent);

  // "About": the version cut to 14 characters; no date for a serial I/O
  // library that is not installed.
  station.program.app->ApplyIniEntry("VERSION", "12345678901234567890");
  QString version, credit;
  OnNextModal([&](QDialog& dialog) {
    version = dialog.findChild<QLabel*>(QStringLiteral("pnVersion"))->text();
    credit = dialog.findChild<QLabel*>(QStringLiteral("Label1"))->text();
    dialog.reject();
  });
  window.Menu().about->trigger();
  EXPECT_EQ(version, "Version 12345678901234");
  EXPECT_TRUE(credit.endsWith(" Built (not installed)")) << credit.toStdString();
}

TEST(ContactLoop, SetBandLimitsShowsTheBandListAndAppliesTheConfirmedLimits) {
  Station station;
  TTalvexApp& app = *station.program.app;
  app.SetBandLimits("40M", {"7000", "7300", "7010", "7125", "7150", "7300", "7030", "7100"});
  OnNextModal([](QDialog& shown) {
    auto& dialog = static_cast<TfmRadioParms&>(shown);
    EXPECT_EQ(dialog.CellText(3, 0) + " " + dialog.CellText(3, 3) + " " + dialog.CellText(3, 8), "40M 7010 7100");
    dialog.SetCellText(3, 4, "7100");
    dialog.SetCellText(3, 5, "N/A");  // raised to the band's edge
    Click(dialog, "bnApply");
  });
  station.window->Menu().setBandLimits->trigger();
  std::string limits;
  ASSERT_TRUE(app.GetBandLimitText("40M", 99, limits));
  EXPECT_EQ(limits, "7000,7300,7010,7100,7000,7300,7030,7100");
  EXPECT_NE(ReadWholeFile(app.Files().radioRestartFile.str()).find("BANDLIMIT=40M,7000,7300,7010,7100,7000,7300,7030,7100\n"),
            std::string::npos);
  EXPECT_EQ(station.program.sim->Calls("UPDATEBANDLIMITS").size(), 1u);
}

TEST(ContactLoop, EditedTemplateIsWrittenAndPreparedAgain) {
  Station station;
  TfmRCatMain& window = *station.window;
  VaroSimProbe& sim = *station.program.sim;
  station.program.dir.Write("Dravel_MSGTEMPLATE.txt", "MSG=CQ,CQ TEST\nMSG=73,TU\nAUTOCQ_DELAY=3\n");
  OnNextModal([](QDialog& dialog) {
    for (QLineEdit* edit : dialog.findChildren<QLineEdit*>())
      if (edit->text() == "TU") edit->setText("TU 73 @");
    dialog.findChild<QComboBox*>(QStringLiteral("cbAutoCQDelay"))->setCurrentText("5");
    Click(dialog, "bnSave");
  });
  window.Menu().editTemplate->trigger();
  EXPECT_EQ(station.program.dir.Read("Dravel_MSGTEMPLATE.txt"), "MSG=CQ,CQ TEST\nMSG=73,TU 73 @\nAUTOCQ_DELAY=5\n");
  EXPECT_EQ(sim.Calls("SETAUTOREPEATDELAYTIME"), std::vector<std::string>{"SETAUTOREPEATDELAYTIME(\"5\", 1)"});
  const auto trace = sim.Trace();
  EXPECT_GT(TraceIndexOf(trace, "SETMSGATINDEX"), TraceIndexOf(trace, "SETAUTOREPEATDELAYTIME"));
  EXPECT_NE(std::find(trace.begin(), trace.end(), "SETMSGATINDEX(\"TU 73 \", 1, 1)"), trace.end());

  // "Load Template From File" asks for the file in the window's open dialog.
  QString title;
  QStringList filters;
  OnNextModal([&](QDialog& dialog) {
    title = dialog.windowTitle();
    filters = static_cast<QFileDialog&>(dialog).nameFilters();
    dialog.reject();
  });
  window.Menu().loadTemplate->trigger();
  EXPECT_EQ(title, "Loading Message Template from File");
  EXPECT_EQ(filters, (QStringList{"All files (*)", "Msg files (*.msg) (*.dat)", "Text files (*.txt *.TXT)"}));
}
