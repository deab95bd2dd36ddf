#include "platform/Event.h"

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <unordered_map>

namespace platform {
namespace {

struct EventState {
  std::mutex mutex;
  std::condition_variable cv;
  bool signalled = true;
  bool closed = false;
};

class EventTable {
 public:
  EventHandle Create() {
    std::lock_guard lock(m_mutex);
    EventHandle h = ++m_last;
    m_events.emplace(h, std::make_shared<EventState>());
    return h;
  }
  std::shared_ptr<EventState> Find(EventHandle h) {
    std::lock_guard lock(m_mutex);
    auto it = m_events.find(h);
    return it == m_events.end() ? nullptr : it->second;
  }
  std::shared_ptr<EventState> Remove(EventHandle h) {
    std::lock_guard lock(m_mutex);
    auto it = m_events.find(h);
    if (it == m_events.end()) return nullptr;
    auto state = it->second;
    m_events.erase(it);
    return state;
  }

 private:
  std::mutex m_mutex;
  EventHandle m_last = 0;  // handles count up from 1 and are never reused
  std::unordered_map<EventHandle, std::shared_ptr<EventState>> m_events;
};

EventTable& Table() {
  static EventTable* table = new EventTable;  // outlives every thread at exit
  return *table;
}

}  // namespace

EventHandle NewEvent() { return Table().Create(); }

bool SetEvent(EventHandle handle) {
  auto state = Table().Find(handle);
  if (!state) return false;
  {
    std::lock_guard lock(state->mutex);
    if (state->closed) return false;
    state->signalled = true;
  }
  state->cv.notify_one();
  return true;
}

WaitResult WaitForEvent(EventHandle handle, int timeoutMs) {
  auto state = Table().Find(handle);
  if (!state) return WaitResult::Closed;
  std::unique_lock lock(state->mutex);
  auto ready = [&] { return state->signalled || state->closed; };
  if (timeoutMs < 0) {
    state->cv.wait(lock, ready);
  } else if (!state->cv.wait_for(lock, std::chrono::milliseconds(timeoutMs), ready)) {
    return WaitResult::TimedOut;
  }
  if (state->closed) return WaitResult::Closed;
  state->signalled = false;
  return WaitResult::Signalled;
}

void CloseEvent(EventHandle handle) {
  auto state = Table().Remove(handle);
  if (!state) return;
  {
    std::lock_guard lock(state->mutex);
    state->closed = true;
  }
  state->cv.notify_all();
}

}  // namespace platform
