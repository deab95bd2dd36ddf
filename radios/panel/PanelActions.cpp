#include "PanelActions.h"

#include <algorithm>
#include <charconv>
#include <optional>

#include "PanelText.h"

namespace radiopanel {
namespace {

enum class Kind { Nothing, Freq, Shift, Vfo, Mode, Band, BandStep, Power, Speed, Rit, Xit, Split, Msg, Send, Stop };
enum class Switch { Keep, On, Off, Toggle };

struct Parsed {
  Kind kind = Kind::Nothing;
  char vfo = 0;  // FREQ without a letter: the active VFO
  std::int64_t number = 0;
  bool hasNumber = false;
  Switch onOff = Switch::Keep;
  std::string text;  // MODE: the radio's own spelling; SEND: the text
};

std::vector<std::string> Words(std::string_view line) { return SplitFields(line, " \t"); }

bool Number(std::string_view text, std::int64_t& value) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

std::optional<Switch> SwitchWord(const std::string& word) {
  if (word == "ON") return Switch::On;
  if (word == "OFF") return Switch::Off;
  if (word == "TOGGLE") return Switch::Toggle;
  return std::nullopt;
}

// Parses one line; empty answer when it is good, else why not.
std::string Parse(std::string_view line, const PanelAbilities& can, Parsed& p) {
  const std::string trimmed = Trim(line);
  if (trimmed.empty() || trimmed.front() == '#') return {};
  const std::vector<std::string> words = Words(trimmed);
  std::vector<std::string> upper;
  for (const std::string& w : words) upper.push_back(UpperCase(w));
  const std::string& verb = upper[0];
  const std::size_t n = words.size();
  auto numberAt = [&](std::size_t i) { return i < n && Number(words[i], p.number) && (p.hasNumber = true); };

  if (verb == "FREQ") {
    p.kind = Kind::Freq;
    std::size_t at = 1;
    if (n == 3 && (upper[1] == "A" || upper[1] == "B")) {
      p.vfo = upper[1][0];
      at = 2;
      if (p.vfo == 'B' && !can.vfoB) return "the radio has no VFO B";
    }
    if (n != at + 1 || !numberAt(at) || p.number <= 0) return "FREQ needs a frequency in Hz, as FREQ A 14025000";
    return {};
  }
  if (verb == "SHIFT") {
    p.kind = Kind::Shift;
    if (n != 2 || !numberAt(1)) return "SHIFT needs a step in Hz, as SHIFT -500";
    return {};
  }
  if (verb == "VFO") {
    p.kind = Kind::Vfo;
    if (n != 2 || (upper[1] != "A" && upper[1] != "B")) return "VFO needs A or B";
    if (upper[1] == "B" && !can.vfoB) return "the radio has no VFO B";
    p.vfo = upper[1][0];
    return {};
  }
  if (verb == "MODE") {
    p.kind = Kind::Mode;
    if (n != 2) return "MODE needs one of the radio's modes";
    for (const std::string& m : can.modeNames) {
      if (SameText(m, words[1])) {
        p.text = m;
        return {};
      }
    }
    return "the radio has no mode " + words[1];
  }
  if (verb == "BAND") {
    if (n == 2 && (upper[1] == "UP" || upper[1] == "DOWN")) {
      p.kind = Kind::BandStep;
      p.number = upper[1] == "UP" ? 1 : -1;
      return {};
    }
    p.kind = Kind::Band;
    std::string metres = n == 2 ? upper[1] : std::string();
    if (!metres.empty() && metres.back() == 'M') metres.pop_back();
    if (n != 2 || !Number(metres, p.number) || BandOfMetres(static_cast<int>(p.number)) < 0) {
      return "BAND needs UP, DOWN or one of 160 80 40 30 20 17 15 12 10 6";
    }
    return {};
  }
  if (verb == "POWER" || verb == "SPEED") {
    const bool power = verb == "POWER";
    p.kind = power ? Kind::Power : Kind::Speed;
    if (power ? !can.power : !can.keyerSpeed) return "the radio's " + std::string(power ? "power" : "keyer speed") + " cannot be set";
    if (n != 2 || !numberAt(1) || p.number < 0) return verb + " needs a number";
    return {};
  }
  if (verb == "RIT" || verb == "XIT") {
    const bool rit = verb == "RIT";
    p.kind = rit ? Kind::Rit : Kind::Xit;
    if (rit ? !can.rit : !can.xit) return "the radio has no " + verb;
    const char* usage = rit ? "RIT needs ON, OFF, TOGGLE and an offset, or an offset in Hz" : "XIT needs ON, OFF, TOGGLE and an offset, or an offset in Hz";
    if (n < 2 || n > 3) return usage;
    if (auto s = SwitchWord(upper[1])) {
      p.onOff = *s;
      if (n == 3 && !numberAt(2)) return usage;
    } else if (n != 2 || !numberAt(1)) {
      return usage;
    }
    return {};
  }
  if (verb == "SPLIT") {
    p.kind = Kind::Split;
    if (!can.split) return "the radio has no split";
    auto s = n == 2 ? SwitchWord(upper[1]) : std::nullopt;
    if (!s) return "SPLIT needs ON, OFF or TOGGLE";
    p.onOff = *s;
    return {};
  }
  if (verb == "MSG") {
    p.kind = Kind::Msg;
    if (n != 2 || !numberAt(1) || p.number < 1 || p.number > 6) return "MSG needs a message number 1 to 6";
    return {};
  }
  if (verb == "SEND") {
    p.kind = Kind::Send;
    if (!can.sendText) return "the radio cannot key text";
    p.text = Trim(std::string_view(trimmed).substr(4));
    if (p.text.empty()) return "SEND needs the text to key";
    return {};
  }
  if (verb == "STOP") {
    p.kind = Kind::Stop;
    return n == 1 ? std::string() : "STOP takes nothing more";
  }
  return "unknown action " + words[0];
}

bool Switched(Switch s, bool now) {
  switch (s) {
    case Switch::Keep: return now;
    case Switch::On: return true;
    case Switch::Off: return false;
    case Switch::Toggle: return !now;
  }
  return now;
}

std::int64_t& VfoOf(PanelState& s, char vfo) { return vfo == 'B' ? s.vfoB : s.vfoA; }

}  // namespace

std::string CheckAction(std::string_view line, const PanelAbilities& abilities) {
  Parsed p;
  return Parse(line, abilities, p);
}

const PanelMacro* FindMacro(const std::vector<PanelMacro>& macros, std::string_view name) {
  const std::string wanted = Trim(name);
  for (const PanelMacro& m : macros) {
    if (SameText(Trim(m.name), wanted)) return &m;
  }
  return nullptr;
}

std::vector<std::string> ActionsForState(const PanelState& s, const PanelAbilities& can) {
  auto onOff = [](bool on) { return on ? std::string("ON") : std::string("OFF"); };
  std::vector<std::string> actions{"FREQ A " + std::to_string(s.vfoA)};
  if (can.vfoB) {
    actions.push_back("FREQ B " + std::to_string(s.vfoB));
    actions.push_back(std::string("VFO ") + s.activeVfo);
  }
  if (!s.mode.empty()) actions.push_back("MODE " + s.mode);
  if (can.power) actions.push_back("POWER " + std::to_string(s.power));
  if (can.keyerSpeed) actions.push_back("SPEED " + std::to_string(s.keyerSpeed));
  if (can.rit) actions.push_back("RIT " + onOff(s.ritOn) + " " + std::to_string(s.ritOffset));
  if (can.xit) actions.push_back("XIT " + onOff(s.xitOn) + " " + std::to_string(s.xitOffset));
  if (can.split) actions.push_back("SPLIT " + onOff(s.split));
  return actions;
}

PanelActions::PanelActions(PanelRadio& radio) : m_radio(radio) {}

void PanelActions::Observe(const PanelState& state) {
  if (!state.answering || !state.poweredOn) return;
  m_memory.Remember(state.activeVfo == 'B' ? state.vfoB : state.vfoA, state.mode);
}

void PanelActions::GoToBand(int band) {
  PanelState assumed = m_radio.State();
  GoToBand(band, assumed);
}

void PanelActions::GoToBand(int band, PanelState& assumed) {
  const auto& bands = PanelBands();
  if (band < 0 || band >= static_cast<int>(bands.size())) return;
  Observe(assumed);
  const char vfo = assumed.activeVfo == 'B' ? 'B' : 'A';
  if (auto entry = m_memory.Recall(band)) {
    m_radio.SetFrequency(vfo, entry->hz);
    VfoOf(assumed, vfo) = entry->hz;
    if (!entry->mode.empty() && entry->mode != assumed.mode) {
      m_radio.SetMode(entry->mode);
      assumed.mode = entry->mode;
    }
    return;
  }
  const std::int64_t hz = BandEntry(bands[static_cast<std::size_t>(band)]);
  m_radio.SetFrequency(vfo, hz);
  VfoOf(assumed, vfo) = hz;
}

void PanelActions::StepBand(int direction) {
  PanelState assumed = m_radio.State();
  const int last = static_cast<int>(PanelBands().size()) - 1;
  const std::int64_t hz = assumed.activeVfo == 'B' ? assumed.vfoB : assumed.vfoA;
  GoToBand(std::clamp(BandBelow(hz) + direction, 0, last), assumed);
}

bool PanelActions::Run(std::string_view action, std::string* error) {
  PanelState assumed = m_radio.State();
  return Apply(action, assumed, error);
}

int PanelActions::RunMacro(const PanelMacro& macro) {
  PanelState assumed = m_radio.State();
  int done = 0;
  for (const std::string& action : macro.actions) {
    if (Apply(action, assumed, nullptr)) ++done;
  }
  return done;
}

bool PanelActions::Apply(std::string_view action, PanelState& s, std::string* error) {
  const PanelAbilities can = m_radio.Abilities();
  Parsed p;
  const std::string why = Parse(action, can, p);
  if (!why.empty()) {
    if (error) *error = why;
    return false;
  }
  const char active = s.activeVfo == 'B' ? 'B' : 'A';
  switch (p.kind) {
    case Kind::Nothing:
      break;
    case Kind::Freq: {
      const char vfo = p.vfo ? p.vfo : active;
      m_radio.SetFrequency(vfo, p.number);
      VfoOf(s, vfo) = p.number;
      break;
    }
    case Kind::Shift: {
      const std::int64_t hz = std::max<std::int64_t>(1, VfoOf(s, active) + p.number);
      m_radio.SetFrequency(active, hz);
      VfoOf(s, active) = hz;
      break;
    }
    case Kind::Vfo:
      m_radio.SelectVfo(p.vfo);
      s.activeVfo = p.vfo;
      break;
    case Kind::Mode:
      m_radio.SetMode(p.text);
      s.mode = p.text;
      break;
    case Kind::Band:
      GoToBand(BandOfMetres(static_cast<int>(p.number)), s);
      break;
    case Kind::BandStep: {
      const int last = static_cast<int>(PanelBands().size()) - 1;
      GoToBand(std::clamp(BandBelow(VfoOf(s, active)) + static_cast<int>(p.number), 0, last), s);
      break;
    }
    case Kind::Power:
      s.power = static_cast<int>(std::min<std::int64_t>(p.number, can.maxPower));
      m_radio.SetPower(s.power);
      break;
    case Kind::Speed:
      s.keyerSpeed = static_cast<int>(std::clamp<std::int64_t>(p.number, 1, 99));
      m_radio.SetKeyerSpeed(s.keyerSpeed);
      break;
    case Kind::Rit:
    case Kind::Xit: {
      const bool rit = p.kind == Kind::Rit;
      bool& on = rit ? s.ritOn : s.xitOn;
      int& offset = rit ? s.ritOffset : s.xitOffset;
      const int limit = rit ? can.maxRitOffset : can.maxXitOffset;
      on = Switched(p.onOff, on);
      if (p.hasNumber) offset = static_cast<int>(std::clamp<std::int64_t>(p.number, -limit, limit));
      if (rit) {
        m_radio.SetRit(on, offset);
      } else {
        m_radio.SetXit(on, offset);
      }
      break;
    }
    case Kind::Split:
      s.split = Switched(p.onOff, s.split);
      m_radio.SetSplit(s.split);
      break;
    case Kind::Msg:
      m_radio.SendMessage(static_cast<int>(p.number) - 1);
      break;
    case Kind::Send:
      m_radio.SendText(p.text);
      break;
    case Kind::Stop:
      m_radio.StopSending();
      break;
  }
  return true;
}

}  // namespace radiopanel
