// The message template editor: the rows it shows, the file "Update Template"
// writes, and the keys and questions that decide whether it closes.

#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include "QtTestApp.h"
#include "RecordingMessageSink.h"
#include "TempProgramDir.h"
#include "dialogs/TfmTalvexMsg.h"

namespace {
using platform::MessageAnswer;

const char* kTemplate =
    "MSG=CQ,CQ TEST @\nMSG=MSG1,@ $\nMSG=\nMSG=MSG2,TU\nMSG=MSG3,R\nMSG=MSG4,AGN\nMSG=73,TU !\nMSG=X7,SEVENTH\n"
    "AUTOCQ_DELAY=3\n";

struct Editor {
  QApplication& app = EnsureQtApp();
  TempProgramDir dir;
  RecordingMessageSink messages;
  TfmTalvexMsg dialog;
  int updates = 0;
  explicit Editor(const char* text = kTemplate, int delay = 3) {
    if (text) dir.Write("Dravel_MSGTEMPLATE.txt", text);
    dialog.SetTemplateFile(dir.Path("Dravel_MSGTEMPLATE.txt"));
    dialog.OnTemplateUpdated([this] { ++updates; });
    dialog.LoadFile(dir.Path("Dravel_MSGTEMPLATE.txt"));
    dialog.SelectAutoCqDelay(delay);
    dialog.show();
  }
  // The rows' edits, in order, then the delay box's own.
  QLineEdit* Edit(int row) { return dialog.findChildren<QLineEdit*>().at(row); }
  std::string File() { return dir.Read("Dravel_MSGTEMPLATE.txt"); }
};

}  // namespace

TEST(TfmTalvexMsg, EnterUpdatesTheTemplateWithEveryRowAndTheDelayLast) {
  Editor editor(kTemplate, 12);  // 12 is not offered: the box is empty
  ASSERT_EQ(editor.dialog.Rows().size(), 7u);  // every row, seven included; "MSG=" gives none
  // The symbol menu inserts " @ " at the caret.
  QLineEdit* edit = editor.Edit(4);
  edit->setCursorPosition(1);
  emit edit->customContextMenuRequested({});
  auto* symbols = editor.dialog.findChild<QMenu*>(QStringLiteral("puMsgSymbols"));
  EXPECT_EQ(symbols->actions().at(0)->text(), "Name of other operator (!)");
  symbols->actions().at(2)->trigger();
  EXPECT_EQ(edit->text(), "A @ GN");
  EXPECT_EQ(edit->cursorPosition(), 2);
  QTest::keyClick(edit, Qt::Key_Return);
  EXPECT_EQ(editor.File(),
            "MSG=CQ,CQ TEST @\nMSG=MSG1,@ $\nMSG=MSG2,TU\nMSG=MSG3,R\nMSG=MSG4,A @ GN\nMSG=73,TU !\nMSG=X7,SEVENTH\n"
            "AUTOCQ_DELAY=\n");
  EXPECT_EQ(editor.updates, 1);
  EXPECT_TRUE(editor.dialog.Saved());
  EXPECT_FALSE(editor.dialog.isVisible());
  EXPECT_TRUE(editor.messages.Questions().empty());
}

TEST(TfmTalvexMsg, EscapeAfterAnEditAsksAndUnkeepableTextsAreRefused) {
  Editor editor;
  QLineEdit* edit = editor.Edit(0);
  QTest::keyClicks(edit, "=1");
  QTest::keyClick(edit, Qt::Key_Escape);  // answered No
  ASSERT_EQ(editor.messages.Questions().size(), 1u);
  EXPECT_TRUE(editor.dialog.isVisible());
  EXPECT_EQ(editor.messages.Questions().at(0).caption + ": " + editor.messages.Questions().at(0).text,
            "Warning: Ignore message changes?");

  // A text with "=" would be read back as another message: refused, file kept.
  editor.dialog.findChild<QPushButton*>(QStringLiteral("bnSave"))->click();
  EXPECT_EQ(editor.messages.Messages(),
            std::vector<std::string>{"The message CQ holds \"=\", which a message template cannot keep: please remove it"});
  EXPECT_EQ(editor.File(), kTemplate);
  EXPECT_TRUE(editor.dialog.isVisible());

  // A template file that cannot be written is named, with the reason.
  edit->setText("CQ CQ");
  editor.dialog.SetTemplateFile(editor.dir.Path("Gone/Dravel_MSGTEMPLATE.txt"));
  editor.messages.Clear();
  editor.dialog.UpdateTemplate();
  EXPECT_EQ(editor.messages.Messages(),
            std::vector<std::string>{"Could not write the message template file " +
                                     editor.dir.Path("Gone/Dravel_MSGTEMPLATE.txt") + ": No such file or directory"});
  EXPECT_FALSE(editor.dialog.Saved() || editor.updates > 0);

  editor.messages.ScriptAnswers({MessageAnswer::Yes});
  editor.dialog.findChild<QPushButton*>(QStringLiteral("bnClose"))->click();
  EXPECT_FALSE(editor.dialog.isVisible());
  EXPECT_EQ(editor.File(), kTemplate);
}

TEST(TfmTalvexMsg, MissingFileGivesNoRowsAndUpdateWritesOnlyTheDelay) {
  Editor editor(nullptr, 15);
  EXPECT_EQ(editor.messages.Messages(), std::vector<std::string>{"Can not access the Message template file"});
  EXPECT_TRUE(editor.dialog.Rows().empty());
  QTest::keyClick(&editor.dialog, Qt::Key_Escape);  // no changes: closes at once
  EXPECT_FALSE(editor.dialog.isVisible());
  editor.dialog.UpdateTemplate();
  EXPECT_EQ(editor.File(), "AUTOCQ_DELAY=15\n");
}
