// The main window over the simulated radio: creation, the resume path, the
// first connection, the listener steps and closing.

#include <QAbstractButton>
#include <QAction>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <atomic>
#include <thread>

#include "MainWindowTestSupport.h"
#include "data/TLogRecord.h"

namespace {

QLabel* Panel(TfmRCatMain& window, const char* name) {
  return window.findChild<QLabel*>(QString::fromLatin1(name));
}

// Index of the first trace line that starts with name, or -1.
int TraceIndex(const std::vector<std::string>& trace, const std::string& name, int from = 0) {
  for (int i = from; i < static_cast<int>(trace.size()); ++i)
    if (trace[i].compare(0, name.size() + 1, name + "(") == 0) return i;
  return -1;
}

auto ResumeWithRadio(bool radio) {
  return [radio](QDialog& dialog) {
    SetBox(dialog, "ckbResumeRadioPort", radio);
    Click(dialog, "bnResume");
  };
}

}  // namespace

TEST(MainWindow, EveryComponentIsFoundByNameAndTheKeysReadAndFitAsTheOperatorSeesThem) {
  WindowProgram program;
  TfmRCatMain& window = program.Start();
  for (const char* name : {"Panel1", "sgLog", "pnKeys", "pnConnecting", "pnEsc", "pnF1", "pnF2", "pnF3",
                           "pnF4", "pnF5", "pnF6", "pnF7", "pnSending", "imVaroPanel",
                           "pnActivateSoftPanel", "OpenDialog1", "tmHealthCheck", "MainMenu1"})
    EXPECT_NE(window.findChild<QObject*>(QString::fromLatin1(name)), nullptr) << name;

  auto* grid = window.findChild<QTableWidget*>(QStringLiteral("sgLog"));
  ASSERT_EQ(grid->columnCount(), 12);
  ASSERT_EQ(grid->rowCount(), 2);
  const char* headings[] = {"DATE",  "FREQ",  "MODE",    "POWER", "UTC-ON", "STN.WRKD",
                            "S.RST", "R.RST", "UTC-OFF", "QTH",   "NAME",   "ORGS"};
  for (int c = 0; c < 12; ++c) EXPECT_EQ(grid->item(0, c)->text().toStdString(), headings[c]);
  // The contact's row shows a whole line of its font.
  EXPECT_GE(grid->rowHeight(1), QFontMetrics(grid->font()).height());

  // The key row: every key reads as the operator expects, its caption
  // fits, and the keys sit side by side inside the row and the window.
  auto* keys = window.findChild<QFrame*>(QStringLiteral("pnKeys"));
  EXPECT_FALSE(keys->isEnabled());
  const std::pair<const char*, const char*> captions[] = {
      {"pnEsc", "ESC - Stop"}, {"pnF1", "F1 - CQ"},   {"pnF2", "F2 - MSG1"}, {"pnF3", "F3 - MSG2"},
      {"pnF4", "F4 - MSG3"},   {"pnF5", "F5 - MSG4"}, {"pnF6", "F6 - 73"},   {"pnF7", "F7 - LOG"}};
  std::vector<QRect> taken;
  for (const auto& [name, caption] : captions) {
    const QLabel* key = Panel(window, name);
    EXPECT_EQ(key->text(), caption);
    EXPECT_LE(key->fontMetrics().horizontalAdvance(key->text()), key->width()) << name;
    const QRect at = key->geometry();
    EXPECT_TRUE(keys->rect().contains(at)) << name;
    for (const QRect& other : taken) EXPECT_FALSE(other.intersects(at)) << name;
    taken.push_back(at);
  }
  EXPECT_EQ(Panel(window, "pnF7")->toolTip(), "Log the QSO");
  EXPECT_TRUE(window.rect().contains(QRect(keys->mapTo(&window, QPoint()), keys->size())));
  EXPECT_TRUE(Panel(window, "pnActivateSoftPanel")->isHidden());
  EXPECT_FALSE(window.findChild<QTimer*>(QStringLiteral("tmHealthCheck"))->isActive());
  EXPECT_TRUE(window.windowTitle().startsWith("Talvex de N0CALL:  [Built: "));
  EXPECT_TRUE(window.windowTitle().endsWith("]"));
}

