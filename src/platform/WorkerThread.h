#pragma once
// A worker thread in the manner the forms expect: always created suspended
// (a thread cannot safely run a derived Execute before the derived object is
// built), started with Resume, asked to stop with Terminate, which Execute
// checks through Terminated. Derived classes override Execute.

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace platform {

class WorkerThread {
 public:
  WorkerThread() = default;
  /// Joins a thread still running. A derived class whose Execute may still be
  /// running calls Terminate and WaitFor in its own destructor.
  virtual ~WorkerThread();
  WorkerThread(const WorkerThread&) = delete;
  WorkerThread& operator=(const WorkerThread&) = delete;

  /// Starts a thread created suspended. Harmless when already started.
  void Resume();
  /// Asks Execute to end; it must check Terminated.
  void Terminate() { m_terminated = true; }
  bool Terminated() const { return m_terminated; }
  /// Waits until Execute has returned. Only for threads not freeing themselves.
  void WaitFor();
  /// When set before Resume, the object deletes itself after Execute returns.
  void SetFreeOnTerminate(bool value) { m_freeOnTerminate = value; }
  bool Finished() const { return m_finished; }

 protected:
  virtual void Execute() = 0;

 private:
  void Run();
  std::atomic<bool> m_terminated{false};
  std::atomic<bool> m_finished{false};
  bool m_freeOnTerminate = false;
  bool m_started = false;
  std::thread m_thread;
  std::mutex m_mutex;
  std::condition_variable m_cv;
};

}  // namespace platform
