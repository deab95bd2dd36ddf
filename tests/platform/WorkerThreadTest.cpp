#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include "Eventually.h"
#include "platform/Event.h"
#include "platform/WorkerThread.h"

namespace {

// Runs until terminated and tells the test what it saw. It keeps only what
// outlives it, so the base destructor may stop it.
class TracingThread : public platform::WorkerThread {
 public:
  struct Trace {
    std::atomic<bool> resumeCalled{false};
    std::atomic<bool> startedAfterResume{false};
    std::atomic<bool> returnedTerminated{false};
    platform::Event started;
  };
  explicit TracingThread(Trace& trace) : m_trace(trace) { m_trace.started.Wait(0); }

 protected:
  void Execute() override {
    Trace& trace = m_trace;
    trace.startedAfterResume = trace.resumeCalled.load();
    trace.started.Set();
    while (!Terminated()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    trace.returnedTerminated = true;
  }

 private:
  Trace& m_trace;
};

}  // namespace

TEST(WorkerThread, RunsOnlyAfterResumeAndStopsOnTerminate) {
  TracingThread::Trace trace;
  TracingThread t(trace);
  EXPECT_FALSE(t.Finished());
  t.WaitFor();  // never started: returns at once
  trace.resumeCalled = true;
  t.Resume();
  t.Resume();  // a second resume does nothing
  ASSERT_TRUE(Wakes(trace.started.Handle()));
  EXPECT_TRUE(trace.startedAfterResume);
  t.Terminate();
  t.WaitFor();
  EXPECT_TRUE(t.Finished());
  EXPECT_TRUE(trace.returnedTerminated);
}

TEST(WorkerThread, DestroyingARunningThreadStopsItBeforeTheDestructorReturns) {
  TracingThread::Trace trace;
  auto t = std::make_unique<TracingThread>(trace);
  t->Resume();
  ASSERT_TRUE(Wakes(trace.started.Handle()));
  t.reset();
  EXPECT_TRUE(trace.returnedTerminated);
}