TEST(MainWindow, WithoutARestartFileNothingIsResumedOrConnected) {
  WindowProgram program;
  TfmRCatMain& window = program.ShowAndResume(nullptr);
  PumpFor(100);
  EXPECT_FALSE(program.app->IsRadioConnected(1));
  EXPECT_FALSE(window.findChild<QFrame*>(QStringLiteral("pnKeys"))->isEnabled());
  EXPECT_TRUE(program.sim->Calls("CONNECTRADIO").empty());
  // F7 with no log request listener does nothing.
  window.RequestLog();
  PumpFor(50);
  EXPECT_FALSE(program.dir.Exists("Logs/Dravel_DEFAULTLOG.txt"));
}

TEST(MainWindow, ResumeWithTheRadioUntickedOnlySaysConnecting) {
  WindowProgram program;
  program.WriteRestartFile(kRestartOnCom7);
  TfmRCatMain& window = program.ShowAndResume(ResumeWithRadio(false));
  EXPECT_EQ(Panel(window, "pnConnecting")->text(), "Connecting");
  EXPECT_FALSE(program.app->IsRadioConnected(1));
  EXPECT_TRUE(program.sim->Calls("CONNECTRADIO").empty());
}

TEST(MainWindow, FirstConnectionConnectsInOrderAndShrinksToGridAndKeys) {
  WindowProgram program;
  program.WriteRestartFile(kRestartOnCom7);
  TfmRCatMain& window = program.ShowAndResume(ResumeWithRadio(true));
  ASSERT_TRUE(program.app->IsRadioConnected(1));
  auto* grid = window.findChild<QTableWidget*>(QStringLiteral("sgLog"));
  auto* keys = window.findChild<QFrame*>(QStringLiteral("pnKeys"));
  EXPECT_TRUE(keys->isEnabled());
  // The soft-panel switch shows inside the window, below the key row, until
  // it is clicked; then only the grid and the key row stay.
  QLabel* softPanel = Panel(window, "pnActivateSoftPanel");
  ASSERT_TRUE(softPanel->isVisible());
  EXPECT_TRUE(window.centralWidget()->rect().contains(softPanel->geometry()));
  EXPECT_GE(softPanel->y(), keys->y() + keys->height());

  const auto trace = program.sim->Trace();
  const int title = TraceIndex(trace, "INITTITLEBARFLAG");
  const int connect = TraceIndex(trace, "CONNECTRADIO");
  ASSERT_GE(connect, 0);
  EXPECT_EQ(title + 1, connect);
  EXPECT_NE(trace[connect].find("\"Varo,VaroSim.dll,19200,8N,1,NOHANDSHAKE,20,PRPD\""), std::string::npos)
      << trace[connect];
  // Steps 6 to 14 in their order.
  int at = connect;
  for (const char* name : {"SETBAUDRATE", "READFREQUENCY", "READMODE", "HIDECONFIGPANEL", "HIDECLOSEPANEL",
                           "HIDESMALLPANEL", "SETLOGREQUESTEVENTHANDLE", "SETMSGEVENTHANDLES",
                           "SETSHOWMEMBERS", "SETNAMESHISTORYFILE", "SETLOGFILE", "SETWANTSLOG",
                           "SETDEFAULTLOGFILE", "HIDEKEYBOARD", "HIDELOGGRID", "SHOWMSGBUTTONS",
                           "SETMSGATINDEX", "SETAUTOREPEATDELAYTIME", "SETAUTOREPEATSTATUS"}) {
    const int next = TraceIndex(trace, name, at);
    EXPECT_GT(next, at) << name << " after " << trace[at];
    if (next > at) at = next;
  }
  // The over event first, then the start event; the CWOps flag first.
  const std::string events = program.sim->Calls("SETMSGEVENTHANDLES").at(0);
  EXPECT_EQ(events, "SETMSGEVENTHANDLES(" + std::to_string(window.MsgOverEvent()) + ", " +
                        std::to_string(window.MsgStartEvent()) + ", 1)");
  EXPECT_EQ(program.sim->Calls("SETSHOWMEMBERS").at(0), "SETSHOWMEMBERS(1, 0, 1)");
  EXPECT_TRUE(window.MenuItem("Show CWOps Members")->isChecked());
  EXPECT_FALSE(window.MenuItem("Show FOC Members")->isChecked());
  EXPECT_TRUE(window.MenuItem("Enable Auto CQ")->isEnabled());
  EXPECT_FALSE(window.MenuItem("Enable Auto CQ")->isChecked());

  // The first key typed lands in STN.WRKD.
  EXPECT_EQ(grid->currentColumn(), kCellStation);
  QWidget* focus = window.focusWidget();
  ASSERT_TRUE(focus == grid || grid->isAncestorOf(focus));
  QTest::keyClicks(focus, "g0abc");
  EXPECT_EQ(program.Cell(kCellStation), "g0abc");
  program.sim->ClearTrace();
  QTest::mouseClick(softPanel, Qt::LeftButton);
  EXPECT_FALSE(softPanel->isVisible());
  EXPECT_EQ(program.sim->Calls("SHOWMORECONTROLS"), std::vector<std::string>{"SHOWMORECONTROLS(1)"});
  EXPECT_EQ(window.ClientHeight(), grid->height() + keys->height());
  program.Close();
}

