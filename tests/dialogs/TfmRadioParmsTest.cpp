// The band limits dialog: loading sets of limits, showing and saving the
// limits a class does not have, and what "Apply" leaves behind; what Enter
// and Escape do there and in the log file set-up.

#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QTableWidget>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "QtTestApp.h"
#include "RecordingMessageSink.h"
#include "TempProgramDir.h"
#include "data/TfmRadioParms.h"
#include "dialogs/TfmSetupLogFile.h"

namespace {

const std::string kShipped = std::string(TALVEX_SOURCE_DIR) + "/dist/Documents/";
const char* const kBands[] = {"160M", "80M", "40M", "30M", "20M", "17M", "15M", "12M", "10M", "6M", "2M"};

struct Fixture {
  Fixture() {
    platform::SetMessageSink(&messages);
    dialog.SetAllocationFiles(kShipped + "Band_Plan.html", kShipped + "BandLimits_Extra.txt",
                              kShipped + "BandLimits_Advanced.txt", kShipped + "BandLimits_General.txt");
    dialog.SetDocumentsDirectory(dir.Path(""));
  }
  ~Fixture() { platform::SetMessageSink(nullptr); }
  void Trigger(const char* item) { dialog.findChild<QAction*>(item)->trigger(); }
  QString Header() { return dialog.findChild<QLabel*>("pnBandLimitHdr")->text(); }
  void Apply() { QTest::mouseClick(dialog.findChild<QPushButton*>("bnApply"), Qt::LeftButton); }

  QApplication& qt = EnsureQtApp();  // before the dialog
  RecordingMessageSink messages;
  TempProgramDir dir;
  TfmRadioParms dialog;
};

}  // namespace

TEST(TfmRadioParms, EveryShippedClassLoadsElevenBandsWithinTheirEdges) {
  for (const auto& [item, title] : {std::pair{"FCCExtra1", "Extra"}, {"FCCAdvanced1", "Advanced"},
                                    {"FCCGeneral1", "General"}}) {
    Fixture f;
    f.dialog.show();
    f.Trigger(item);
    EXPECT_EQ(f.Header(), QString("Band Limits(KHz) ... ") + title);
    EXPECT_TRUE(f.messages.Messages().empty()) << title;
    for (int row = 1; row < TfmRadioParms::kRows; ++row) {
      EXPECT_EQ(f.dialog.CellText(row, 0), kBands[row - 1]) << title;
      for (int column = 3; column < TfmRadioParms::kColumns; ++column) {
        const std::string cell = f.dialog.CellText(row, column);
        if (cell == "N/A") continue;
        EXPECT_GE(std::stoi(cell), std::stoi(f.dialog.CellText(row, 1))) << title << " row " << row;
        EXPECT_LE(std::stoi(cell), std::stoi(f.dialog.CellText(row, 2))) << title << " row " << row;
      }
    }
    EXPECT_EQ(f.dialog.CellText(4, 5), "N/A");  // no phone on 30 m
    f.Apply();  // the set written back as it was read
    EXPECT_EQ(f.dir.Read("BandLimitsMostRecent.txt"),
              ReadWholeFile(kShipped + "BandLimits_" + title + ".txt"));
  }
}

TEST(TfmRadioParms, ApplyWritesNotAvailableAsMinusOneAndAMissingSetChangesNothing) {
  Fixture f;
  f.dialog.SetLogMode("RY");
  f.dialog.show();
  EXPECT_EQ(f.dialog.HighlightedColumn(), 7);
  auto* mostRecent = f.dialog.findChild<QAction*>("MostRecentlyApplied1");
  EXPECT_FALSE(mostRecent->isEnabled());
  f.Trigger("FCCGeneral1");
  f.dialog.SetCellText(2, 3, "3530");
  f.dialog.SetCellText(3, 8, "N/A");
  f.Apply();
  EXPECT_TRUE(f.dialog.Applied());
  const std::string written = f.dir.Read("BandLimitsMostRecent.txt");
  EXPECT_NE(written.find("BANDLIMIT=80M,3500,4000,3530,3600,3800,4000,3525,3600\n"), std::string::npos);
  EXPECT_NE(written.find("BANDLIMIT=40M,7000,7300,7025,7125,7175,7300,7025,-1\n"), std::string::npos);

  // Shown again: "RTTY" names no column of its own, the applied set comes back.
  for (const auto& [mode, column] : {std::pair{"CW", 3}, {"PH", 5}, {"RTTY", 5}}) {
    f.dialog.SetLogMode(mode);
    f.dialog.show();
    EXPECT_EQ(f.dialog.HighlightedColumn(), column) << mode;
    EXPECT_TRUE(mostRecent->isEnabled());
    f.dialog.hide();
  }
  f.Trigger("FCCExtra1");
  f.Trigger("MostRecentlyApplied1");
  EXPECT_EQ(f.Header(), "Band Limits(KHz) ...  Most Recently Applied");
  EXPECT_EQ(f.dialog.CellText(3, 8), "N/A");

  f.dialog.SetAllocationFiles("", f.dir.Path("none.txt"), "", "");
  f.Trigger("FCCExtra1");
  EXPECT_EQ(f.messages.Messages(), std::vector<std::string>{"Speficied file does not exist"});
  EXPECT_EQ(f.dialog.CellText(2, 3), "3530");  // still the applied set

  // A most-recent file that cannot be written is reported; the limits still apply.
  f.messages.Clear();
  f.dialog.SetDocumentsDirectory(f.dir.Path("Gone/"));
  f.dialog.show();
  f.Apply();
  const std::string failed = "Could not write the band limits file " + f.dir.Path("Gone/BandLimitsMostRecent.txt");
  EXPECT_EQ(f.messages.Messages().at(0).rfind(failed + ": ", 0), 0u);
  EXPECT_TRUE(f.dialog.Applied());
}

// Enter in the band limits grid and in the log file's name only edits: it
// neither applies nor browses; Escape still closes without applying.
TEST(DialogKeys, EnterOnlyEditsAndEscapeCloses) {
  Fixture f;
  TfmSetupLogFile setup;
  f.dialog.show();
  QTableWidget* grid = f.dialog.findChild<QTableWidget*>("sgBandLimits");
  grid->setCurrentCell(2, 3);
  grid->editItem(grid->item(2, 3));
  setup.show();
  QLineEdit* name = setup.findChild<QLineEdit*>("ebFileName");
  const struct {
    QDialog* dialog;
    std::function<QWidget*()> field;
    std::function<bool()> applied;
  } rows[] = {
      {&f.dialog, [&] { return grid->indexWidget(grid->model()->index(2, 3)); }, [&] { return f.dialog.Applied(); }},
      {&setup, [&] { return name; }, [&] { return setup.Applied(); }},
  };
  for (const auto& row : rows) {
    QWidget* field = row.field();
    ASSERT_NE(field, nullptr);
    bool chooserOpened = false;  // "Browse" would open a modal file chooser
    QTimer::singleShot(50, [&] {
      if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != row.dialog) {
        chooserOpened = true;
        modal->close();
      }
    });
    QTest::keyClick(field, Qt::Key_Return);
    QTest::qWait(100);
    EXPECT_FALSE(chooserOpened);
    EXPECT_TRUE(row.dialog->isVisible());
    EXPECT_FALSE(row.applied());
    QTest::keyClick(row.dialog, Qt::Key_Escape);
    EXPECT_FALSE(row.dialog->isVisible());
    EXPECT_FALSE(row.applied());
  }
  EXPECT_FALSE(std::filesystem::exists(f.dir.Path("BandLimitsMostRecent.txt")));
}
