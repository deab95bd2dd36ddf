#pragma once
// A worker thread in the manner the forms expect: always created suspended
// (a thread cannot safely run a derived Execute before the derived object is
// built), started with Resume, asked to stop with Terminate, which Execute
// checks through Terminated. Derived classes override Execute.

#include <atomic>
#include <mutex>
#include <thread>

namespace platform {

class WorkerThread {
 public:
  WorkerThread() = default;
  /// Terminates a thread still running and joins it. By then the derived
  /// part is gone: a derived class whose Execute uses its own members calls
  /// Terminate and WaitFor in its own destructor.
  virtual ~WorkerThread();
  WorkerThread(const WorkerThread&) = delete;
  WorkerThread& operator=(const WorkerThread&) = delete;

  /// Starts a thread created suspended. Harmless when already started.
  void Resume();
  /// Asks Execute to end; it must check Terminated.
  void Terminate() { m_terminated = true; }
  bool Terminated() const { return m_terminated; }
  /// Waits until Execute has returned; returns at once when never started.
  /// Not from the thread itself.
  void WaitFor();
  bool Finished() const { return m_finished; }

 protected:
  virtual void Execute() = 0;

 private:
  void Run();
  std::atomic<bool> m_terminated{false};
  std::atomic<bool> m_finished{false};
  bool m_started = false;
  std::thread m_thread;
  std::mutex m_mutex;
};

}  // namespace platform
