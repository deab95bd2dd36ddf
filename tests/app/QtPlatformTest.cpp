// The Qt side of the platform layer: hand-over and message boxes reach the
// main thread when called from another thread.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QMessageBox>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <stdexcept>
#include <thread>

#include "QtTestApp.h"
#include "RecordingMessageSink.h"
#include "app/QtPlatform.h"
#include "platform/MessageSink.h"
#include "platform/Synchronize.h"

namespace {
// Processes events until done is set (or a generous limit passes).
void PumpUntil(const std::atomic<bool>& done) {
  for (int i = 0; i < 20000 && !done; ++i) {
    QApplication::processEvents(QEventLoop::AllEvents, 5);
    QThread::msleep(1);
  }
}
}  // namespace

TEST(QtPlatform, SynchronizeRunsOnTheMainThreadAndWaits) {
  QApplication& app = EnsureQtApp();
  talvexqt::InstallQtPlatform();
  std::atomic<bool> done{false};
  bool ranOnMain = false;
  int value = 0;
  std::thread worker([&] {
    platform::Synchronize([&] {
      ranOnMain = QThread::currentThread() == app.thread();
      value = 42;
    });
    EXPECT_EQ(value, 42);  // the hand-over waited for the function
    done = true;
  });
  PumpUntil(done);
  worker.join();
  talvexqt::RemoveQtPlatform();
  EXPECT_TRUE(ranOnMain);
}

TEST(QtPlatform, QuestionFromAnotherThreadIsAskedOnTheMainThread) {
  QApplication& app = EnsureQtApp();
  unsetenv("TALVEX_MESSAGE_LOG");
  talvexqt::InstallQtPlatform();
  std::atomic<bool> done{false};
  QString seenText, seenTitle;
  bool boxOnMain = false;
  // Answers the box with Yes once it shows.
  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout, [&] {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      auto* box = qobject_cast<QMessageBox*>(w);
      if (!box || !box->isVisible()) continue;
      seenText = box->text();
      seenTitle = box->windowTitle();
      boxOnMain = box->thread() == app.thread();
      box->button(QMessageBox::Yes)->click();
    }
  });
  timer.start(10);
  platform::MessageAnswer answer = platform::MessageAnswer::Cancel;
  std::thread worker([&] {
    answer = platform::Ask("Warning no radio", "Radio not connected - connect now?",
                           platform::MessageIcon::Exclamation, platform::MessageButtons::YesNo);
    done = true;
  });
  PumpUntil(done);
  worker.join();
  timer.stop();
  talvexqt::RemoveQtPlatform();
  EXPECT_EQ(answer, platform::MessageAnswer::Yes);
  EXPECT_EQ(seenText, "Radio not connected - connect now?");
  EXPECT_EQ(seenTitle, "Warning no radio");
  EXPECT_TRUE(boxOnMain);
}

TEST(QtPlatform, AnExceptionInAnEventHandlerIsShownAndTheLoopGoesOn) {
  EnsureQtApp();
  RecordingMessageSink messages;
  QTimer::singleShot(0, [] { throw std::runtime_error("boom"); });
  bool after = false;
  QTimer::singleShot(5, [&after] { after = true; });
  for (int i = 0; i < 2000 && !after; ++i) {
    QApplication::processEvents(QEventLoop::AllEvents, 5);
    QThread::msleep(1);
  }
  EXPECT_TRUE(after);
  ASSERT_EQ(messages.Messages().size(), 1u);
  EXPECT_EQ(messages.Messages()[0], "Exception: boom");
}
