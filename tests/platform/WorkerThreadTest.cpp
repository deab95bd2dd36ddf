#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "Eventually.h"
#include "platform/WorkerThread.h"

namespace {

class CountingThread : public platform::WorkerThread {
 public:
  std::atomic<int> loops{0};
  std::atomic<bool> resumed{false}, ranBeforeResume{false};
  std::atomic<bool>* returnedTerminated = nullptr;
  ~CountingThread() override {
    // A derived thread stops itself: the base destructor runs too late, after
    // Execute's object is gone.
    if (!Finished()) {
      Terminate();
      WaitFor();
    }
  }

 protected:
  void Execute() override {
    if (!resumed) ranBeforeResume = true;
    while (!Terminated()) {
      ++loops;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    if (returnedTerminated) *returnedTerminated = Terminated();
  }
};

}  // namespace

TEST(WorkerThread, CreatedSuspendedRunsAfterResumeAndStopsOnTerminate) {
  CountingThread t;
  t.resumed = true;
  t.Resume();
  t.Resume();  // a second resume does nothing
  ASSERT_TRUE(Eventually([&] { return t.loops.load() > 0; }));
  EXPECT_FALSE(t.ranBeforeResume);
  t.Terminate();
  t.WaitFor();
  EXPECT_TRUE(t.Finished());
  EXPECT_TRUE(t.Terminated());
}

TEST(WorkerThread, DestroyingARunningThreadStopsItBeforeTheDestructorReturns) {
  std::atomic<bool> returnedTerminated{false};
  auto t = std::make_unique<CountingThread>();
  t->returnedTerminated = &returnedTerminated;
  t->Resume();
  ASSERT_TRUE(Eventually([&] { return t->loops.load() > 0; }));
  t.reset();
  EXPECT_TRUE(returnedTerminated);
}
