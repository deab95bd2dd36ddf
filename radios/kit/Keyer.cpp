#include "Keyer.h"

#include <algorithm>

#include "Morse.h"

namespace radiokit {

std::chrono::milliseconds RepeatPause(int delaySeconds) {
  return std::max<std::chrono::milliseconds>(std::chrono::seconds(std::clamp(delaySeconds, 0, kMaxRepeatDelay)),
                                             kMinRepeatPause);
}

Keyer::Keyer(KeyerRadio& radio, const RadioEvents& events, KeyerTimer* timer)
    : m_radio(radio), m_events(events), m_timer(timer) {}

namespace {
// How much longer than its Morse time a reporting output may take to say a
// message was keyed before the keyer ends it (a silent cwdaemon).
constexpr auto kEndGrace = std::chrono::seconds(2);
}  // namespace

Keyer::~Keyer() { StopThread(); }

void Keyer::SetOutput(std::unique_ptr<KeyerOutput> output) {
  std::unique_ptr<KeyerOutput> old;
  {
    std::lock_guard lock(m_mutex);
    if (m_thread.joinable()) return;
    old = std::move(m_output);
    m_output = std::move(output);
  }
}

std::string Keyer::OutputText() const {
  std::lock_guard lock(m_mutex);
  return m_output ? m_output->Describe() : std::string();
}

void Keyer::Keyed(std::uint64_t message) {
  {
    std::lock_guard lock(m_mutex);
    if (message == 0 || m_sendingMessage != message) return;
    m_keyedMessage = message;
  }
  m_wake.notify_all();
}

void Keyer::Trouble(const std::string& text, bool recovered) { m_radio.KeyerTrouble(text, recovered); }

void Keyer::PotSpeed(int wpm) { m_radio.KeyerPotSpeed(wpm); }

void Keyer::StartThread() {
  std::lock_guard lock(m_mutex);
  if (m_thread.joinable()) return;
  m_quit = false;
  m_busy = m_interrupt = false;
  m_pendingSlot = m_sendingSlot = -1;
  m_thread = std::thread(&Keyer::Loop, this);
}

void Keyer::StopThread() {
  std::thread thread;
  {
    std::lock_guard lock(m_mutex);
    m_quit = true;
    m_pendingSlot = -1;
    if (m_busy) m_interrupt = true;
    thread = std::move(m_thread);
  }
  m_wake.notify_all();
  if (thread.joinable()) thread.join();
  std::lock_guard lock(m_mutex);
  m_quit = false;
}

bool Keyer::ThreadRunning() const {
  std::lock_guard lock(m_mutex);
  return m_thread.joinable();
}

void Keyer::SetMessage(int slot, std::string text) {
  if (slot < 0 || slot >= kMessageSlots) return;
  std::lock_guard lock(m_mutex);
  m_messages[static_cast<std::size_t>(slot)] = std::move(text);
}

std::string Keyer::Message(int slot) const {
  if (slot < 0 || slot >= kMessageSlots) return {};
  std::lock_guard lock(m_mutex);
  return m_messages[static_cast<std::size_t>(slot)];
}

bool Keyer::Send(int slot) {
  bool wasSending;
  {
    std::lock_guard lock(m_mutex);
    if (!m_thread.joinable() || slot < 0 || slot >= kMessageSlots) return false;
    m_pendingSlot = slot;
    wasSending = Interrupt();
  }
  m_wake.notify_all();
  return wasSending;
}

bool Keyer::Cancel() {
  bool wasSending;
  {
    std::lock_guard lock(m_mutex);
    m_pendingSlot = -1;
    wasSending = Interrupt();
  }
  m_wake.notify_all();
  return wasSending;
}

bool Keyer::Interrupt() {
  if (m_busy) m_interrupt = true;
  return m_sendingSlot >= 0;
}

void Keyer::EndMessage(std::uint64_t message) {
  {
    std::lock_guard lock(m_mutex);
    if (message == 0 || m_sendingMessage != message) return;
    m_interrupt = true;
  }
  m_wake.notify_all();
}

void Keyer::SetAutoRepeat(bool on) {
  {
    std::lock_guard lock(m_mutex);
    m_autoRepeat = on;
  }
  m_wake.notify_all();
}

bool Keyer::AutoRepeat() const {
  std::lock_guard lock(m_mutex);
  return m_autoRepeat;
}

void Keyer::SetAutoRepeatDelay(int seconds) {
  std::lock_guard lock(m_mutex);
  m_autoRepeatDelay = std::clamp(seconds, 0, kMaxRepeatDelay);
}

int Keyer::AutoRepeatDelay() const {
  std::lock_guard lock(m_mutex);
  return m_autoRepeatDelay;
}

int Keyer::SendingSlot() const {
  std::lock_guard lock(m_mutex);
  return m_sendingSlot;
}

bool Keyer::Busy() const {
  std::lock_guard lock(m_mutex);
  return m_busy || m_pendingSlot >= 0;
}

int Keyer::Starts() const {
  std::lock_guard lock(m_mutex);
  return m_starts;
}

std::int64_t Keyer::LastKeyingMs() const {
  std::lock_guard lock(m_mutex);
  return m_lastKeyingMs;
}

void Keyer::Reset() {
  Cancel();
  {
    std::lock_guard lock(m_mutex);
    m_messages = {};
    m_autoRepeat = false;
    m_autoRepeatDelay = 5;
    m_starts = 0;
    m_lastKeyingMs = -1;
  }
  m_wake.notify_all();
}

void Keyer::Loop() {
  Lock lock(m_mutex);
  for (;;) {
    m_wake.wait(lock, [&] { return m_quit || m_pendingSlot >= 0; });
    if (m_quit) return;
    const int slot = m_pendingSlot;
    m_pendingSlot = -1;
    m_busy = true;
    m_interrupt = false;
    // Auto CQ: slot 0 comes again after the pause while the repeat is on.
    while (KeyMessage(lock, slot) && slot == 0 && m_autoRepeat) {
      if (WaitFor(lock, RepeatPause(m_autoRepeatDelay),
                  [&] { return m_quit || m_interrupt || !m_autoRepeat || m_pendingSlot >= 0; })) {
        break;
      }
    }
    m_busy = false;
    m_interrupt = false;
  }
}

bool Keyer::KeyMessage(Lock& lock, int slot) {
  if (m_quit || m_interrupt) return false;
  const std::string text = m_messages[static_cast<std::size_t>(slot)];
  lock.unlock();
  const int wpm = std::max(1, m_radio.KeyerSpeed());
  const auto duration = MorseDuration(text, wpm);
  lock.lock();
  // Ended while the radio was asked: the message never started.
  if (m_quit || m_interrupt) return false;
  const std::uint64_t message = ++m_serial;
  m_sendingSlot = slot;
  m_sendingMessage = message;
  ++m_starts;
  lock.unlock();
  m_events.Raise(RadioEventKind::MsgStart);
  m_radio.MessageStarted(slot, text, message);
  lock.lock();

  KeyerOutput* output = m_output.get();
  const bool reports = output && output->ReportsEnd() && !text.empty();
  if (output && !text.empty()) {
    lock.unlock();
    output->Start(text, wpm, message);
    lock.lock();
  }
  const auto start = std::chrono::steady_clock::now();
  bool ended;
  if (reports) {
    const bool over = WaitFor(lock, duration + duration / 2 + kEndGrace,
                              [&] { return m_quit || m_interrupt || m_keyedMessage == message; });
    ended = m_quit || m_interrupt;
    if (!over) {
      lock.unlock();
      output->Overdue(message);
      lock.lock();
    }
  } else {
    ended = WaitFor(lock, duration, [&] { return m_quit || m_interrupt; });
  }
  const auto end = std::chrono::steady_clock::now();
  if (ended && output) {
    lock.unlock();
    output->Abort();
    lock.lock();
  }
  m_sendingSlot = -1;
  m_sendingMessage = 0;
  if (!ended) m_lastKeyingMs = std::chrono::duration_cast<std::chrono::milliseconds>(end - start).count();
  lock.unlock();
  m_events.Raise(RadioEventKind::MsgOver);
  lock.lock();
  return !ended;
}

bool Keyer::WaitFor(Lock& lock, std::chrono::microseconds duration, const std::function<bool()>& stop) {
  if (m_timer) return m_timer->Wait(lock, m_wake, duration, stop);
  return m_wake.wait_for(lock, duration, stop);
}

}  // namespace radiokit
