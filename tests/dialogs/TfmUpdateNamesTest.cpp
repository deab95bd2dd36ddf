// The names data editor as the operator uses it: typed calls marked, Apply
// adding only what belongs in the names file, and what it says when not.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

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

namespace {
// Runs each step on the next modal dialog shown, in turn.
void AnswerModals(std::vector<std::function<void(QDialog&)>> steps) {
  auto* timer = new QTimer;
  timer->setInterval(5);
  auto remaining = std::make_shared<std::vector<std::function<void(QDialog&)>>>(std::move(steps));
  auto* last = new QPointer<QDialog>;
  QObject::connect(timer, &QTimer::timeout, [timer, remaining, last] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog || !dialog->isVisible() || dialog == last->data()) return;
    *last = dialog;
    auto step = remaining->front();
    remaining->erase(remaining->begin());
    if (remaining->empty()) {
      timer->stop();
      timer->deleteLater();
      delete last;
    }
    step(*dialog);
  });
  timer->start();
}
}  // namespace

TEST(TfmUpdateNames, ImportShowsThePreviewAsksTheClubAndMergesOnlyWhenConfirmed) {
  EnsureQtApp();
  TempProgramDir dir;
  RecordingMessageSink messages;
  const std::string kept = "K7ZZX,ANN\n";
  dir.Write("Documents/names.txt", kept);
  // Neither its name nor a comment says the club.
  dir.Write("roster.txt", "!!Order!!,Call,Name,Exch1\n# fictional\nX9QQX,Carl,88\nK7ZZX,Anne,77\nZ9,Bad,1\n");
  TfmUpdateNames form;
  form.SetNamesFile(dir.Path("Documents/names.txt"));
  form.LoadKnownCalls();
  form.show();
  auto* import = form.findChild<QPushButton*>(QStringLiteral("bnImport"));
  ASSERT_NE(import, nullptr);
  EXPECT_EQ(import->text(), "Import...");

  // Cancelled, and then confirmed once the club is chosen.
  for (bool confirm : {false, true}) {
    QString preview;
    bool importEnabledBeforeClub = true;
    AnswerModals({
        [&](QDialog& dialog) {  // the file dialog
          auto& files = static_cast<QFileDialog&>(dialog);
          files.selectFile(QString::fromStdString(dir.Path("roster.txt")));
          static_cast<QDialog&>(files).accept();  // QFileDialog::accept, public in QDialog
        },
        [&](QDialog& dialog) {  // the preview
          auto* bnImport = dialog.findChild<QPushButton*>(QStringLiteral("bnImport"));
          importEnabledBeforeClub = bnImport->isEnabled();
          dialog.findChild<QRadioButton*>(QStringLiteral("rbCwop"))->setChecked(true);
          preview = dialog.findChild<QPlainTextEdit*>(QStringLiteral("mePreview"))->toPlainText();
          (confirm ? bnImport : dialog.findChild<QPushButton*>(QStringLiteral("bnCancel")))->click();
        },
    });
    import->click();  // runs once the click has returned: the whole import in one event
    ASSERT_TRUE(QTest::qWaitFor([&] { return !preview.isEmpty(); }, 10000));
    EXPECT_FALSE(importEnabledBeforeClub);
    EXPECT_NE(preview.indexOf("New calls: 1\n    X9QQX,Carl,88,CWOP\n"), -1) << preview.toStdString();
    EXPECT_NE(preview.indexOf("New memberships of calls the names file holds: 1\n    K7ZZX,ANN,77,CWOP\n"), -1);
    EXPECT_NE(preview.indexOf("Bad lines skipped: 1\n    line 5: \"Z9\" fails the call sign test\n"), -1);
    EXPECT_EQ(dir.Read("Documents/names.txt"), confirm ? kept + "X9QQX,Carl,88,CWOP\nK7ZZX,ANN,77,CWOP\n" : kept);
    EXPECT_EQ(form.Written(), confirm);
  }
  // The calls just imported are known to the grid.
  auto* grid = form.findChild<QTableWidget*>(QStringLiteral("sgNames"));
  grid->item(1, 0)->setText(QStringLiteral("x9qqx"));
  EXPECT_EQ(grid->item(1, 2)->text(), "DUPE CALL");

  // A file that is no roster is refused with its reason; nothing changes.
  dir.Write("notes.txt", "just some notes\n");
  const std::string before = dir.Read("Documents/names.txt");
  form.ImportRoster(dir.Path("notes.txt"));
  ASSERT_EQ(messages.Messages().size(), 1u);
  EXPECT_EQ(messages.Messages()[0].rfind("The file " + dir.Path("notes.txt") + " is not a roster Talvex can read", 0), 0u);
  EXPECT_EQ(dir.Read("Documents/names.txt"), before);
}
