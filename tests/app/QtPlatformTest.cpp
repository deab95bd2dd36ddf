// The Qt side of the platform layer: message boxes and the main loop's
// handling of what goes wrong in it.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractEventDispatcher>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <cstring>
#include <functional>
#include <stdexcept>
#include <thread>

#include "Eventually.h"
#include "QtTestApp.h"
#include "RecordingMessageSink.h"
#include "app/QtPlatform.h"
#include "platform/AppTitle.h"
#include "platform/MessageSink.h"
#include "platform/ScreenSaver.h"
#include "platform/ThreadChecks.h"
#include "platform/WindowGone.h"

namespace {
// Processes events until the condition holds (or the hang guard passes).
bool PumpUntil(const std::function<bool()>& condition) {
  return Eventually([&] {
    QApplication::processEvents(QEventLoop::AllEvents, 5);
    return condition();
  });
}

// Answers every visible box with Yes and keeps what it saw.
struct BoxAnswerer {
  QStringList texts;
  bool onMain = true;
  QTimer timer;
  BoxAnswerer() {
    QObject::connect(&timer, &QTimer::timeout, [this] {
      for (QWidget* w : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QMessageBox*>(w);
        if (!box || !box->isVisible()) continue;
        texts << box->windowTitle() + ": " + box->text();
        onMain = onMain && box->thread() == QApplication::instance()->thread();
        if (QAbstractButton* yes = box->button(QMessageBox::Yes)) yes->click();
        else box->button(QMessageBox::Ok)->click();
      }
    });
    timer.start(10);
  }
};
}  // namespace

// A box is the main thread's: there it is shown and answered; asked from
// another thread it is a broken thread rule, never a wait on the main loop.
TEST(QtPlatform, BoxesAreShownOnTheMainThreadOnly) {
  EnsureQtApp();
  unsetenv("TALVEX_MESSAGE_LOG");
  talvexqt::InstallQtPlatform();
  {
    BoxAnswerer answerer;
    EXPECT_EQ(platform::Ask("Warning no radio", "Radio not connected - connect now?",
                            platform::MessageIcon::Exclamation, platform::MessageButtons::YesNo),
              platform::MessageAnswer::Yes);
    platform::ShowMessage("Logged");
    EXPECT_EQ(answerer.texts, QStringList({"Warning no radio: Radio not connected - connect now?",
                                           QString::fromUtf8(kAppTitle) + ": Logged"}));
    EXPECT_TRUE(answerer.onMain);
  }

  GTEST_FLAG_SET(death_test_style, "threadsafe");
  auto askFromAnotherThread = [] {
    platform::MessageAnswer answer = platform::MessageAnswer::Yes;
    std::thread worker([&] {
      answer = platform::Ask("Warning no radio", "Connect now?", platform::MessageIcon::Exclamation,
                             platform::MessageButtons::YesNoCancel);
    });
    worker.join();  // returns without the main loop running
    return answer;
  };
  if constexpr (platform::kThreadChecks) {
    EXPECT_DEATH(askFromAnotherThread(), "message box asked from another thread");
  } else {
    BoxAnswerer answerer;
    EXPECT_EQ(askFromAnotherThread(), platform::MessageAnswer::Cancel);
    QApplication::processEvents();
    EXPECT_TRUE(answerer.texts.isEmpty());
  }
  talvexqt::RemoveQtPlatform();
}

TEST(QtPlatform, AnExceptionInAnEventHandlerIsShownAndTheLoopGoesOn) {
  EnsureQtApp();
  RecordingMessageSink messages;
  QTimer::singleShot(0, [] { throw std::runtime_error("boom"); });
  bool after = false;
  QTimer::singleShot(5, [&after] { after = true; });
  EXPECT_TRUE(PumpUntil([&] { return after; }));
  ASSERT_EQ(messages.Messages().size(), 1u);
  EXPECT_EQ(messages.Messages()[0], "Exception: boom");
}

// An X11 DestroyNotify for our shown window, from someone else, closes the
// program once; other events, other windows and our own teardown do not.
TEST(QtPlatform, AWindowDestroyedByAnotherProgramIsNoticedOnce) {
  QApplication& app = EnsureQtApp();
  QWidget window;
  window.show();
  const auto ours = static_cast<std::uint32_t>(window.winId());
  int gone = 0;
  auto feed = [&](std::uint8_t type, std::uint32_t id, const QByteArray& kind = "xcb_generic_event_t") {
    std::uint8_t event[32] = {type};
    std::memcpy(event + 8, &id, sizeof id);
    qintptr result = 0;
    app.eventDispatcher()->filterNativeEvent(kind, event, &result);
    QApplication::processEvents();
  };
  {
    platform::WindowGoneWatch watch(window, [&] { ++gone; });
    feed(17, ours + 1);             // another window
    feed(18, ours);                 // not a DestroyNotify
    feed(17, ours, "windows_generic_MSG");
    EXPECT_EQ(gone, 0);
    feed(17 | 0x80, ours);          // sent by another client
    feed(17, ours);
    EXPECT_EQ(gone, 1);
  }
  feed(17, ours);  // the watch is gone
  platform::WindowGoneWatch hidden(window, [&] { ++gone; });
  window.hide();
  feed(17, ours);
  EXPECT_EQ(gone, 1);
}

// With or without the session's screen saver service, what Inhibit answers
// is what holds, and letting go always succeeds.
TEST(QtPlatform, TheScreenSaverIsInhibitedOnlyWhenTheSessionSaysSo) {
  EnsureQtApp();
  platform::ScreenSaver saver;
  const bool held = saver.Inhibit(true);
  EXPECT_EQ(saver.Inhibited(), held);
  EXPECT_EQ(saver.Inhibit(true), held);
  EXPECT_TRUE(saver.Inhibit(false));
  EXPECT_FALSE(saver.Inhibited());
}
