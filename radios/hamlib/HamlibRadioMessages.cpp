// The stored messages with Auto CQ (the kit's keyer; the radio's own keyer
// sends them), VFO memories and macros of HamlibRadio.

#include <algorithm>

#include "HamlibRadio.h"
#include "Morse.h"

namespace hamlibradio {
// ---- Messages ----------------------------------------------------------------

void HamlibRadio::SetMessage(int slot, std::string_view text) { m_keyer.SetMessage(slot, std::string(text)); }

// The radio lock is held across the keyer's call, so that the stop reaches
// the worker before the next message's text does.
void HamlibRadio::Send(int slot) {
  {
    Lock lock(m_mutex);
    if (!m_connected || m_link == LinkState::Off) return;
    if (m_keyer.Send(slot)) StopRigKeyer(lock);
  }
  m_workerWake.notify_all();
}

void HamlibRadio::Stop() {
  {
    Lock lock(m_mutex);
    if (m_keyer.Cancel()) {
      StopRigKeyer(lock);
      m_keyedText.clear();
    }
  }
  m_workerWake.notify_all();
}

void HamlibRadio::StopRigKeyer(Lock&) {
  if (m_connected && m_info.stopMorse && m_settings.keying == CwKeying::Rig)
    m_commands.push_back({Command::Kind::StopMorse, {}, 0, {}});
}

void HamlibRadio::SetAutoRepeat(bool on) { m_keyer.SetAutoRepeat(on); }

void HamlibRadio::SetAutoRepeatDelay(int seconds) { m_keyer.SetAutoRepeatDelay(seconds); }

int HamlibRadio::SendingSlot() const { return m_keyer.SendingSlot(); }

// The radio's keyer sends at its own speed; the message is over when that
// speed says so (rig_wait_morse in Hamlib 4.5 only watches PTT).
int HamlibRadio::KeyerSpeed() {
  Lock lock(m_mutex);
  if (m_keyerWpm > 0) return m_keyerWpm;
  return m_reading.keyerSpeed > 0 ? m_reading.keyerSpeed : kDefaultWpm;
}

void HamlibRadio::KeyerTrouble(const std::string& text, bool recovered) {
  Lock lock(m_mutex);
  if (!m_connected) return;
  if (recovered) Log(lock, text + ".");
  else Report(lock, text + ".");
}

void HamlibRadio::KeyerPotSpeed(int wpm) { SetKeyerWpm(wpm); }

void HamlibRadio::SetKeyerWpm(int wpm) {
  {
    Lock lock(m_mutex);
    const bool external = m_settings.keying == CwKeying::Cwdaemon || m_settings.keying == CwKeying::WinKeyer;
    wpm = std::clamp(wpm, 5, 99);
    if (!m_connected || !external || wpm == m_keyerWpm) return;
    m_keyerWpm = wpm;
  }
  m_events.Raise(radiokit::RadioEventKind::RadioChange);
}

RigReading HamlibRadio::WithKeyerSpeed(Lock&, RigReading reading) const {
  const bool external = m_settings.keying == CwKeying::Cwdaemon || m_settings.keying == CwKeying::WinKeyer;
  if (m_keyerWpm > 0) reading.keyerSpeed = m_keyerWpm;
  else if (external && reading.keyerSpeed <= 0) reading.keyerSpeed = kDefaultWpm;
  return reading;
}

void HamlibRadio::MessageStarted(int, const std::string& text, std::uint64_t message) {
  if (text.empty()) return;
  {
    Lock lock(m_mutex);
    if (m_settings.keying != CwKeying::Rig) return;
    m_commands.push_back({Command::Kind::Morse, text, message, {}});
    m_keyedText.clear();
    Keyed(lock, text);
  }
  m_workerWake.notify_all();
}

// The radio's keyer takes text after text; a text given while it still
// keys the last one follows it.
void HamlibRadio::Keyed(Lock& lock, const std::string& text) {
  if (KeyingNow(lock)) {
    m_keyedText += text;
    return;
  }
  m_keyedText = text;
  m_keyedAt = std::chrono::steady_clock::now();
  m_keyedWpm = m_reading.keyerSpeed > 0 ? m_reading.keyerSpeed : kDefaultWpm;
}

bool HamlibRadio::KeyingNow(Lock&) const {
  return !m_keyedText.empty() &&
         std::chrono::steady_clock::now() - m_keyedAt < radiokit::MorseDuration(m_keyedText, m_keyedWpm);
}

// Hamlib does not tell how far the radio's keyer has gone: the Morse time
// at the keyer speed does.
std::string HamlibRadio::KeyedSoFar(Lock& lock) const {
  if (!KeyingNow(lock)) return {};
  const auto gone = std::chrono::steady_clock::now() - m_keyedAt;
  std::size_t n = 1;
  while (n < m_keyedText.size() &&
         radiokit::MorseDuration(std::string_view(m_keyedText).substr(0, n), m_keyedWpm) <= gone)
    ++n;
  return m_keyedText.substr(0, n);
}

std::vector<std::string> HamlibRadio::Messages() const {
  std::vector<std::string> messages;
  for (int slot = 0; slot < kMessageSlots; ++slot) messages.push_back(m_keyer.Message(slot));
  return messages;
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