TEST(MainWindow, TheGridFollowsTheRadioAndTheSendingStatusFollowsItsMessages) {
  WindowProgram program;
  program.WriteRestartFile(kRestartOnCom7);
  TfmRCatMain& window = program.ShowAndResume(ResumeWithRadio(true));
  ASSERT_TRUE(program.app->IsRadioConnected(1));

  program.sim->Control("FREQ=14025000");
  program.sim->Control("MODE=CW");
  program.sim->Control("POWER=75");
  ASSERT_TRUE(PumpUntil([&] { return program.Cell(kCellFreq) == "14025"; })) << program.Cell(kCellFreq).toStdString();
  EXPECT_TRUE(PumpUntil([&] { return program.Cell(kCellMode) == "CW" && program.Cell(kCellPower) == "75"; }))
      << program.Cell(kCellMode).toStdString() << " " << program.Cell(kCellPower).toStdString();

  // Between messages the sending panel shows the radio's baud rate.
  program.sim->Control("BAUD=4800");
  QLabel* sending = Panel(window, "pnSending");
  EXPECT_TRUE(PumpUntil([&] { return sending->text() == "4800"; })) << sending->text().toStdString();

  // A message: its caption and expanded text from its start to its end, and
  // radio changes meanwhile leave the caption alone.
  // Keyed slowly, the message is still being sent when the radio change
  // step has shown the knob's new frequency.
  program.sim->Control("SPEED=5");
  window.SendMessage(2);
  ASSERT_TRUE(PumpUntil([&] { return sending->text() == "Sending MSG2"; })) << sending->text().toStdString();
  EXPECT_EQ(sending->toolTip(), Panel(window, "pnF3")->toolTip());
  program.sim->Control("FREQ=14031000");
  ASSERT_TRUE(PumpUntil([&] { return program.Cell(kCellFreq) == "14031"; }));
  ASSERT_EQ(program.sim->Query("SENDING"), 2);
  EXPECT_EQ(sending->text(), "Sending MSG2");
  window.StopMessage();
  EXPECT_TRUE(PumpUntil([&] { return sending->text().isEmpty() || sending->text() == "4800"; }));
  program.Close();
}

