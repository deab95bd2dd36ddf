#include "mainform/TListenerThreads.h"

TListenerThread::TListenerThread(std::function<void()> mainThreadStep)
    : m_event(platform::NewEvent()), m_step(std::move(mainThreadStep)) {}

TListenerThread::~TListenerThread() { Stop(); }

void TListenerThread::Execute() {
  while (!Terminated()) {
    if (platform::WaitForEvent(m_event) == platform::WaitResult::Closed) break;
    if (Terminated()) break;  // woken by the stop: no step
    m_gate.Run(m_step);
  }
}

void TListenerThread::Stop() {
  if (m_stopped) return;
  m_stopped = true;
  Terminate();
  m_gate.Cancel();
  platform::SetEvent(m_event);
  WaitFor();
  platform::CloseEvent(m_event);
}
