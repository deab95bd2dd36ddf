// The Qt side of the platform layer: message boxes (the main thread's only),
// the main loop's handling of exceptions, the window-gone watch, the single
// running copy.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractEventDispatcher>
#include <QMessageBox>
#include <QTimer>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <filesystem>
#include <thread>
#ifndef _WIN32
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#endif

#include "Eventually.h"
#include "QtTestApp.h"
#include "RecordingMessageSink.h"
#include "app/QtPlatform.h"
#include "platform/AppTitle.h"
#include "platform/MessageSink.h"
#include "platform/ThreadChecks.h"
#include "platform/SingleInstance.h"
#include "platform/WindowGone.h"
#include "TempProgramDir.h"

TEST(QtPlatform, BoxesAreShownOnTheMainThreadOnly) {
  EnsureQtApp();
  unsetenv("TALVEX_MESSAGE_LOG");
  talvexqt::InstallQtPlatform();
  QStringList seen;
  QTimer answerer;  // presses Yes, else OK, on every box that shows
  QObject::connect(&answerer, &QTimer::timeout, [&] {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
        seen << box->windowTitle() + ": " + box->text();
        (box->button(QMessageBox::Yes) ? box->button(QMessageBox::Yes) : box->button(QMessageBox::Ok))->click();
      }
  });
  answerer.start(10);
  EXPECT_EQ(platform::Ask("Warning no radio", "Radio not connected - connect now?",
                          platform::MessageIcon::Exclamation, platform::MessageButtons::YesNo),
            platform::MessageAnswer::Yes);
  platform::ShowMessage("Logged");
  EXPECT_EQ(seen, QStringList({"Warning no radio: Radio not connected - connect now?",
                               QString::fromUtf8(kAppTitle) + ": Logged"}));

  GTEST_FLAG_SET(death_test_style, "threadsafe");
  auto askFromAnotherThread = [] {
    platform::MessageAnswer answer = platform::MessageAnswer::Yes;
    std::thread([&] {
      answer = platform::Ask("Warning no radio", "Connect now?", platform::MessageIcon::Exclamation,
                             platform::MessageButtons::YesNoCancel);
    }).join();  // returns without the main loop running
    return answer;
  };
  if constexpr (platform::kThreadChecks) {
    EXPECT_DEATH(askFromAnotherThread(), "message box asked from another thread");
  } else {
    EXPECT_EQ(askFromAnotherThread(), platform::MessageAnswer::Cancel);
  }
  talvexqt::RemoveQtPlatform();
}

TEST(QtPlatform, AnExceptionInAnEventHandlerIsShownAndTheLoopGoesOn) {
  EnsureQtApp();
  RecordingMessageSink messages;
  QTimer::singleShot(0, [] { throw std::runtime_error("boom"); });
  bool after = false;
  QTimer::singleShot(5, [&after] { after = true; });
  EXPECT_TRUE(Eventually([&] {
    QApplication::processEvents(QEventLoop::AllEvents, 5);
    return after;
  }));
  ASSERT_EQ(messages.Messages().size(), 1u);
  EXPECT_EQ(messages.Messages()[0], "Exception: boom");
}

// An X11 DestroyNotify for our shown window, from someone else, closes the
// program once; other events and other windows do not.
TEST(QtPlatform, AWindowDestroyedByAnotherProgramIsNoticedOnce) {
  QApplication& app = EnsureQtApp();
  QWidget window;
  window.show();
  const auto ours = static_cast<std::uint32_t>(window.winId());
  int gone = 0;
  auto feed = [&](std::uint8_t type, std::uint32_t id) {
    std::uint8_t event[32] = {type};
    std::memcpy(event + 8, &id, sizeof id);
    qintptr result = 0;
    app.eventDispatcher()->filterNativeEvent("xcb_generic_event_t", event, &result);
    QApplication::processEvents();
  };
  {
    platform::WindowGoneWatch watch(window, [&] { ++gone; });
    feed(17, ours + 1);  // another window
    feed(18, ours);      // not a DestroyNotify
    EXPECT_EQ(gone, 0);
    feed(17 | 0x80, ours);  // sent by another client
    feed(17, ours);
    EXPECT_EQ(gone, 1);
  }
  feed(17, ours);  // the watch is gone
  EXPECT_EQ(gone, 1);
}

// One copy per name: a later copy's start reaches the first on its event
// loop, a killed copy's socket is taken over, and a name the system cannot
// hold (too long for a local socket) still lets the copy run.
TEST(QtPlatform, SingleInstanceRaisesTheFirstCopyAndOutlivesAStaleSocket) {
  EnsureQtApp();
  TempProgramDir dir;
  const std::string runtime = dir.Path("run");
  std::filesystem::create_directory(runtime);
  setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
  unsetenv("TALVEX_INSTANCE_NAME");
#ifndef _WIN32
  {
    // The socket of a copy that was killed: bound, never removed.
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strcpy(address.sun_path, (runtime + "/Talvex-test").c_str());
    const int stale = socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ(bind(stale, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    close(stale);
  }
#endif
  int raised = 0;
  platform::SingleInstance first("Talvex-test");
  EXPECT_TRUE(first.BecomeFirstOrRaiseOther([&raised] { ++raised; }));
  for (int later = 1; later <= 2; ++later) {
    platform::SingleInstance second("Talvex-test");
    EXPECT_FALSE(second.BecomeFirstOrRaiseOther([] { ADD_FAILURE() << "a later copy is never raised"; }));
    EXPECT_TRUE(Eventually([&] {
      QCoreApplication::processEvents();
      return raised == later;
    }));
  }
  platform::SingleInstance alone(std::string(200, 'x'));
  EXPECT_TRUE(alone.BecomeFirstOrRaiseOther(nullptr));
  unsetenv("XDG_RUNTIME_DIR");
}