TEST(MainWindow, TheGridFollowsTheSoftPanel) {
  WindowProgram program;
  program.WriteRestartFile(kRestartOnCom7);
  TfmRCatMain& window = program.ShowAndResume(ResumeWithRadio(true));
  ASSERT_TRUE(program.app->IsRadioConnected(1));
  // The library's full panel: the one the click shows.
  QWidgetList shown;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->isVisible()) shown.append(w);
  QTest::mouseClick(Panel(window, "pnActivateSoftPanel"), Qt::LeftButton);
  QWidget* panel = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == "pnlVaroMain" && w->isVisible() && !shown.contains(w)) panel = w;
  ASSERT_NE(panel, nullptr) << "the library's full panel";
  auto click = [&](const char* name) { QTest::mouseClick(panel->findChild<QAbstractButton*>(name), Qt::LeftButton); };

  click("bn40m");
  EXPECT_TRUE(PumpUntil([&] { return program.Cell(kCellFreq) == "7025"; })) << program.Cell(kCellFreq).toStdString();
  click("bnModeUSB");
  EXPECT_TRUE(PumpUntil([&] { return program.Cell(kCellMode) == "PH"; })) << program.Cell(kCellMode).toStdString();
  QWidget* knob = panel->findChild<QWidget*>("knbTuning");
  for (int i = 0; i < 10; ++i) QTest::keyClick(knob, Qt::Key_PageUp);  // 100 clicks of 10 Hz
  EXPECT_TRUE(PumpUntil([&] { return program.Cell(kCellFreq) == "7026"; })) << program.Cell(kCellFreq).toStdString();
  QPointer<QWidget> gone(panel);
  program.Close();
  EXPECT_TRUE(gone.isNull()) << "the panel goes with the library";
}

TEST(MainWindow, ColumnWidthsComeBackAtActivationAndAreKeptAtClosing) {
  WindowProgram program;
  program.WriteRestartFile(std::string(kRestartOnCom7) + "LOG_DISPLAY_COLWIDTH_QTH=91\n");
  TfmRCatMain& window = program.ShowAndResume([](QDialog& dialog) { Click(dialog, "bnCancel"); });
  auto* grid = window.findChild<QTableWidget*>(QStringLiteral("sgLog"));
  EXPECT_EQ(grid->columnWidth(kCellQth), 91);
  grid->setColumnWidth(kCellQth, 120);
  window.FormActivate();
  EXPECT_EQ(grid->columnWidth(kCellQth), 91);
  grid->setColumnWidth(kCellName, 133);
  program.Close();
  EXPECT_EQ(program.app->Options().columnWidths[kCellName], 133);
  EXPECT_NE(program.dir.Read("Dravel_RESTART.txt").find("LOG_DISPLAY_COLWIDTH_NAME=133"), std::string::npos);
}

TEST(MainWindow, ClosingWritesTheRadioRestartFileDisconnectsThenWritesTheRestartFile) {
  WindowProgram program;
  program.WriteRestartFile(kRestartOnCom7);
  program.ShowAndResume(ResumeWithRadio(true));
  ASSERT_TRUE(program.app->IsRadioConnected(1));
  program.dir.Write("Dravel_RESTART.txt", "");
  program.sim->ClearTrace();
  program.Close();
  EXPECT_FALSE(program.app->IsRadioConnected(1));
  EXPECT_TRUE(program.dir.Exists("Dravel_RADIORESTART.txt"));
  EXPECT_NE(program.dir.Read("Dravel_RESTART.txt").find("END_OF_RESTART_FILE=YES"), std::string::npos);
  const auto radioRestart = std::filesystem::last_write_time(program.dir.Path("Dravel_RADIORESTART.txt"));
  const auto restart = std::filesystem::last_write_time(program.dir.Path("Dravel_RESTART.txt"));
  EXPECT_LE(radioRestart, restart);
  EXPECT_EQ(program.sim->Calls("DISCONNECTRADIO").size(), 1u);
  // A second close does nothing more.
  program.window->FormClose();
  EXPECT_EQ(program.sim->Calls("DISCONNECTRADIO").size(), 1u);
}

namespace {

// Runs the connect command and answers the radio port dialog with the button.
void ConnectCommandWith(TfmRCatMain& window, const char* button) {
  OnNextModal([button](QDialog& dialog) { Click(dialog, button); });
  window.ConnectCommand();
}

}  // namespace

