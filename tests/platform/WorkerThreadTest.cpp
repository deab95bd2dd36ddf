#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/Event.h"
#include "platform/Synchronize.h"
#include "platform/WorkerThread.h"

namespace {

class CountingThread : public platform::WorkerThread {
 public:
  std::atomic<int> loops{0};
  std::atomic<bool>* destroyed = nullptr;
  ~CountingThread() override {
    // A derived thread stops itself: the base destructor runs too late, after
    // Execute's object is gone.
    if (!Finished()) {
      Terminate();
      WaitFor();
    }
    if (destroyed) *destroyed = true;
  }

 protected:
  void Execute() override {
    while (!Terminated()) {
      ++loops;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }
};

}  // namespace

TEST(WorkerThread, CreatedSuspendedRunsAfterResumeAndStopsOnTerminate) {
  CountingThread t;
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  EXPECT_EQ(t.loops.load(), 0);
  t.Resume();
  t.Resume();  // a second resume does nothing
  while (t.loops.load() == 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  t.Terminate();
  t.WaitFor();
  EXPECT_TRUE(t.Finished());
  EXPECT_TRUE(t.Terminated());
}

TEST(WorkerThread, FreeOnTerminateDeletesItself) {
  std::atomic<bool> destroyed{false};
  auto* t = new CountingThread;
  t->destroyed = &destroyed;
  t->SetFreeOnTerminate(true);
  t->Resume();
  t->Terminate();
  for (int i = 0; i < 2000 && !destroyed; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  EXPECT_TRUE(destroyed.load());
}

TEST(WorkerThread, DestroyingARunningThreadStopsIt) {
  auto t = std::make_unique<CountingThread>();
  t->Resume();
  t.reset();  // joins without hanging
  SUCCEED();
}

TEST(Synchronize, RunsThroughTheInstalledRunner) {
  int ran = 0;
  int viaRunner = 0;
  platform::SetMainThreadRunner([&](const std::function<void()>& fn) {
    ++viaRunner;
    fn();
  });
  platform::Synchronize([&] { ++ran; });
  platform::SetMainThreadRunner(nullptr);
  EXPECT_EQ(ran, 1);
  EXPECT_EQ(viaRunner, 1);
}
