// Every contact reaches every target, as the operator sees it in the real
// window over the simulated radio: contacts logged on the radio's attached
// grid go out of the serial logging port (found by reading the log's new
// lines), contacts logged while the port is unplugged wait with the key
// row counting them and follow after the replug from the dialog, and the
// menu's "Network Logging..." sends them to a reader on 127.0.0.1.

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <cstdio>

#include "MainWindowTestSupport.h"
#include "NetLogReader.h"
#include "PseudoTerminal.h"
#include "data/TLogRecord.h"
#include "data/TextFile.h"

namespace {

QWidget* RadioGrid() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == QStringLiteral("pnlLogGrid")) return w;
  return nullptr;
}

QTableWidget* Table(QWidget* window) { return window->findChild<QTableWidget*>(QStringLiteral("sgLog")); }

// Types the call into the grid's STN.WRKD editor and logs it with F7.
void LogOn(QWidget* window, const QString& call) {
  QTableWidget* grid = Table(window);
  grid->setCurrentCell(1, kCellStation);
  const QModelIndex index = grid->model()->index(1, kCellStation);
  if (!grid->indexWidget(index)) grid->editItem(grid->item(1, kCellStation));
  auto* editor = qobject_cast<QLineEdit*>(grid->indexWidget(index));
  ASSERT_NE(editor, nullptr);
  QTest::keyClicks(editor, call);
  QTest::keyClick(editor, Qt::Key_F7);
}

// The log's last n lines as the serial port sends them.
std::string LastLinesOnPort(const std::string& log, std::size_t n) {
  std::vector<std::string> lines = SplitTextLines(log);
  std::string out;
  for (std::size_t i = lines.size() - n; i < lines.size(); ++i) out += lines[i] + ":;";
  return out;
}

QString KeyRowWait(TfmRCatMain& window) {
  auto* wait = window.findChild<QLabel*>(QStringLiteral("pnLogWait"));
  return wait && wait->isVisibleTo(&window) ? wait->text() : QString();
}

}  // namespace

TEST(ContactDelivery, TheRadiosGridAndAnUnpluggedPortLoseNoContactAndTheNetworkGetsThem) {
  PseudoTerminal port;
  WindowProgram program;
  const auto mapCom9 = [&](const PseudoTerminal& device) {
    program.dir.Write("Devices/Dravel_PORTS.txt", "COM7=/dev/null\nCOM8=/dev/zero\nCOM9=" + device.Device() + "\n");
  };
  mapCom9(port);
  program.WriteRestartFile(std::string(kRestartOnCom7) + "SIOLOG_BAUD_RATE=9600\n");
  TfmRCatMain& window = program.ShowAndResume([](QDialog& dialog) {
    SetBox(dialog, "ckbResumeRadioPort", true);
    SetBox(dialog, "ckbResumeSioLog", true);
    Click(dialog, "bnResume");
  });
  ASSERT_TRUE(program.app->IsRadioConnected(1));
  ASSERT_EQ(port.Receive(1), "\r");
  const auto log = [&] { return program.dir.Read("Logs/Dravel_DEFAULTLOG.txt"); };

  // Two contacts on the radio's own grid: the library writes them, the program sends them.
  window.MenuItem("Attach Logging Grid to Varo Panel")->trigger();
  QWidget* radioGrid = RadioGrid();
  ASSERT_NE(radioGrid, nullptr);
  LogOn(radioGrid, "k1grd");
  LogOn(radioGrid, "k2grd");
  ASSERT_TRUE(PumpUntil([&] { return port.Pending() >= static_cast<int>(LastLinesOnPort(log(), 2).size()); }));
  const std::string fromGrid = LastLinesOnPort(log(), 2);
  EXPECT_NE(fromGrid.find(":K1GRD:"), std::string::npos);
  EXPECT_EQ(port.Receive(fromGrid.size()), fromGrid);
  std::printf("logging port, from the radio's grid: %s\n", fromGrid.c_str());

  // Unplugged: the next contact cannot go, the operator is told once, the key row counts.
  port.HangUp();
  LogOn(radioGrid, "k3unp");
  ASSERT_TRUE(PumpUntil([&] { return KeyRowWait(window) == "1 contact waits for the logging port"; }));
  ASSERT_EQ(program.messages.Messages().size(), 1u);
  EXPECT_TRUE(program.messages.Messages()[0].starts_with("Serial I/O logging stopped: could not ")) << program.messages.Messages()[0];
  window.MenuItem("Attach Logging Grid to Varo Panel")->trigger();  // the window's own grid again
  LogOn(&window, "k4unp");
  EXPECT_TRUE(PumpUntil([&] { return KeyRowWait(window) == "2 contacts wait for the logging port"; }));

  // Replugged: the dialog shows the count, and "Send Now" sends both, in order.
  PseudoTerminal replug;
  mapCom9(replug);
  QString shown;
  OnNextModal([&shown](QDialog& dialog) {
    shown = dialog.findChild<QLabel*>(QStringLiteral("lbWaiting"))->text();
    Click(dialog, "bnSendNow");
  });
  window.MenuItem("Perform Serial I/O Logging")->trigger();
  EXPECT_EQ(shown, "2 contacts wait for the logging port");
  const std::string missed = LastLinesOnPort(log(), 2);
  EXPECT_NE(missed.find(":K3UNP:"), std::string::npos);
  EXPECT_NE(missed.find(":K4UNP:"), std::string::npos);
  EXPECT_EQ(replug.Receive(1 + missed.size()), "\r" + missed);
  std::printf("logging port, after the replug: %s\n", missed.c_str());
  EXPECT_EQ(KeyRowWait(window), "");

  // "Network Logging...", the last item of the Logging menu: on, with its test.
  LoopbackReceiver reader;
  QString status;
  OnNextModal([&](QDialog& dialog) {
    EXPECT_EQ(dialog.objectName(), "fmNetLog");
    SetBox(dialog, "ckbWsjtx", true);
    dialog.findChild<QLineEdit*>(QStringLiteral("ebWsjtxAddress"))->setText("127.0.0.1:" + QString::number(reader.Port()));
    Click(dialog, "bnTest");
    status = dialog.findChild<QLabel*>(QStringLiteral("lbStatus"))->text();
    Click(dialog, "bnOk");
  });
  ASSERT_EQ(window.findChild<QMenu*>(QStringLiteral("mnLogging"))->actions().back(), window.MenuItem("Network Logging..."));
  window.MenuItem("Network Logging...")->trigger();
  EXPECT_EQ(status, "Heartbeat sent to 127.0.0.1:" + QString::number(reader.Port()));
  const WsjtxMessage heartbeat = ReadWsjtx(reader.Receive().value_or(""));  // schema, version, revision
  EXPECT_EQ(heartbeat.type == 0 && heartbeat.complete ? heartbeat.fields : std::vector<std::string>{},
            (std::vector<std::string>{"2", "test", ""}));
  EXPECT_NE(program.dir.Read("Talvex_NETLOG.txt").find("WSJTX_LOGGING=YES"), std::string::npos);
  LogOn(&window, "k5net");
  ASSERT_TRUE(PumpUntil([&] { return log().find(":K5NET:") != std::string::npos; }));
  const WsjtxMessage logged = ReadWsjtx(reader.Receive().value_or(""));
  EXPECT_EQ(logged.type == 5 ? logged.fields[1] : "", "K5NET");
  program.Close();
}
