// What HamlibRadio shows of itself: its status for the panels, the
// operator and the tests.

#include <algorithm>

#include "HamlibRadio.h"

namespace hamlibradio {

const char* LinkStateName(LinkState state) {
  switch (state) {
    case LinkState::Idle: return "IDLE";
    case LinkState::Waiting: return "WAITING";
    case LinkState::Up: return "UP";
    case LinkState::Lost: return "LOST";
    case LinkState::Off: return "OFF";
    case LinkState::Failed: return "FAILED";
  }
  return "IDLE";
}

// ---- Status -------------------------------------------------------------------------

RadioStatus HamlibRadio::Status() const {
  Lock lock(m_mutex);
  RadioStatus s;
  s.connected = m_connected;
  s.model = m_options.model;
  s.modelName = m_info.name;
  s.path = m_options.path;
  s.keying = m_settings.keyingText;
  s.pollMs = m_settings.pollMs;
  s.timeoutMs = m_info.timeoutMs;
  s.retry = m_info.retry;
  s.baud = m_baud;
  s.link = m_link;
  switch (m_link) {
    case LinkState::Idle: s.linkText = "Not connected"; break;
    case LinkState::Waiting: s.linkText = "Waiting for the radio to answer"; break;
    case LinkState::Up: s.linkText = "Connected"; break;
    case LinkState::Lost: s.linkText = "Lost contact, reconnecting"; break;
    case LinkState::Off: s.linkText = "Switched off"; break;
    case LinkState::Failed: s.linkText = "Cannot connect"; break;
  }
  s.lastError = m_lastError;
  s.reports = m_reports;
  s.recoveries = m_recoveries;
  s.polls = m_polls;
  s.opens = m_opens;
  s.morseSent = m_morseSent;
  s.lastMorse = m_lastMorse;
  s.sendingSlot = m_keyer.SendingSlot();
  s.keyerBusy = m_keyer.Busy();
  s.reading = WithKeyerSpeed(lock, m_reading);
  s.externalKeyer = m_settings.keying == CwKeying::Cwdaemon || m_settings.keying == CwKeying::WinKeyer;
  s.keyer = m_keyer.OutputText();
  s.lastKeyingMs = m_keyer.LastKeyingMs();
  s.meters = m_meters;
  s.abilities = m_info.abilities;
  s.pendingHz[0] = m_pendingHz[0];
  s.pendingHz[1] = m_pendingHz[1];
  s.queued = m_commands.size();
  s.keyedText = KeyedSoFar(lock);
  auto it = std::find(m_info.modeBits.begin(), m_info.modeBits.end(), m_reading.mode);
  if (m_reading.mode != 0 && it != m_info.modeBits.end())
    s.modeName = m_info.modeNames[static_cast<std::size_t>(it - m_info.modeBits.begin())];
  return s;
}

std::string HamlibRadio::StatusText() const {
  RadioStatus s = Status();
  std::string t;
  auto add = [&](const char* key, const std::string& value) { t += std::string(key) + "=" + value + "\n"; };
  add("CONNECTED", s.connected ? "1" : "0");
  add("MODEL", std::to_string(s.model));
  add("MODELNAME", s.modelName);
  add("PATH", s.path);
  add("KEYING", s.keying);
  add("KEYER", s.keyer);
  add("LASTKEYINGMS", std::to_string(s.lastKeyingMs));
  add("POLLMS", std::to_string(s.pollMs));
  add("TIMEOUT", std::to_string(s.timeoutMs));
  add("RETRY", std::to_string(s.retry));
  add("BAUD", s.baud);
  add("LINK", LinkStateName(s.link));
  add("LINKTEXT", s.linkText);
  add("ERROR", s.lastError);
  add("REPORTS", std::to_string(s.reports));
  add("RECOVERIES", std::to_string(s.recoveries));
  add("POLLS", std::to_string(s.polls));
  add("OPENS", std::to_string(s.opens));
  add("MORSESENT", std::to_string(s.morseSent));
  add("LASTMORSE", s.lastMorse);
  add("SENDING", std::to_string(s.sendingSlot));
  add("KEYERBUSY", s.keyerBusy ? "1" : "0");
  add("FREQ", std::to_string(s.reading.frequency));
  add("MODE", s.modeName);
  add("POWER", std::to_string(s.reading.power));
  add("SPEED", std::to_string(s.reading.keyerSpeed));
  add("VFO", std::string(1, s.reading.activeVfo));
  add("OTHERVFO", std::to_string(s.reading.otherVfo));
  add("SPLIT", s.reading.split ? "1" : "0");
  add("TX", s.meters.transmitting ? "1" : "0");
  add("QUEUED", std::to_string(s.queued));
  return t;
}

}  // namespace hamlibradio
