// The cancellable hand-over: a step runs on the "main thread" (here the
// test's thread, which runs what was posted when it pumps), and the main
// thread can always get a waiting thread out without running its step.

#include <gtest/gtest.h>

#include <atomic>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

#include "Eventually.h"
#include "platform/HandOver.h"
#include "platform/ThreadChecks.h"

namespace {

// A main-thread queue of the test's own.
class TestMainLoop {
 public:
  TestMainLoop() {
    platform::SetMainThreadPoster([this](std::function<void()> fn) {
      std::lock_guard lock(m_mutex);
      m_queue.push_back(std::move(fn));
    });
  }
  ~TestMainLoop() { platform::SetMainThreadPoster(nullptr); }

  /// Runs everything posted so far; answers how many ran.
  int Pump() {
    std::deque<std::function<void()>> ready;
    {
      std::lock_guard lock(m_mutex);
      ready.swap(m_queue);
    }
    for (auto& fn : ready) fn();
    return static_cast<int>(ready.size());
  }
  bool WaitForPosted() {
    return Eventually([this] {
      std::lock_guard lock(m_mutex);
      return !m_queue.empty();
    });
  }

 private:
  std::mutex m_mutex;
  std::deque<std::function<void()>> m_queue;
};

}  // namespace

TEST(HandOver, RunsTheStepOnTheMainThreadAndWaitsForIt) {
  TestMainLoop loop;
  platform::HandOverGate gate;
  std::thread::id ranOn;
  std::atomic<bool> returned{false};
  bool ran = false;
  std::thread listener([&] {
    ran = gate.Run([&] { ranOn = std::this_thread::get_id(); });
    returned = true;
  });
  ASSERT_TRUE(loop.WaitForPosted());
  EXPECT_FALSE(returned);  // still waiting for the main thread
  EXPECT_EQ(loop.Pump(), 1);
  listener.join();
  EXPECT_TRUE(ran);
  EXPECT_EQ(ranOn, std::this_thread::get_id());
}

TEST(HandOver, CancelReleasesAWaitingThreadAndTheQueuedStepNeverRuns) {
  TestMainLoop loop;
  platform::HandOverGate gate;
  std::atomic<int> steps{0};
  bool ran = true;
  std::thread listener([&] { ran = gate.Run([&] { ++steps; }); });
  ASSERT_TRUE(loop.WaitForPosted());
  // The main thread stops the listener without pumping: no deadlock.
  gate.Cancel();
  listener.join();
  EXPECT_FALSE(ran);
  loop.Pump();  // the queued call comes round later and does nothing
  EXPECT_EQ(steps, 0);
  // Once cancelled, a gate hands nothing over.
  EXPECT_FALSE(gate.Run([&] { ++steps; }));
  EXPECT_EQ(loop.Pump(), 0);
  EXPECT_TRUE(gate.Cancelled());
}

TEST(HandOver, CancelFromInsideTheRunningStepDoesNotWaitForIt) {
  // A step that opens a nested loop (a message box) in which the listener is
  // stopped: the listener must not wait for the step to finish.
  TestMainLoop loop;
  platform::HandOverGate gate;
  std::atomic<bool> returned{false};
  bool ran = true;
  bool sawReturnInsideStep = false;
  std::thread listener([&] {
    ran = gate.Run([&] {
      gate.Cancel();
      returned.wait(false);  // hangs here if the listener still waits for the step
      sawReturnInsideStep = returned;
    });
    returned = true;
    returned.notify_all();
  });
  ASSERT_TRUE(loop.WaitForPosted());
  loop.Pump();
  listener.join();
  EXPECT_FALSE(ran);
  EXPECT_TRUE(sawReturnInsideStep);
}

// Nothing meant for the main thread runs on the calling thread in its place
// because no way there was installed.
TEST(HandOver, WithoutAWayToTheMainThreadNothingRunsOnTheCallingThread) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  platform::HandOverGate gate;
  bool ran = false;
  if constexpr (platform::kThreadChecks) {
    EXPECT_DEATH(gate.Run([&] { ran = true; }), "without a main-thread poster");
    EXPECT_DEATH(platform::PostToMainThread([&] { ran = true; }), "without a main-thread poster");
  } else {
    EXPECT_FALSE(gate.Run([&] { ran = true; }));
    EXPECT_FALSE(platform::PostToMainThread([&] { ran = true; }));
    EXPECT_FALSE(ran);
  }
}
