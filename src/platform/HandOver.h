#pragma once
// The program's thread rule, and the one way to the main thread.
//
// The thread rule (other headers point here; radiolib/RadioLibrary.h says
// the same to library authors):
// - The main thread does everything that matters: every call into a radio
//   library (loading, connecting, the refresh, disconnecting, unloading),
//   every window and message box, and all work on the application object
//   and the radio objects, which therefore take no locks.
// - Any other thread of the program either never waits for the main thread
//   (the serial logging reader), or only waits for its event and hands its
//   step over with a HandOverGate (the listeners), which whoever stops it
//   cancels first. No thread waits on the main loop in any other way.
// - A radio library's own threads call the program only through
//   RadioSetEvent, which any thread may call.
// Broken rules that a test cannot always reach are checked in debug builds
// (platform/ThreadChecks.h).
//
// The hand-over: a thread hands its step to the main thread and waits for
// it, and the main thread can cancel the hand-over while it is waiting in
// the queue (or even while its step is on the main thread's stack, inside a
// nested event loop): the waiting thread then returns at once without the
// step having run (or without waiting for it to finish). So a main thread
// that stops a listener and waits for it to end can never deadlock with a
// listener that waits for the main thread.

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

/// Any thread: queues fn to run on the main thread, without waiting for it.
/// False, with fn dropped, without a poster (a broken rule, as for Run).
bool PostToMainThread(std::function<void()> fn);

class HandOverGate {
 public:
  HandOverGate() = default;
  HandOverGate(const HandOverGate&) = delete;
  HandOverGate& operator=(const HandOverGate&) = delete;

  /// Any thread but the main thread: runs step on the main thread and waits
  /// for it. False, with the step not run (or not waited for), once Cancel
  /// has been called, and without a poster (which aborts where the thread
  /// rules are checked). The step must not refer to the caller's stack.
  /// One thread at a time per gate: Cancel releases the one that waits.
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
