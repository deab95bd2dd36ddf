#include "RadioEvents.h"

namespace radiokit {

void RadioEvents::Set(RadioEventKind kind, RadioEvent handle) {
  std::lock_guard lock(m_mutex);
  m_handles[static_cast<std::size_t>(kind)] = handle;
}

void RadioEvents::Forget() {
  std::lock_guard lock(m_mutex);
  m_handles.fill(0);
}

bool RadioEvents::Raise(RadioEventKind kind) const {
  RadioEvent handle;
  {
    std::lock_guard lock(m_mutex);
    handle = m_handles[static_cast<std::size_t>(kind)];
  }
  return handle != 0 && RadioSetEvent(handle) != 0;
}

}  // namespace radiokit