TEST(MainWindow, TheConnectCommandConnectsAndDisconnects) {
  WindowProgram program;
  TfmRCatMain& window = program.ShowAndResume(nullptr);
  ConnectCommandWith(window, "bnStart");
  ASSERT_TRUE(program.app->IsRadioConnected(1));
  EXPECT_EQ(Panel(window, "pnConnecting")->text(), "Connecting");
  EXPECT_NE(window.RadioChangeEvent(), platform::kNoEvent);
  EXPECT_EQ(program.sim->Calls("READFREQUENCY").size(), 1u);
  // The keys and radio menus work at once, with no activation of the
  // window after the dialog (none comes without a window manager).
  EXPECT_TRUE(window.findChild<QFrame*>(QStringLiteral("pnKeys"))->isEnabled());
  EXPECT_TRUE(window.Menu().radio->isEnabled());
  EXPECT_TRUE(window.Menu().stopMessage->isEnabled());
  // The library learnt the message events: F1 brings "Sending CQ".
  window.SendMessage(0);
  EXPECT_TRUE(PumpUntil([&] { return Panel(window, "pnSending")->text() == "Sending CQ"; }));
  window.StopMessage();

  program.sim->ClearTrace();
  ConnectCommandWith(window, "bnStop");
  EXPECT_FALSE(program.app->IsRadioConnected(1));
  EXPECT_EQ(Panel(window, "pnConnecting")->text(), "Disconnected");
  EXPECT_EQ(window.RadioChangeEvent(), platform::kNoEvent);
  EXPECT_EQ(window.LogRequestEvent(), platform::kNoEvent);
  EXPECT_NE(window.MsgOverEvent(), platform::kNoEvent);  // the message listeners keep running
  // A message start arriving now asks nothing of the library that is gone.
  program.messages.Clear();
  platform::SetEvent(window.MsgStartEvent());
  PumpFor(200);
  EXPECT_TRUE(program.messages.Messages().empty()) << program.messages.Messages().front();
  // The radio restart file was written (the band limits went to the radio)
  // before the radio was disconnected.
  const auto trace = program.sim->Trace();
  const int bands = TraceIndex(trace, "UPDATEBANDLIMITS");
  const int disconnect = TraceIndex(trace, "DISCONNECTRADIO");
  EXPECT_GE(bands, 0);
  EXPECT_GT(disconnect, bands);
  EXPECT_TRUE(program.dir.Exists("Dravel_RADIORESTART.txt"));
  program.Close();
}

TEST(MainWindow, ConnectWhileConnectedFailsAndRestartsNothing) {
  WindowProgram program;
  program.WriteRestartFile(kRestartOnCom7);
  TfmRCatMain& window = program.ShowAndResume(ResumeWithRadio(true));
  ASSERT_TRUE(program.app->IsRadioConnected(1));
  // "Connect" in the radio port dialog while connected is a failed connection that restarts nothing.
  const platform::EventHandle radioChange = window.RadioChangeEvent();
  program.sim->ClearTrace();
  QString boxCaption;
  OnNextModal([&](QDialog& dialog) {
    Click(dialog, "bnStart");
    OnNextModal([&](QDialog& box) {
      boxCaption = box.windowTitle();
      box.done(0);
    });
  });
  window.ConnectCommand();
  EXPECT_EQ(boxCaption, "Connect Failed");
  EXPECT_EQ(Panel(window, "pnConnecting")->text(), "Connect failed");
  EXPECT_TRUE(program.sim->Calls("CONNECTRADIO").empty());
  EXPECT_EQ(window.RadioChangeEvent(), radioChange);

  EXPECT_EQ(program.app->GetRadioComPort(), "COM7");
  program.Close();
}

