// The logging grid the simulated radio attaches to its panel, shown through
// the window's menu as the operator does it: its contacts reach the same
// files as the window's, in the very same lines.

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "../data/AdifTestReader.h"
#include "MainWindowTestSupport.h"
#include "data/TLogRecord.h"
#include "platform/DateTime.h"
#include "platform/Module.h"

namespace {

const double kMoment = platform::EncodeDateTime(2026, 12, 8, 14, 23, 5);

// The radio's grid window, when it exists.
QWidget* RadioGrid() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == QStringLiteral("pnlLogGrid")) return w;
  return nullptr;
}

QTableWidget* Table(QWidget* window) { return window->findChild<QTableWidget*>(QStringLiteral("sgLog")); }
QString CellOf(QWidget* window, int column) { return Table(window)->item(1, column)->text(); }
QString Status(QWidget* panel) { return panel->findChild<QLabel*>(QStringLiteral("pnLogGridStatus"))->text(); }

// Opens the cell's editor and types the text into it, key by key.
QLineEdit* TypeInto(QWidget* window, int column, const QString& text) {
  QTableWidget* grid = Table(window);
  grid->setCurrentCell(1, column);
  const QModelIndex index = grid->model()->index(1, column);
  if (!grid->indexWidget(index)) grid->editItem(grid->item(1, column));
  auto* editor = qobject_cast<QLineEdit*>(grid->indexWidget(index));
  EXPECT_NE(editor, nullptr) << column;
  if (editor) QTest::keyClicks(editor, text);
  return editor;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
    lines.push_back(text.substr(start, end - start));
  return lines;
}

// The window connected to the simulated radio on 7025 kHz CW 50 W, with a
// names file, both logs (the local one of that type), and the radio's grid
// clock fixed at kMoment.
struct AttachedStation {
  WindowProgram program;
  TfmRCatMain* window = nullptr;
  platform::Module sim;
  int localType;
  explicit AttachedStation(int localLogType = kLogTypeArrl) : localType(localLogType) {
    program.dir.Write("Documents/Talvex_NAMES.txt", "W1AW,Hiram,1234,FOC\nW1AW,Hiram,567,CWOP\nK9XYZ,Ann,88,CWOP\n");
    program.WriteRestartFile(kRestartOnCom7);
    window = &program.ShowAndResume([](QDialog& dialog) {
      SetBox(dialog, "ckbResumeRadioPort", true);
      Click(dialog, "bnResume");
    });
    EXPECT_TRUE(program.app->IsRadioConnected(1));
    sim = platform::Module::Load(program.dir.Path("Devices/VaroSim.dll"));
    auto setClock = reinterpret_cast<VaroSimFn_SETLOGGRIDCLOCK>(sim.Symbol("VAROSIM_SETLOGGRIDCLOCK"));
    EXPECT_NE(setClock, nullptr);
    if (setClock) setClock(kMoment, 1);
    TTalvexApp& app = *program.app;
    app.SetLocalLogFile(LocalLog());
    app.SetLocalLogType(localType);
    app.SetLocalLogging(true);
    app.SetLogFile(1, LocalLog(), localType);
    program.sim->Control("FREQ=7025000");
    program.sim->Control("MODE=CW");
    program.sim->Control("POWER=50");
    EXPECT_TRUE(PumpUntil([&] { return program.Cell(kCellPower) == "50"; }));
  }
  ~AttachedStation() { program.Close(); }
  std::string LocalLog() const { return program.dir.Path(localType == kLogTypeAdif ? "Logs/mine.adi" : "Logs/mine.txt"); }
  void Attach() { window->MenuItem("Attach Logging Grid to Varo Panel")->trigger(); }
};

struct Contact {
  const char* call;
  std::vector<std::pair<int, const char*>> typed;  // further cells
  const char* name;  // NAME and ORGS as the lookup leaves them
  const char* orgs;
  const char* line;
};

}  // namespace

