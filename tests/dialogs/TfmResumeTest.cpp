// The resume dialog: what it offers from the previous run's values, and what
// it reports after the operator closes it.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

#include "QtTestApp.h"
#include "dialogs/TfmResume.h"

namespace fs = std::filesystem;

namespace {
constexpr int kCheckRows = 7;  // every row with one check box, the user-log row aside

// A user log file that exists for the test's lifetime.
class TempLogFile {
 public:
  TempLogFile() {
    m_path = fs::temp_directory_path() /
             ("talvex-resume-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
              "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".txt");
    std::ofstream(m_path) << "QSO\n";
  }
  ~TempLogFile() {
    std::error_code ignored;
    fs::remove(m_path, ignored);
  }
  std::string Path() const { return m_path.string(); }

 private:
  fs::path m_path;
};

// Everything found: both ports installed and the log file present.
TResumeValues AllFound(const std::string& logFile) {
  TResumeValues v;
  v.radioComPort = "COM3";
  v.radioBaud = "38400";
  v.sioLogComPort = "COM5";
  v.wantMessageButtons = true;
  v.wantKeyboard = false;
  v.wantAutoCq = true;
  v.wantLogGrid = false;
  v.wantTitleBars = true;
  v.autoCqDelay = 3;
  v.localLogFile = logFile;
  v.localLogAdif = true;
  v.sioLogAdif = false;
  v.serialPorts = {"COM1", "COM3", "COM5"};
  return v;
}

template <typename T>
T* Find(QDialog& dialog, const char* name) {
  T* found = dialog.findChild<T*>(name);
  EXPECT_NE(found, nullptr) << name;
  return found;
}

bool Shown(QDialog& dialog, const char* panel) { return !Find<QFrame>(dialog, panel)->isHidden(); }

// Runs the dialog modally; action runs once it is up, and must close it.
int RunModal(TfmResume& dialog, std::function<void()> action) {
  QTimer::singleShot(0, &dialog, std::move(action));
  return dialog.exec();
}

int FullHeight() {
  return kCheckRows * TfmResume::kRowHeight + TfmResume::kUserLogRowHeight +
         TfmResume::kButtonRowHeight;
}
}  // namespace

TEST(ResumeDialog, EverythingFoundOffersEveryRowWithItsCaption) {
  EnsureQtApp();
  TempLogFile log;
  TfmResume dialog(AllFound(log.Path()));

  EXPECT_EQ(dialog.objectName(), "fmResume");
  EXPECT_EQ(dialog.windowTitle(), "Resuming selected items from previous session");
  struct Row { const char* panel; const char* box; QString caption; bool checked; };
  const Row rows[] = {
      {"pnResumeRadioPort", "ckbResumeRadioPort", "Interface to Varo CAT using COM3 at 38400 Baud", true},
      {"pnResumeMsgButtons", "ckbShowMsgButtons", "Resume showing message buttons on Varo panel", true},
      {"pnResumeKeyboard", "ckbShowKeyboard", "Resume showing message keyboard on Varo panel", false},
      {"pnResumeAutoCQ", "ckbResumeAutoCQ", "Resume Auto CQ with Delay of 3 seconds", true},
      {"pnResumeLogGrid", "ckbShowLogGrid", "Resume showing logging grid on Varo panel", false},
      {"pnResumeTitleBars", "ckbShowTitleBars", "Resume showing title bars on Varo panels", true},
      {"pnResumeUserLog", "ckbResumeUserLog", "User defined log in ADIF format in the following file", true},
      {"pnResumeSioLog", "ckbResumeSioLog", "Perform serial I/O logging using COM5 and ARRL format.", true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.box);
    EXPECT_TRUE(Shown(dialog, row.panel));
    auto* box = Find<QCheckBox>(dialog, row.box);
    EXPECT_EQ(box->text(), row.caption);
    EXPECT_EQ(box->isChecked(), row.checked);
    EXPECT_TRUE(box->isEnabled());
  }
  auto* file = Find<QLineEdit>(dialog, "ebLocalFile");
  EXPECT_EQ(file->text().toStdString(), log.Path());
  EXPECT_TRUE(file->isReadOnly());
  EXPECT_TRUE(Shown(dialog, "pnButtons"));
  EXPECT_EQ(Find<QPushButton>(dialog, "bnResume")->text(), "Resume");
  EXPECT_EQ(Find<QPushButton>(dialog, "bnResume")->toolTip(), "Resume the selected items");
  EXPECT_EQ(Find<QPushButton>(dialog, "bnCancel")->text(), "Cancel");

  EXPECT_EQ(dialog.height(), FullHeight());
  // Rows are stacked top to bottom in table order, without overlap.
  int top = 0;
  for (const Row& row : rows) {
    auto* panel = Find<QFrame>(dialog, row.panel);
    EXPECT_EQ(panel->y(), top) << row.panel;
    top += panel->height();
  }
  EXPECT_EQ(Find<QFrame>(dialog, "pnResumeUserLog")->height(), TfmResume::kUserLogRowHeight);

  const TResumeChoice c = dialog.Choices();
  EXPECT_TRUE(c.radioPort && c.messageButtons && c.autoCq && c.titleBars && c.userLog && c.sioLog);
  EXPECT_FALSE(c.keyboard || c.logGrid);
}

TEST(ResumeDialog, MissingPortsAndLogFileHideOrDisableTheirRows) {
  EnsureQtApp();
  TempLogFile log;
  {
    TResumeValues v = AllFound(log.Path());
    v.sioLogComPort = "COM9";  // no longer installed
    TfmResume dialog(v);
    EXPECT_FALSE(Shown(dialog, "pnResumeSioLog"));
    EXPECT_FALSE(Find<QCheckBox>(dialog, "ckbResumeSioLog")->isChecked());
    EXPECT_FALSE(dialog.Choices().sioLog);
    EXPECT_EQ(dialog.height(), FullHeight() - TfmResume::kRowHeight);
    EXPECT_EQ(Find<QFrame>(dialog, "pnButtons")->y(), FullHeight() - TfmResume::kRowHeight -
                                                          TfmResume::kButtonRowHeight);
  }
  {
    TResumeValues v = AllFound(log.Path() + ".deleted");
    TfmResume dialog(v);
    EXPECT_FALSE(Shown(dialog, "pnResumeUserLog"));
    EXPECT_FALSE(Find<QCheckBox>(dialog, "ckbResumeUserLog")->isChecked());
    EXPECT_TRUE(Find<QLineEdit>(dialog, "ebLocalFile")->text().isEmpty());
    EXPECT_FALSE(dialog.Choices().userLog);
    EXPECT_EQ(dialog.height(), FullHeight() - TfmResume::kUserLogRowHeight);
  }
  {
    TResumeValues v = AllFound("");  // no user log set up
    v.localLogFile = fs::temp_directory_path().string();  // a folder is not a log file
    TfmResume dialog(v);
    EXPECT_FALSE(Shown(dialog, "pnResumeUserLog"));
  }
  {
    TResumeValues v = AllFound(log.Path());
    v.radioComPort = "COM7";
    TfmResume dialog(v);
    auto* radio = Find<QCheckBox>(dialog, "ckbResumeRadioPort");
    EXPECT_TRUE(Shown(dialog, "pnResumeRadioPort"));
    EXPECT_EQ(radio->text(), "Interface to Varo CAT using COM7 at 38400 Baud");
    EXPECT_FALSE(radio->isChecked());
    EXPECT_FALSE(radio->isEnabled());
    EXPECT_EQ(dialog.height(), FullHeight());
    RunModal(dialog, [&] {
      QTest::mouseClick(radio, Qt::LeftButton);  // a disabled box stays unticked
      QTest::mouseClick(Find<QPushButton>(dialog, "bnResume"), Qt::LeftButton);
    });
    EXPECT_TRUE(dialog.ResumePressed());
    EXPECT_FALSE(dialog.Choices().radioPort);
  }
  {
    // Both missing at once: the dialog loses both rows.
    TResumeValues v = AllFound("");
    v.sioLogComPort = "";
    TfmResume dialog(v);
    EXPECT_EQ(dialog.height(),
              FullHeight() - TfmResume::kRowHeight - TfmResume::kUserLogRowHeight);
  }
}

TEST(ResumeDialog, PortsCountAsFoundWithBlanksTrimmedAndAnyCase) {
  const std::vector<std::string> ports = {"COM1", "COM12"};
  struct Case { const char* port; bool found; };
  const Case cases[] = {{"COM1", true}, {" COM12 ", true}, {"com1", true}, {"COM2", false},
                        {"COM", false}, {"COM123", false}, {"", false}, {"   ", false}};
  for (const Case& c : cases)
    EXPECT_EQ(TfmResume::IsPortFound(c.port, ports), c.found) << '"' << c.port << '"';

  EnsureQtApp();
  TResumeValues v = AllFound("");
  v.radioComPort = "com3 ";
  TfmResume dialog(v);
  EXPECT_TRUE(Find<QCheckBox>(dialog, "ckbResumeRadioPort")->isChecked());
}

TEST(ResumeDialog, OnlyResumeReportsThePressAndTheTicksChosen) {
  EnsureQtApp();
  TempLogFile log;
  TfmResume dialog(AllFound(log.Path()));
  auto* resume = Find<QPushButton>(dialog, "bnResume");
  auto* keyboard = Find<QCheckBox>(dialog, "ckbShowKeyboard");
  auto* sio = Find<QCheckBox>(dialog, "ckbResumeSioLog");

  EXPECT_EQ(RunModal(dialog, [&] {
              QTest::mouseClick(keyboard, Qt::LeftButton);
              QTest::mouseClick(sio, Qt::LeftButton);
              QTest::mouseClick(resume, Qt::LeftButton);
            }),
            QDialog::Accepted);
  EXPECT_TRUE(dialog.ResumePressed());
  EXPECT_TRUE(dialog.Choices().keyboard);
  EXPECT_FALSE(dialog.Choices().sioLog);

  // Each showing starts unpressed, so an earlier Resume does not carry over.
  EXPECT_EQ(RunModal(dialog, [&] { QTest::mouseClick(Find<QPushButton>(dialog, "bnCancel"), Qt::LeftButton); }),
            QDialog::Rejected);
  EXPECT_FALSE(dialog.ResumePressed());

  RunModal(dialog, [&] { resume->click(); });
  ASSERT_TRUE(dialog.ResumePressed());
  RunModal(dialog, [&] { QTest::keyClick(&dialog, Qt::Key_Escape); });
  EXPECT_FALSE(dialog.ResumePressed());

  // Escape closes it from any row, the read-only file name included.
  RunModal(dialog, [&] {
    auto* file = Find<QLineEdit>(dialog, "ebLocalFile");
    file->setFocus();
    QTest::keyClick(file, Qt::Key_Escape);
  });
  EXPECT_FALSE(dialog.ResumePressed());
  EXPECT_FALSE(dialog.isVisible());
}

TEST(ResumeDialog, SitsLevelWithTheMainWindowTopCentredOnIt) {
  EnsureQtApp();
  TfmResume dialog(AllFound(""));
  ASSERT_EQ(dialog.frameGeometry().width(), TfmResume::kDialogWidth);

  dialog.PlaceOver(QRect(100, 50, 918, 408));
  EXPECT_EQ(dialog.frameGeometry().topLeft(), QPoint(100 + (918 - 440) / 2, 50));

  // A main window narrower than the dialog: the half is rounded towards zero.
  dialog.PlaceOver(QRect(10, 20, 101, 300));
  EXPECT_EQ(dialog.frameGeometry().topLeft(), QPoint(10 - 169, 20));
}

TEST(ResumeDialog, PreparedFromTheRestartOptions) {
  EnsureQtApp();
  TempLogFile log;
  TRestartSettings options;
  options.radioComPort = "COM4";
  options.radioBaud = "4800";
  options.sioLogComPort = "COM6";
  options.sioLogAdif = true;
  options.localLogFile = log.Path();
  options.localLogAdif = false;
  options.autoCqDelay = 12;
  options.wantMessageButtons = false;
  options.wantKeyboard = true;
  options.wantLogGrid = true;
  options.wantTitleBars = false;
  options.wantAutoCq = false;
  TfmResume dialog(ResumeValuesFrom(options, {"COM4", "COM6"}));

  EXPECT_EQ(Find<QCheckBox>(dialog, "ckbResumeRadioPort")->text(),
            "Interface to Varo CAT using COM4 at 4800 Baud");
  EXPECT_EQ(Find<QCheckBox>(dialog, "ckbResumeSioLog")->text(),
            "Perform serial I/O logging using COM6 and ADIF format.");
  EXPECT_EQ(Find<QCheckBox>(dialog, "ckbResumeUserLog")->text(),
            "User defined log in ARRL format in the following file");
  EXPECT_EQ(Find<QCheckBox>(dialog, "ckbResumeAutoCQ")->text(),
            "Resume Auto CQ with Delay of 12 seconds");
  const TResumeChoice c = dialog.Choices();
  EXPECT_TRUE(c.radioPort);
  EXPECT_TRUE(c.sioLog);
  EXPECT_TRUE(c.userLog);
  EXPECT_FALSE(c.messageButtons);
  EXPECT_TRUE(c.keyboard);
  EXPECT_TRUE(c.logGrid);
  EXPECT_FALSE(c.titleBars);
  EXPECT_FALSE(c.autoCq);
}
