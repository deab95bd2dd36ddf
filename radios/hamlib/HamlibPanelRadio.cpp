#include "HamlibPanelRadio.h"

#include <algorithm>
#include <cctype>

namespace hamlibradio {
namespace {

char VfoName(char vfo) { return std::toupper(static_cast<unsigned char>(vfo)) == 'B' ? 'B' : 'A'; }

}  // namespace

double SUnitsOf(double strengthDb) {
  return strengthDb >= 0 ? 9 + strengthDb / 10 : std::max(0.0, 9 + strengthDb / 6);
}

radiopanel::PanelAbilities HamlibPanelRadio::Abilities() const {
  const RadioStatus s = m_radio.Status();
  const RigAbilities& a = s.abilities;
  radiopanel::PanelAbilities p;
  if (!s.connected) return p;
  p.radioName = s.modelName;
  p.modeNames = a.modeNames;
  p.power = a.setPower;
  p.maxPower = a.maxPowerW;
  p.keyerSpeed = a.setKeyerSpeed || s.externalKeyer;
  p.rit = a.maxRit > 0;
  p.xit = a.maxXit > 0;
  p.maxRitOffset = a.maxRit;
  p.maxXitOffset = a.maxXit;
  p.split = a.split;
  p.vfoB = a.vfoB;
  p.sMeter = a.sMeter;
  p.powerMeter = a.powerMeter;
  p.swrMeter = a.swrMeter;
  p.alcMeter = a.alcMeter;
  p.sendText = a.sendMorse && s.keying == "RIG";
  p.powerOff = a.powerOff;
  return p;
}

radiopanel::PanelState HamlibPanelRadio::State() const {
  const RadioStatus s = m_radio.Status();
  const RigReading& r = s.reading;
  radiopanel::PanelState p;
  p.answering = s.connected && s.link == LinkState::Up;
  if (!s.connected) p.problem = s.linkText;
  else if (!p.answering) p.problem = s.lastError.empty() ? s.linkText : s.lastError;
  p.poweredOn = s.link != LinkState::Off;
  p.activeVfo = r.activeVfo;
  p.vfoA = r.activeVfo == 'A' ? r.frequency : r.otherVfo;
  p.vfoB = r.activeVfo == 'B' ? r.frequency : r.otherVfo;
  // What the knob asked for shows until the radio has it.
  if (s.pendingHz[0]) p.vfoA = s.pendingHz[0];
  if (s.pendingHz[1]) p.vfoB = s.pendingHz[1];
  auto mode = std::find(s.abilities.modeBits.begin(), s.abilities.modeBits.end(), r.mode);
  if (r.mode != 0 && mode != s.abilities.modeBits.end())
    p.mode = s.abilities.modeNames[static_cast<std::size_t>(mode - s.abilities.modeBits.begin())];
  p.power = r.power;
  p.keyerSpeed = r.keyerSpeed;
  p.ritOn = r.ritOn;
  p.xitOn = r.xitOn;
  p.ritOffset = r.ritOffset;
  p.xitOffset = r.xitOffset;
  p.split = r.split;
  p.sending = s.keyedText;
  // Where the radio tells no PTT, sending is what is being keyed now.
  p.transmitting = !s.keyedText.empty() || (s.meters.pttRead && s.meters.transmitting);
  if (s.abilities.sMeter) p.sUnits = SUnitsOf(s.meters.strengthDb);
  if (s.abilities.powerMeter) p.powerOut = s.meters.powerMeter * s.abilities.maxPowerW;
  if (s.abilities.swrMeter) p.swr = s.meters.swr;
  if (s.abilities.alcMeter) p.alc = s.meters.alc;
  p.messages = m_radio.Messages();
  return p;
}

void HamlibPanelRadio::SetFrequency(char vfo, std::int64_t hz) {
  RigAction a;
  a.kind = RigAction::Kind::Frequency;
  a.vfo = VfoName(vfo);
  a.hz = hz;
  m_radio.Perform(a);
}

void HamlibPanelRadio::SelectVfo(char vfo) {
  RigAction a;
  a.kind = RigAction::Kind::Vfo;
  a.vfo = VfoName(vfo);
  m_radio.Perform(a);
}

void HamlibPanelRadio::SetMode(const std::string& mode) {
  const RigAbilities a = m_radio.Status().abilities;
  auto it = std::find(a.modeNames.begin(), a.modeNames.end(), mode);
  if (it == a.modeNames.end()) return;
  RigAction action;
  action.kind = RigAction::Kind::Mode;
  action.mode = a.modeBits[static_cast<std::size_t>(it - a.modeNames.begin())];
  m_radio.Perform(action);
}

void HamlibPanelRadio::SetPower(int watts) {
  RigAction a;
  a.kind = RigAction::Kind::Power;
  a.value = watts;
  m_radio.Perform(a);
}

void HamlibPanelRadio::SetKeyerSpeed(int wpm) {
  // An external keyer's speed is the library's own.
  if (m_radio.Status().externalKeyer) {
    m_radio.SetKeyerWpm(wpm);
    return;
  }
  RigAction a;
  a.kind = RigAction::Kind::KeyerSpeed;
  a.value = wpm;
  m_radio.Perform(a);
}

void HamlibPanelRadio::SetRit(bool on, int offsetHz) {
  RigAction a;
  a.kind = RigAction::Kind::Rit;
  a.on = on;
  a.hz = offsetHz;
  m_radio.Perform(a);
}

void HamlibPanelRadio::SetXit(bool on, int offsetHz) {
  RigAction a;
  a.kind = RigAction::Kind::Xit;
  a.on = on;
  a.hz = offsetHz;
  m_radio.Perform(a);
}

void HamlibPanelRadio::SetSplit(bool on) {
  RigAction a;
  a.kind = RigAction::Kind::Split;
  a.on = on;
  m_radio.Perform(a);
}

void HamlibPanelRadio::SendMessage(int slot) { m_radio.Send(slot); }
void HamlibPanelRadio::SendText(const std::string& text) { m_radio.SendText(text); }
void HamlibPanelRadio::StopSending() { m_radio.StopSending(); }
void HamlibPanelRadio::TurnOff() { m_radio.TurnOff(); }

}  // namespace hamlibradio