// Both local log types: the radio library's grid and the window write
// through the same contact library.
TEST(AttachedLogGrid, ContactsLoggedOnThePanelAndInTheWindowAreTheSameLines) {
  for (int localType : {kLogTypeArrl, kLogTypeAdif}) {
    SCOPED_TRACE(localType == kLogTypeAdif ? "ADIF local log" : "record-line local log");
    AttachedStation station(localType);
    const Contact contacts[] = {
        {"k9xyz", {}, "Ann", "CWOP", "2026-12-08:7025:CW:50:1423:K9XYZ:599:599:1423:N/A:ANN:CWOP"},
        {"w1aw",
         {{kCellSentRst, "57"}, {kCellRcvdRst, "559"}, {kCellQth, "Boston"}},
         "Hiram",
         "CWOP",
         "2026-12-08:7025:CW:50:1423:W1AW:57:559:1423:BOSTON:HIRAM:CWOP"},
        {"n0new", {{kCellName, "bob"}}, "", "", "2026-12-08:7025:CW:50:1423:N0NEW:599:599:1423:N/A:BOB:N/A"},
    };
    station.Attach();
    QWidget* panel = RadioGrid();
    ASSERT_NE(panel, nullptr);
    ASSERT_TRUE(panel->isVisible());
    ASSERT_TRUE(PumpUntil([&] { return CellOf(panel, kCellPower) == "50"; }));
    EXPECT_EQ(CellOf(panel, kCellFreq), "7025");
    EXPECT_EQ(CellOf(panel, kCellMode), "CW");
    for (int c = 0; c < kLogCells; ++c) {
      EXPECT_EQ(Table(panel)->item(0, c)->text(), station.window->findChild<QTableWidget*>("sgLog")->item(0, c)->text());
      EXPECT_GE(Table(panel)->columnWidth(c), kDefaultColumnWidths[static_cast<std::size_t>(c)]);
    }

    bool byF7 = true;  // F7 for one contact, Return for the next
    for (const Contact& contact : contacts) {
      QLineEdit* editor = TypeInto(panel, kCellStation, contact.call);
      EXPECT_EQ(CellOf(panel, kCellName), contact.name) << contact.call;
      EXPECT_EQ(CellOf(panel, kCellOrgs), contact.orgs) << contact.call;
      for (const auto& [column, text] : contact.typed) editor = TypeInto(panel, column, text);
      QTest::keyClick(editor, byF7 ? Qt::Key_F7 : Qt::Key_Return);
      byF7 = !byF7;
      EXPECT_EQ(Status(panel), QStringLiteral("Logged ") + QString(contact.call).toUpper());
      EXPECT_TRUE(CellOf(panel, kCellStation).isEmpty());
      EXPECT_EQ(CellOf(panel, kCellFreq), "7025");  // the radio's values stay
      EXPECT_EQ(Table(panel)->currentColumn(), kCellStation);
    }

    station.Attach();  // detach: the window's own grid again
    EXPECT_FALSE(panel->isVisible());
    for (const Contact& contact : contacts) {
      TypeInto(station.window, kCellStation, contact.call);
      for (const auto& [column, text] : contact.typed) TypeInto(station.window, column, text);
      // The window's log step at the same moment the radio's grid used.
      EXPECT_EQ(station.program.app->LogTheQso(kMoment, {}), TLogLine::Logged::kLogged);
      station.window->ClearLogLine();  // shows the emptied line
    }

    std::vector<std::string> expected;
    for (int twice = 0; twice < 2; ++twice)
      for (const Contact& contact : contacts) expected.push_back(contact.line);
    EXPECT_EQ(Lines(station.program.dir.Read("Logs/Dravel_DEFAULTLOG.txt")), expected);
    if (localType == kLogTypeArrl) {
      EXPECT_EQ(Lines(ReadWholeFile(station.LocalLog())), expected);
      continue;
    }
    // One header, then the panel's records and the window's, field for field.
    const auto adif = ReadAdif(ReadWholeFile(station.LocalLog()));
    ASSERT_TRUE(adif.has_value());
    EXPECT_EQ(adif->headerEnds, 1);
    ASSERT_EQ(adif->records.size(), 6u);
    for (std::size_t i = 0; i < 3; ++i) {
      EXPECT_EQ(adif->records[i], adif->records[i + 3]) << contacts[i].call;
      EXPECT_EQ(adif->records[i].at("CALL"), QString(contacts[i].call).toUpper().toStdString());
    }
  }
}

TEST(AttachedLogGrid, TheGridFollowsTheRadioAndTheOptionsAndNeverLosesAContact) {
  AttachedStation station;
  TTalvexApp& app = *station.program.app;
  station.Attach();
  QWidget* panel = RadioGrid();
  ASSERT_NE(panel, nullptr);
  station.program.sim->Control("FREQ=14060000");
  EXPECT_TRUE(PumpUntil([&] { return CellOf(panel, kCellFreq) == "14060"; }));

  // The clubs follow "Show FOC Members" (SETSHOWMEMBERS).
  station.window->MenuItem("Show FOC Members")->trigger();
  TypeInto(panel, kCellStation, "W1AW");
  EXPECT_EQ(CellOf(panel, kCellOrgs), "FOC+CWOP");

  // Hidden and shown again, the contact in progress is still there.
  station.Attach();
  station.Attach();
  EXPECT_EQ(RadioGrid(), panel);
  EXPECT_EQ(CellOf(panel, kCellStation), "W1AW");

  // Not asked to log, a log that cannot be written: nothing is claimed, the
  // line stays, and the operator reads why.
  app.SetWantsLog(1, false);
  QTest::keyClick(Table(panel), Qt::Key_F7);
  EXPECT_TRUE(Status(panel).startsWith("Not logged")) << Status(panel).toStdString();
  app.SetWantsLog(1, true);
  const std::string nowhere = station.program.dir.Path("gone/Dravel_DEFAULTLOG.txt");
  app.SetDefaultLogFile(1, nowhere);
  QTest::keyClick(Table(panel), Qt::Key_F7);
  EXPECT_TRUE(Status(panel).startsWith("Not logged - Could not write the log file " + QString::fromStdString(nowhere)))
      << Status(panel).toStdString();
  EXPECT_EQ(CellOf(panel, kCellStation), "W1AW");
  EXPECT_FALSE(station.program.dir.Exists("Logs/Dravel_DEFAULTLOG.txt"));
  // The local log took it the first time: a second try does not write it again.
  app.SetDefaultLogFile(1, station.program.dir.Path("Logs/Dravel_DEFAULTLOG.txt"));
  QTest::keyClick(Table(panel), Qt::Key_F7);
  EXPECT_EQ(Status(panel), "Logged W1AW");
  EXPECT_EQ(Lines(station.program.dir.Read("Logs/Dravel_DEFAULTLOG.txt")).size(), 1u);
  EXPECT_EQ(Lines(ReadWholeFile(station.LocalLog())).size(), 1u);

  // A names file that cannot be read leaves the lookup empty, and says so.
  app.SetNamesHistoryFile(1, station.program.dir.Path("Documents/missing.txt"));
  EXPECT_TRUE(Status(panel).startsWith("Could not open operator names/history file"));
  TypeInto(panel, kCellStation, "K9XYZ");
  EXPECT_TRUE(CellOf(panel, kCellName).isEmpty());

  // Closing the window disconnects the radio, and the grid window goes with it.
  station.program.Close();
  EXPECT_EQ(RadioGrid(), nullptr);
}
