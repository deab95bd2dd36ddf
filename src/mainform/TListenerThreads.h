#pragma once
// The four listener threads of the main window. Each sleeps on one event
// that the radio library (or the F7 key) sets, and on each wake hands its
// step to the main thread and waits for it there.
//
// The thread rule (platform/HandOver.h) in practice: a listener only waits
// and hands over; its stop cancels a hand-over it is waiting in.

#include <functional>
#include <memory>

#include "platform/Event.h"
#include "platform/HandOver.h"
#include "platform/WorkerThread.h"

class TListenerThread : public platform::WorkerThread {
 public:
  /// Creates a fresh signalled event, so the step runs once right after the
  /// start. The thread is created suspended: call Resume.
  explicit TListenerThread(std::function<void()> mainThreadStep);
  /// Stops the thread if it still runs.
  ~TListenerThread() override;

  platform::EventHandle Event() const { return m_event; }

  /// Main thread: requests termination, cancels a waiting hand-over, wakes
  /// the thread, waits for it to end, and only then releases the event.
  /// Harmless when called again.
  void Stop();

 protected:
  void Execute() override;

 private:
  platform::EventHandle m_event;
  platform::HandOverGate m_gate;
  std::function<void()> m_step;
  bool m_stopped = false;
};

/// Radio change: refreshes radio 1 and the grid's FREQ, MODE and POWER cells.
class TRadioListenerThread : public TListenerThread {
 public:
  using TListenerThread::TListenerThread;
};

/// Log request (the library or F7): logs the QSO of the grid.
class TLogRequestListenerThread : public TListenerThread {
 public:
  using TListenerThread::TListenerThread;
};

/// Message over: clears the sending status.
class TMsgOverListenerThread : public TListenerThread {
 public:
  using TListenerThread::TListenerThread;
};

/// Message start: shows which message is being sent.
class TMsgStartListenerThread : public TListenerThread {
 public:
  using TListenerThread::TListenerThread;
};
