#include "VaroRadio.h"

#include <algorithm>
#include <cctype>

#include "Morse.h"

namespace varosim {
namespace {

// Auto CQ never repeats faster than this, whatever the delay and the message.
constexpr std::chrono::milliseconds kMinRepeatPause(100);
constexpr std::int32_t kMaxRepeatDelay = 3600;

bool AllDigits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The third comma-separated field of the connection text (name,library,baud,...).
std::string_view BaudField(std::string_view text) {
  for (int skip = 0; skip < 2; ++skip) {
    std::size_t comma = text.find(',');
    if (comma == std::string_view::npos) return {};
    text.remove_prefix(comma + 1);
  }
  return text.substr(0, text.find(','));
}

}  // namespace

VaroRadio::~VaroRadio() { Disconnect(); }

void VaroRadio::Connect(char* portBuffer, RadioEvent radioChangeEvent, const char* connectionText) {
  {
    std::lock_guard lock(m_mutex);
    if (portBuffer) {
      std::size_t n = 0;
      while (n < 6 && portBuffer[n]) {
        portBuffer[n] = static_cast<char>(std::toupper(static_cast<unsigned char>(portBuffer[n])));
        ++n;
      }
      portBuffer[n] = '\0';
      m_state.port.assign(portBuffer, n);
    }
    m_state.connectionText = connectionText ? connectionText : "";
    std::string_view baud = BaudField(m_state.connectionText);
    if (AllDigits(baud)) m_state.baud = std::string(baud.substr(0, 10));
    m_state.poweredOn = true;
    m_connected = true;
    m_radioChangeEvent = radioChangeEvent;
    if (!m_keyer.joinable()) {
      m_quit = false;
      m_keyer = std::thread(&VaroRadio::KeyerLoop, this);
    }
  }
  Raise(EventKind::RadioChange);
}

void VaroRadio::Disconnect() {
  std::thread keyer;
  {
    std::lock_guard lock(m_mutex);
    m_quit = true;
    m_pendingSlot = -1;
    if (m_busy) m_interrupt = true;
    keyer = std::move(m_keyer);
  }
  m_wake.notify_all();
  if (keyer.joinable()) keyer.join();
  std::lock_guard lock(m_mutex);
  m_quit = false;
  m_connected = false;
  m_radioChangeEvent = m_logRequestEvent = m_msgStartEvent = m_msgOverEvent = 0;
}

bool VaroRadio::Connected() const {
  std::lock_guard lock(m_mutex);
  return m_connected;
}

void VaroRadio::SetLogRequestEvent(RadioEvent event) {
  std::lock_guard lock(m_mutex);
  m_logRequestEvent = event;
}

void VaroRadio::SetMsgEvents(RadioEvent msgOverEvent, RadioEvent msgStartEvent) {
  std::lock_guard lock(m_mutex);
  m_msgOverEvent = msgOverEvent;
  m_msgStartEvent = msgStartEvent;
}

bool VaroRadio::Raise(EventKind kind) {
  RadioEvent event = 0;
  {
    std::lock_guard lock(m_mutex);
    switch (kind) {
      case EventKind::RadioChange: event = m_radioChangeEvent; break;
      case EventKind::LogRequest: event = m_logRequestEvent; break;
      case EventKind::MsgStart: event = m_msgStartEvent; break;
      case EventKind::MsgOver: event = m_msgOverEvent; break;
    }
  }
  return event != 0 && RadioSetEvent(event) != 0;
}

void VaroRadio::Send(int slot) {
  {
    std::lock_guard lock(m_mutex);
    if (!m_connected || !m_state.poweredOn || !m_keyer.joinable()) return;
    if (slot < 0 || slot >= kMessageSlots) return;
    m_pendingSlot = slot;
    if (m_busy) m_interrupt = true;
  }
  m_wake.notify_all();
}

void VaroRadio::Stop() {
  {
    std::lock_guard lock(m_mutex);
    m_pendingSlot = -1;
    if (m_busy) m_interrupt = true;
  }
  m_wake.notify_all();
}

void VaroRadio::SetAutoRepeat(bool on) {
  {
    std::lock_guard lock(m_mutex);
    m_state.autoRepeat = on;
  }
  m_wake.notify_all();
}

void VaroRadio::SetAutoRepeatDelay(std::int32_t seconds) {
  std::lock_guard lock(m_mutex);
  m_state.autoRepeatDelay = std::clamp(seconds, 0, kMaxRepeatDelay);
}

int VaroRadio::SendingSlot() const {
  std::lock_guard lock(m_mutex);
  return m_sendingSlot;
}

std::int64_t VaroRadio::LastKeyingMs() const {
  std::lock_guard lock(m_mutex);
  return m_lastKeyingMs;
}

int VaroRadio::StartCount() const {
  std::lock_guard lock(m_mutex);
  return m_startCount;
}

bool VaroRadio::KeyerRunning() const {
  std::lock_guard lock(m_mutex);
  return m_keyer.joinable();
}

bool VaroRadio::Busy() const {
  std::lock_guard lock(m_mutex);
  return m_busy || m_pendingSlot >= 0;
}

void VaroRadio::Reset() {
  Stop();
  {
    std::lock_guard lock(m_mutex);
    RadioState fresh;
    fresh.port = m_state.port;
    fresh.connectionText = m_state.connectionText;
    m_state = fresh;
    m_startCount = 0;
    m_lastKeyingMs = -1;
  }
  m_wake.notify_all();
  Raise(EventKind::RadioChange);
}

void VaroRadio::KeyerLoop() {
  std::unique_lock lock(m_mutex);
  for (;;) {
    m_wake.wait(lock, [&] { return m_quit || m_pendingSlot >= 0; });
    if (m_quit) return;
    int slot = m_pendingSlot;
    m_pendingSlot = -1;
    m_busy = true;
    m_interrupt = false;
    // Auto CQ: slot 0 comes again after the delay while the repeat is on.
    while (KeyMessage(lock, slot) && slot == 0 && m_state.autoRepeat) {
      auto pause = std::max<std::chrono::milliseconds>(
          std::chrono::seconds(m_state.autoRepeatDelay), kMinRepeatPause);
      if (m_wake.wait_for(lock, pause,
                          [&] { return m_quit || m_interrupt || !m_state.autoRepeat; })) {
        break;
      }
    }
    m_busy = false;
    m_interrupt = false;
  }
}

bool VaroRadio::KeyMessage(std::unique_lock<std::mutex>& lock, int slot) {
  if (m_quit || m_interrupt) return false;
  auto duration = MorseDuration(m_state.messages[static_cast<std::size_t>(slot)], m_state.keyerSpeed);
  m_sendingSlot = slot;
  ++m_startCount;
  SetEventUnlocked(lock, m_msgStartEvent);
  auto start = std::chrono::steady_clock::now();
  bool interrupted =
      m_wake.wait_until(lock, start + duration, [&] { return m_quit || m_interrupt; });
  auto end = std::chrono::steady_clock::now();
  m_sendingSlot = -1;
  if (!interrupted) {
    m_lastKeyingMs = std::chrono::duration_cast<std::chrono::milliseconds>(end - start).count();
  }
  SetEventUnlocked(lock, m_msgOverEvent);
  return !interrupted;
}

void VaroRadio::SetEventUnlocked(std::unique_lock<std::mutex>& lock, RadioEvent event) {
  if (!event) return;
  lock.unlock();
  RadioSetEvent(event);
  lock.lock();
}

}  // namespace varosim
