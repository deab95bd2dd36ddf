// The stored messages with Auto CQ, the keyer that times them, VFO
// memories and macros of HamlibRadio.

#include <algorithm>

#include "HamlibRadio.h"
#include "Morse.h"

namespace hamlibradio {
namespace {

using Clock = std::chrono::steady_clock;

// Auto CQ never repeats faster than this, whatever the delay and the message.
constexpr auto kMinRepeatPause = std::chrono::milliseconds(100);
constexpr int kMaxRepeatDelay = 3600;
// Timing for messages while the radio has told no keyer speed.
constexpr int kDefaultWpm = 25;

}  // namespace

// ---- Messages ----------------------------------------------------------------

void HamlibRadio::SetMessage(int slot, std::string_view text) {
  if (slot < 0 || slot >= kMessageSlots) return;
  Lock lock(m_mutex);
  m_messages[static_cast<std::size_t>(slot)] = std::string(text);
}

void HamlibRadio::Send(int slot) {
  {
    Lock lock(m_mutex);
    if (!m_connected || m_link == LinkState::Off || slot < 0 || slot >= kMessageSlots) return;
    m_pendingSlot = slot;
    if (m_busy) {
      m_interrupt = true;
      if (m_sendingSlot >= 0 && m_info.stopMorse && m_settings.keying == CwKeying::Rig)
        m_commands.push_back({Command::Kind::StopMorse, {}, 0, {}});
    }
  }
  m_workerWake.notify_all();
  m_keyerWake.notify_all();
}

void HamlibRadio::Stop() {
  {
    Lock lock(m_mutex);
    m_pendingSlot = -1;
    if (m_busy) m_interrupt = true;
    if (m_sendingSlot >= 0 && m_info.stopMorse && m_settings.keying == CwKeying::Rig)
      m_commands.push_back({Command::Kind::StopMorse, {}, 0, {}});
  }
  m_workerWake.notify_all();
  m_keyerWake.notify_all();
}

void HamlibRadio::SetAutoRepeat(bool on) {
  {
    Lock lock(m_mutex);
    m_autoRepeat = on;
  }
  m_keyerWake.notify_all();
}

void HamlibRadio::SetAutoRepeatDelay(int seconds) {
  Lock lock(m_mutex);
  m_autoRepeatDelay = std::clamp(seconds, 0, kMaxRepeatDelay);
}

int HamlibRadio::SendingSlot() const {
  Lock lock(m_mutex);
  return m_sendingSlot;
}

void HamlibRadio::KeyerLoop() {
  Lock lock(m_mutex);
  for (;;) {
    m_keyerWake.wait(lock, [&] { return m_stopKeyer || m_pendingSlot >= 0; });
    if (m_stopKeyer) return;
    int slot = m_pendingSlot;
    m_pendingSlot = -1;
    m_busy = true;
    m_interrupt = false;
    // Auto CQ: slot 0 comes again after the delay while the repeat is on.
    while (KeyMessage(lock, slot) && slot == 0 && m_autoRepeat) {
      auto pause = std::max<std::chrono::milliseconds>(std::chrono::seconds(m_autoRepeatDelay), kMinRepeatPause);
      if (m_keyerWake.wait_for(lock, pause, [&] {
            return m_stopKeyer || m_interrupt || !m_autoRepeat || m_pendingSlot >= 0;
          })) {
        break;
      }
    }
    m_busy = false;
    m_interrupt = false;
  }
}

bool HamlibRadio::KeyMessage(Lock& lock, int slot) {
  if (m_stopKeyer || m_interrupt) return false;
  const std::string text = m_messages[static_cast<std::size_t>(slot)];
  // The radio's keyer sends at its own speed; the message is over when
  // that speed says so (rig_wait_morse in Hamlib 4.5 only watches PTT).
  const int wpm = m_reading.keyerSpeed > 0 ? m_reading.keyerSpeed : kDefaultWpm;
  const auto duration = varosim::MorseDuration(text, wpm);
  const std::uint64_t message = ++m_messageSerial;
  m_sendingSlot = slot;
  m_sendingMessage = message;
  const auto start = Clock::now();
  Raise(lock, m_msgStartEvent);
  if (m_settings.keying == CwKeying::Rig && !text.empty()) {
    m_commands.push_back({Command::Kind::Morse, text, message, {}});
    m_workerWake.notify_all();
  }
  bool interrupted = m_keyerWake.wait_until(lock, start + duration, [&] { return m_stopKeyer || m_interrupt; });
  m_sendingSlot = -1;
  m_sendingMessage = 0;
  Raise(lock, m_msgOverEvent);
  return !interrupted;
}

// ---- VFO memories and macros ----------------------------------------------------

void HamlibRadio::StoreMemory(std::string_view memory) {
  std::string text(memory.substr(0, 14));
  std::string name = text.substr(0, text.find(','));
  Lock lock(m_mutex);
  for (std::string& held : m_memories) {
    if (held.substr(0, held.find(',')) == name) {
      held = text;
      return;
    }
  }
  if (m_memories.size() < kMaxVfoMemories) m_memories.push_back(text);
}

std::vector<std::string> HamlibRadio::Memories() const {
  Lock lock(m_mutex);
  return m_memories;
}

std::vector<std::string> HamlibRadio::MacroNames() const {
  Lock lock(m_mutex);
  std::vector<std::string> names;
  for (const Macro& m : m_macros) names.push_back(m.name);
  return names;
}

bool HamlibRadio::RunMacro(std::string_view name) {
  Command command{Command::Kind::Macro, std::string(name), 0, {}};
  {
    Lock lock(m_mutex);
    const Macro* macro = FindMacro(m_macros, name);
    if (!m_connected || !macro) return false;
    command.text = macro->name;
    command.commands = macro->commands;
  }
  Queue(std::move(command));
  return true;
}

void HamlibRadio::TurnOff() {
  Stop();
  Queue({Command::Kind::PowerOff, {}, 0, {}});
}

void HamlibRadio::Queue(Command command) {
  {
    Lock lock(m_mutex);
    if (!m_connected) return;
    m_commands.push_back(std::move(command));
  }
  m_workerWake.notify_all();
}

}  // namespace hamlibradio
