// The listener threads: a step runs on the main thread once per wake (any
// number of sets between wakes give one), and stopping never waits for a
// main thread that is busy stopping.

#include <gtest/gtest.h>

#include <QApplication>
#include <QThread>
#include <atomic>
#include <functional>
#include <thread>

#include "MainWindowTestSupport.h"
#include "mainform/TListenerThreads.h"

TEST(ListenerThreads, RunTheirStepOnTheMainThreadOnceAtStartAndOncePerWake) {
  EnsureQtApp();
  talvexqt::InstallQtPlatform();
  int steps = 0;
  bool onMain = true;
  TRadioListenerThread listener([&] {
    ++steps;
    onMain = onMain && QThread::currentThread() == qApp->thread();
  });
  listener.Resume();
  ASSERT_TRUE(PumpUntil([&] { return steps == 1; }));  // created signalled
  platform::SetEvent(listener.Event());
  ASSERT_TRUE(PumpUntil([&] { return steps == 2; }));
  EXPECT_TRUE(onMain);
  const auto event = listener.Event();
  listener.Stop();
  EXPECT_FALSE(platform::SetEvent(event));  // released after the thread ended
  talvexqt::RemoveQtPlatform();
}

TEST(ListenerThreads, StopWhileAStepWaitsForTheMainThreadNeitherHangsNorRunsIt) {
  // A main thread that keeps the one step posted to it and says when it came.
  std::function<void()> queued;
  std::atomic<bool> posted{false};
  platform::SetMainThreadPoster([&](std::function<void()> fn) {
    queued = std::move(fn);
    posted = true;
    posted.notify_all();
  });
  std::atomic<int> steps{0};
  auto listener = std::make_unique<TLogRequestListenerThread>([&] { ++steps; });
  listener->Resume();
  posted.wait(false);  // woken at start, its step queued: it waits in the hand-over
  listener->Stop();    // the main thread stops it instead of running the queue
  listener.reset();
  platform::SetMainThreadPoster(nullptr);
  queued();  // the queued hand-over comes round and runs nothing
  EXPECT_EQ(steps, 0);
}

TEST(ListenerThreads, StartAndStopUnderAStormOfEventsEndsCleanly) {
  EnsureQtApp();
  talvexqt::InstallQtPlatform();
  std::atomic<bool> storm{true};
  std::atomic<platform::EventHandle> current{platform::kNoEvent};
  // Like a radio library's poll thread: sets whatever handle it was given,
  // also after it was released.
  std::thread library([&] {
    while (storm) platform::SetEvent(current.load());
  });
  int steps = 0;
  for (int round = 0; round < 50; ++round) {
    auto listener = std::make_unique<TRadioListenerThread>([&] { ++steps; });
    current = listener->Event();
    listener->Resume();
    // Every other round stops a listener that may be waiting in a hand-over.
    if (round % 2 == 0) {
      const int before = steps;
      ASSERT_TRUE(PumpUntil([&] { return steps > before; }));
    }
    listener->Stop();
  }
  storm = false;
  library.join();
  EXPECT_GT(steps, 0);
  talvexqt::RemoveQtPlatform();
}
