#include "platform/WorkerThread.h"

namespace platform {

WorkerThread::~WorkerThread() {
  if (m_thread.joinable()) {
    if (m_thread.get_id() == std::this_thread::get_id()) {
      m_thread.detach();  // freeing itself at the end of Run
    } else {
      Terminate();
      m_thread.join();
    }
  }
}

void WorkerThread::Resume() {
  std::lock_guard lock(m_mutex);
  if (m_started) return;
  m_started = true;
  m_thread = std::thread(&WorkerThread::Run, this);
}

void WorkerThread::Run() {
  Execute();
  bool freeSelf = m_freeOnTerminate;
  {
    std::lock_guard lock(m_mutex);
    m_finished = true;
  }
  m_cv.notify_all();
  if (freeSelf) delete this;
}

void WorkerThread::WaitFor() {
  {
    std::lock_guard lock(m_mutex);
    if (!m_started) return;
  }
  if (m_thread.joinable() && m_thread.get_id() != std::this_thread::get_id()) {
    m_thread.join();
  }
}

}  // namespace platform
