// HamlibRadio's side of the soft panels: the operator's actions go to the
// worker, and the panel sees their effect in the next reading.

#include <algorithm>

#include "HamlibRadio.h"

namespace hamlibradio {
namespace {

int VfoIndex(char vfo) { return vfo == 'B' ? 1 : 0; }

// A slider dragged while the radio is slow leaves one value waiting, the
// last; only the order of the other actions matters.
bool Replaces(RigAction::Kind kind) {
  return kind == RigAction::Kind::Power || kind == RigAction::Kind::KeyerSpeed || kind == RigAction::Kind::Rit ||
         kind == RigAction::Kind::Xit;
}

}  // namespace

void HamlibRadio::Perform(const RigAction& action) {
  {
    Lock lock(m_mutex);
    if (!m_connected || m_link == LinkState::Off) return;
    if (action.kind == RigAction::Kind::Frequency) {
      if (action.hz <= 0) return;
      const int i = VfoIndex(action.vfo);
      m_pendingHz[i] = action.hz;
      if (m_frequencyQueued[i]) return;  // the queued one takes this value
      m_frequencyQueued[i] = true;
    } else if (Replaces(action.kind)) {
      auto same = std::find_if(m_commands.begin(), m_commands.end(), [&](const Command& c) {
        return c.kind == Command::Kind::Action && c.action.kind == action.kind;
      });
      if (same != m_commands.end()) {
        same->action = action;
        return;
      }
    }
    Command command{Command::Kind::Action, {}, 0, {}};
    command.action = action;
    m_commands.push_back(std::move(command));
  }
  m_workerWake.notify_all();
}

bool HamlibRadio::ExecuteAction(const WorkerControl& control, RigLink& link, RigAction action, Lock& lock) {
  const bool frequency = action.kind == RigAction::Kind::Frequency;
  const int vfo = VfoIndex(action.vfo);
  if (frequency) {
    action.hz = m_pendingHz[vfo];
    m_frequencyQueued[vfo] = false;
  }
  auto settled = [&] {
    if (frequency && m_pendingHz[vfo] == action.hz) m_pendingHz[vfo] = 0;
  };
  // A radio that does not answer takes nothing; the panel shows what it
  // shows when it is back.
  if (!link.IsOpen() || m_link == LinkState::Off) {
    settled();
    return true;
  }
  action.activeVfo = m_reading.activeVfo;
  action.atHz = m_reading.frequency;
  action.atMode = m_reading.mode;
  std::string error;
  lock.unlock();
  const int rc = link.Perform(action, &error);
  const bool lost = rc != 0 && RigLink::IsLinkError(rc);
  if (lost) link.Close(false);
  lock.lock();
  if (control.stop) return false;
  settled();
  if (rc != 0) {
    m_lastError = "The radio did not take the panel's " + error;
    Log(lock, m_lastError);
    if (lost) LinkLost(lock, error);
    return true;
  }
  // The radio took it: show it now, and read the radio back at once.
  RigReading r = m_reading;
  switch (action.kind) {
    case RigAction::Kind::Frequency:
      (action.vfo == r.activeVfo ? r.frequency : r.otherVfo) = action.hz;
      break;
    case RigAction::Kind::Vfo:
      if (action.vfo != r.activeVfo) {
        std::swap(r.frequency, r.otherVfo);
        r.activeVfo = action.vfo;
      }
      break;
    case RigAction::Kind::Mode: r.mode = action.mode; break;
    case RigAction::Kind::KeyerSpeed: r.keyerSpeed = action.value; break;
    case RigAction::Kind::Split: r.split = action.on; break;
    case RigAction::Kind::Power:
    case RigAction::Kind::Rit:
    case RigAction::Kind::Xit:
      break;  // the radio's own rounding and switching show in the reading
  }
  m_readNow = true;
  Apply(lock, r);
  return !control.stop;
}

void HamlibRadio::SendText(std::string_view text) {
  if (text.empty()) return;
  {
    Lock lock(m_mutex);
    if (!m_connected || m_link == LinkState::Off || m_settings.keying != CwKeying::Rig ||
        !m_info.abilities.sendMorse)
      return;
    m_commands.push_back({Command::Kind::Morse, std::string(text), 0, {}});
    Keyed(lock, std::string(text));
  }
  m_workerWake.notify_all();
}

void HamlibRadio::StopSending() {
  {
    Lock lock(m_mutex);
    const bool message = m_keyer.Cancel();
    if (message || KeyingNow(lock)) StopRigKeyer(lock);
    m_keyedText.clear();
  }
  m_workerWake.notify_all();
}

}  // namespace hamlibradio
