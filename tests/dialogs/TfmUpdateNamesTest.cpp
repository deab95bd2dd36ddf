// The names data editor as the operator uses it: typed calls marked, Apply
// adding only what belongs in the names file, and what it says when not.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <filesystem>

#include "QtTestApp.h"
#include "RecordingMessageSink.h"
#include "TempProgramDir.h"
#include "data/TfmUpdateNames.h"

using platform::MessageAnswer;

TEST(TfmUpdateNames, ApplyWritesOnlyNewNamedCallsOrSaysWhyNot) {
  EnsureQtApp();
  const std::string kept = "K7ZZX,ANN\n";
  const struct {
    // Row 1 K7ZZX in other case, row 2 X9QQX "CARL", row 3 Y8QQY with this name; the answer to
    // "Ignore calls with missing names?"; the file afterwards; the message shown (its start).
    const char* name; MessageAnswer answer; bool unwritable; std::string file; const char* message;
  } cases[] = {
      {"D", MessageAnswer::Yes, false, kept + "X9QQX,CARL\n", ""},
      {"D", MessageAnswer::No, false, kept, ""},
      {"JO,E", MessageAnswer::Yes, false, kept,
       "The name \"JO,E\" holds a comma (,), which the names file keeps between fields. Nothing was written."},
      {"JOE", MessageAnswer::Yes, true, kept, "Could not write the names file "},
  };
  for (const auto& c : cases) {
    TempProgramDir dir;
    RecordingMessageSink messages;
    messages.ScriptAnswers({c.answer});
    dir.Write("Documents/names.txt", kept);
    if (c.unwritable) std::filesystem::create_directory(dir.Path("Documents/names.txt.tmp"));
    TfmUpdateNames form;
    form.SetNamesFile(dir.Path("Documents/names.txt"));
    form.LoadKnownCalls();
    form.show();
    auto* grid = form.findChild<QTableWidget*>(QStringLiteral("sgNames"));
    grid->editItem(grid->item(1, 0));
    QTest::keyClicks(grid->findChild<QLineEdit*>(), "k7zzx");
    EXPECT_EQ(grid->item(1, 2)->text(), "DUPE CALL") << c.name;
    // Tab from a name passes the Status column by: the next keys go to a call.
    for (int column : {1, 2}) grid->setCurrentCell(1, column);
    QCoreApplication::processEvents();
    EXPECT_EQ(grid->currentRow() * 10 + grid->currentColumn(), 20);
    const char* rows[][2] = {{"X9QQX", "CARL"}, {"Y8QQY", c.name}};
    for (int r = 0; r < 2; ++r) {
      grid->item(r + 2, 0)->setText(QString::fromLatin1(rows[r][0]));
      grid->item(r + 2, 1)->setText(QString::fromLatin1(rows[r][1]));
      EXPECT_EQ(grid->item(r + 2, 2)->text(), "NEW CALL");
    }
    form.findChild<QPushButton*>(QStringLiteral("bnApply"))->click();
    QCoreApplication::processEvents();
    EXPECT_EQ(dir.Read("Documents/names.txt"), c.file) << c.name;
    const auto asked = messages.Questions();
    EXPECT_EQ(asked.size() == 1 && asked[0].text == "Ignore calls with missing names?", *c.name == 'D');
    const auto shown = messages.Messages();
    EXPECT_EQ(shown.empty() ? std::string() : shown[0].substr(0, std::string(c.message).size()), c.message);
    // Rows that were not written stay for the operator to mend.
    EXPECT_EQ(grid->item(2, 0)->text().isEmpty(), c.answer == MessageAnswer::Yes && *c.message == 0);
    // Escape closes without a question even with new calls in the grid.
    grid->item(2, 0)->setText(QStringLiteral("X9QQX"));
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible());
  }
}
