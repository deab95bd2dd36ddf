// The shipped data set on a machine with no serial port: the first start and
// every later one offer the simulated radio ticked, and Return connects it.

#include <QCheckBox>
#include <QFrame>
#include <QMenu>
#include <QTest>
#include <filesystem>

#include "MainWindowTestSupport.h"

namespace fs = std::filesystem;

TEST(FirstStart, TheShippedDataSetConnectsTheSimulatedRadioOnReturnAtEveryStart) {
  WindowProgram program;
  // The data set as a build lays it out, over the test's own files.
  fs::copy(std::string(TALVEX_SOURCE_DIR) + "/dist", program.dir.Dir(),
           fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  ASSERT_TRUE(program.dir.Exists("Dravel_RESTART.txt"));

  for (int start = 1; start <= 2; ++start) {
    SCOPED_TRACE(start);
    TfmRCatMain& window = program.ShowAndResume([](QDialog& dialog) {
      auto* radio = dialog.findChild<QCheckBox*>(QStringLiteral("ckbResumeRadioPort"));
      EXPECT_EQ(radio->text(), "Interface to Varo CAT using COM99 at 38400 Baud");
      EXPECT_TRUE(radio->isChecked());
      EXPECT_TRUE(radio->isEnabled());
      // Nothing else to resume: no logging port, no user log.
      EXPECT_FALSE(dialog.findChild<QFrame*>(QStringLiteral("pnResumeSioLog"))->isVisibleTo(&dialog));
      EXPECT_FALSE(dialog.findChild<QFrame*>(QStringLiteral("pnResumeUserLog"))->isVisibleTo(&dialog));
      QTest::keyClick(&dialog, Qt::Key_Return);
    });
    ASSERT_TRUE(program.app->IsRadioConnected(1));
    EXPECT_EQ(program.sim->Calls("CONNECTRADIO").size(), static_cast<size_t>(start));
    EXPECT_TRUE(window.findChild<QFrame*>(QStringLiteral("pnKeys"))->isEnabled());
    EXPECT_TRUE(window.Menu().radio->isEnabled());
    // The six messages reached the radio although its message buttons are
    // not shown: F1 keys the CQ before any call is typed.
    for (int slot = 0; slot < 6; ++slot) EXPECT_GT(program.sim->Query("UNITS" + std::to_string(slot)), 0) << slot;
    program.Close();
    const std::string restart = program.dir.Read("Dravel_RESTART.txt");
    EXPECT_NE(restart.find("RADIO_COM_PORT=COM99\n"), std::string::npos) << restart;
    EXPECT_NE(restart.find("RADIO_BAUD=38400\n"), std::string::npos) << restart;
    program.window.reset();
    program.app.reset();
  }
}
