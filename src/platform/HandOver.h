#pragma once
// A hand-over to the main thread that the main thread can call off.
//
// A listener thread hands its step to the main thread and waits for it, as
// Synchronize does. Unlike Synchronize, the main thread can cancel the
// hand-over while it is waiting in the queue (or even while its step is on
// the main thread's stack, inside a nested event loop): the waiting thread
// then returns at once without the step having run (or without waiting for
// it to finish). So a main thread that stops a listener and waits for it to
// end can never deadlock with a listener that waits for the main thread.

#include <functional>
#include <memory>
#include <mutex>

namespace platform {

/// Queues fn to run on the main thread and returns at once.
using MainThreadPoster = std::function<void(std::function<void()>)>;

/// The GUI installs a poster into its event loop, core tests one of their
/// own; an empty poster removes it. There is no default: a hand-over without
/// a poster is a broken rule (platform/ThreadChecks.h), never a step run on
/// the calling thread.
void SetMainThreadPoster(MainThreadPoster poster);

class HandOverGate {
 public:
  HandOverGate() = default;
  HandOverGate(const HandOverGate&) = delete;
  HandOverGate& operator=(const HandOverGate&) = delete;

  /// Any thread but the main thread: runs step on the main thread and waits
  /// for it. False, with the step not run (or not waited for), once Cancel
  /// has been called, and without a poster (which aborts where the thread
  /// rules are checked). The step must not refer to the caller's stack.
  bool Run(std::function<void()> step);

  /// Main thread: cancels the waiting hand-over and every later one.
  void Cancel();
  bool Cancelled() const;

 private:
  struct Pending;
  mutable std::mutex m_mutex;
  bool m_cancelled = false;
  std::shared_ptr<Pending> m_pending;
};

}  // namespace platform
