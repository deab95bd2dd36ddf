#pragma once
// Auto-reset events that radio libraries and listener threads share.
//
// An event is named by a 32-bit handle. Handles are never reused within the
// process, so a handle kept after its event was closed names nothing: setting
// it does nothing and answers false. Events are created signalled; a wait
// consumes the signal, so any number of sets since the last wake give one wake.

#include <cstdint>

namespace platform {

using EventHandle = std::uint32_t;
constexpr EventHandle kNoEvent = 0;

enum class WaitResult { Signalled, TimedOut, Closed };

/// Creates a signalled auto-reset event. Never returns kNoEvent. (Not
/// called CreateEvent: on Windows that is a macro.)
EventHandle NewEvent();

/// Signals the event. False when the handle names no open event.
bool SetEvent(EventHandle handle);

/// Waits for the event and clears it. timeoutMs < 0 waits without limit.
/// Closed when the handle names no open event or the event is closed while
/// waiting (so a waiting thread can always be released).
WaitResult WaitForEvent(EventHandle handle, int timeoutMs = -1);

/// Closes the event and wakes its waiters with Closed. Harmless on a stale handle.
void CloseEvent(EventHandle handle);

/// The owner of one event: creates it, closes it in its destructor (which
/// wakes its waiters with Closed). Movable, not copyable. Handle() is the
/// bare handle that radio libraries and waits are given; it names nothing
/// once the owner has closed it.
class Event {
 public:
  Event() : m_handle(NewEvent()) {}
  ~Event() { Close(); }
  Event(const Event&) = delete;
  Event& operator=(const Event&) = delete;
  Event(Event&& other) noexcept : m_handle(other.m_handle) { other.m_handle = kNoEvent; }
  Event& operator=(Event&& other) noexcept {
    if (this != &other) {
      Close();
      m_handle = other.m_handle;
      other.m_handle = kNoEvent;
    }
    return *this;
  }

  EventHandle Handle() const { return m_handle; }
  bool Set() const { return SetEvent(m_handle); }
  WaitResult Wait(int timeoutMs = -1) const { return WaitForEvent(m_handle, timeoutMs); }
  /// Closes now; the owner then holds no event.
  void Close() {
    if (m_handle != kNoEvent) CloseEvent(m_handle);
    m_handle = kNoEvent;
  }

 private:
  EventHandle m_handle;
};

}  // namespace platform

/// The host program exports this for radio libraries: non-zero when the event was set.
extern "C" int RadioSetEvent(std::uint32_t handle);
