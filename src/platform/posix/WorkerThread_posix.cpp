#include "platform/WorkerThread.h"

namespace platform {

WorkerThread::~WorkerThread() {
  if (m_thread.joinable()) {
    Terminate();
    m_thread.join();
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
  m_finished = true;
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