TEST(MainWindow, AFailedConnectSaysSoAndKeepsTheListenersForTheKeys) {
  WindowProgram program;
  program.dir.Write("Devices/Dravel_DEVICES.txt", "RADIO=Varo,Missing.dll,38400,8N,1,NOHANDSHAKE,20\n");
  TfmRCatMain& window = program.ShowAndResume(nullptr);
  QString boxCaption, boxText;
  OnNextModal([&](QDialog& dialog) {
    Click(dialog, "bnStart");
    OnNextModal([&](QDialog& box) {
      boxCaption = box.windowTitle();
      auto* message = qobject_cast<QMessageBox*>(&box);
      if (message) boxText = message->text();
      box.done(0);
    });
  });
  window.ConnectCommand();
  EXPECT_FALSE(program.app->IsRadioConnected(1));
  EXPECT_EQ(Panel(window, "pnConnecting")->text(), "Connect failed");
  EXPECT_EQ(boxCaption, "Connect Failed");
  EXPECT_EQ(boxText, "Try disconnect button and then retry connect");
  EXPECT_NE(window.LogRequestEvent(), platform::kNoEvent);
  program.Close();
}

TEST(MainWindowThreads, ConnectAndDisconnectTwentyTimesUnderAStormOfRadioChanges) {
  WindowProgram program;
  TfmRCatMain& window = program.ShowAndResume(nullptr);
  std::atomic<bool> storm{true};
  // The radio's own side: turns the knob (which sets the radio change event)
  // as fast as it can, whether or not the program has the radio connected.
  std::thread knob([&] {
    while (storm) program.sim->TryControl("KNOB=1");
  });
  for (int round = 0; round < 20; ++round) {
    ConnectCommandWith(window, "bnStart");
    EXPECT_TRUE(program.app->IsRadioConnected(1)) << round;
    PumpFor(round % 4 * 5);
    ConnectCommandWith(window, "bnStop");
    EXPECT_FALSE(program.app->IsRadioConnected(1)) << round;
  }
  storm = false;
  knob.join();
  for (const std::string& message : program.messages.Messages())
    EXPECT_EQ(message.find("not found"), std::string::npos) << message;
  program.Close();
}

TEST(MainWindow, TheMessageFilterRefusesAltF4AltSpaceAndMinimising) {
  WindowProgram program;
  TfmRCatMain& window = program.ShowAndResume(nullptr);
  // Alt+Space reaches no widget: typed into a cell it adds nothing.
  auto* grid = window.findChild<QTableWidget*>(QStringLiteral("sgLog"));
  grid->setCurrentCell(1, kCellQth);
  QWidget* editor = grid->indexWidget(grid->model()->index(1, kCellQth));
  ASSERT_NE(editor, nullptr);
  QTest::keyClicks(editor, "a");
  QTest::keyClick(editor, Qt::Key_Space, Qt::AltModifier);
  QTest::keyClicks(editor, "b");
  EXPECT_EQ(program.Cell(kCellQth), "ab");

  // Minimising is taken back.
  window.showMinimized();
  EXPECT_TRUE(PumpUntil([&] { return !window.isMinimized(); }));

  // With "Disable Alt-F4" a close that comes while Alt is held is refused.
  window.Menu().disableAltF4->trigger();
  ASSERT_TRUE(program.app->Options().disableAltF4);
  QTest::keyPress(&window, Qt::Key_Alt, Qt::AltModifier);
  EXPECT_FALSE(window.close());
  // The filter is the program's: a dialog is kept open, keeps Alt+Space out
  // of its fields and is not minimised either.
  QDialog dialog(&window);
  auto* field = new QLineEdit(&dialog);
  dialog.show();
  EXPECT_FALSE(dialog.close());
  EXPECT_TRUE(dialog.isVisible());
  QTest::keyClick(field, Qt::Key_Space, Qt::AltModifier);
  EXPECT_EQ(field->text(), "");
  dialog.showMinimized();
  EXPECT_TRUE(PumpUntil([&] { return !dialog.isMinimized(); }));
  QTest::keyRelease(&window, Qt::Key_Alt, Qt::NoModifier);
  EXPECT_TRUE(dialog.close());
  EXPECT_TRUE(window.close());
}
