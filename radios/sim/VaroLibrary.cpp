#include "VaroLibrary.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <climits>
#include <optional>
#include <vector>

#include "Morse.h"
#include "Panels.h"
#include "Trim.h"
#include "VaroConfig.h"

namespace varosim {
namespace {

using radiokit::Trim;

// Destroyed when the library is unloaded, which stops the keyer threads.
VaroLibrary g_library;

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

std::optional<std::int32_t> ParseInt(std::string_view text) {
  text = Trim(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  std::int32_t value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<bool> ParseFlag(std::string_view text) {
  std::string value = Upper(Trim(text));
  if (value == "ON" || value == "YES" || value == "1" || value == "TRUE") return true;
  if (value == "OFF" || value == "NO" || value == "0" || value == "FALSE") return false;
  return std::nullopt;
}

std::vector<std::string> SplitList(std::string_view text, char separator) {
  std::vector<std::string> items;
  while (!text.empty()) {
    std::size_t end = text.find(separator);
    std::string_view item = Trim(text.substr(0, end));
    if (!item.empty()) items.emplace_back(item);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return items;
}

std::optional<std::int32_t> ModeIndex(const RadioState& s, std::string_view value) {
  if (auto index = ParseInt(value)) return *index;
  std::string name = Upper(Trim(value));
  for (std::size_t i = 0; i < s.modeNames.size(); ++i) {
    if (Upper(s.modeNames[i]) == name) return static_cast<std::int32_t>(i);
  }
  return std::nullopt;
}

}  // namespace

VaroLibrary& Library() { return g_library; }

VaroLibrary::VaroLibrary() : PanelLibrary("VaroSim") {}

VaroLibrary::~VaroLibrary() {
  for (std::int32_t number : {1, 2}) CloseWindows(number);
}

radiopanel::PanelActions* VaroLibrary::PanelActionsOf(std::int32_t number) {
  VaroRadio* radio = Radio(number);
  return radio ? &radio->Actions() : nullptr;
}

bool VaroLibrary::PanelsWanted(std::int32_t number) {
  VaroRadio* radio = Radio(number);
  return radio && radio->Connected();
}

radiopanel::PanelHost VaroLibrary::PanelHostOf(std::int32_t number) {
  VaroRadio* radio = Radio(number);
  radiopanel::PanelHost host;
  host.namePrefix = QString("Varo");
  host.showConfig = [this, number] { varosim::ShowConfig(*this, number); };
  host.macros = [radio] { return radio->Read([](const RadioState& s) { return s.macros; }); };
  host.setMacros = [radio](std::vector<radiopanel::PanelMacro> macros) {
    radio->Change([&](RadioState& s) {
      s.macros = std::move(macros);
      return false;
    });
  };
  host.runMacro = [radio](const std::string& name) { RunMacro(*radio, name); };
  return host;
}

char VaroLibrary::KnobOf(std::int32_t number) {
  VaroRadio* radio = Radio(number);
  return radio ? radio->Read([](const RadioState& s) { return s.knob; }) : 'A';
}

void VaroLibrary::ShowSettings(std::int32_t number) { varosim::ShowConfig(*this, number); }

bool VaroLibrary::TurnRadioOff(std::int32_t number) {
  VaroRadio* radio = Radio(number);
  if (!radio) return false;
  radio->TurnOff();
  return true;
}

radiopanel::LogGrid::RadioReader VaroLibrary::GridReaderOf(std::int32_t number) {
  return [this, number] {
    radiopanel::LogGridRadioValues values;
    VaroRadio* r = Radio(number);
    if (!r || !r->Connected()) return values;
    r->Read([&values](const RadioState& s) {
      values.known = s.poweredOn;
      values.hz = s.Active();
      values.watts = s.power;
      if (s.modeIndex >= 0 && static_cast<std::size_t>(s.modeIndex) < s.modeNames.size())
        values.mode = s.modeNames[static_cast<std::size_t>(s.modeIndex)];
    });
    return values;
  };
}

VaroRadio* VaroLibrary::Radio(std::int32_t number) {
  return number == 1 || number == 2 ? &m_radios[number - 1] : nullptr;
}

void VaroLibrary::Trace(std::string line) {
  std::lock_guard lock(m_mutex);
  m_trace.push_back(std::move(line));
  while (m_trace.size() > kMaxTraceLines) m_trace.pop_front();
}

std::string VaroLibrary::TraceText() const {
  std::lock_guard lock(m_mutex);
  std::string text;
  for (const std::string& line : m_trace) {
    text += line;
    text += '\n';
  }
  return text;
}

void VaroLibrary::ClearTrace() {
  std::lock_guard lock(m_mutex);
  m_trace.clear();
}

bool RunMacro(VaroRadio& radio, std::string_view name) {
  std::optional<radiopanel::PanelMacro> macro = radio.Read([&](const RadioState& s) -> std::optional<radiopanel::PanelMacro> {
    const radiopanel::PanelMacro* m = radiopanel::FindMacro(s.macros, name);
    return m ? std::optional<radiopanel::PanelMacro>(*m) : std::nullopt;
  });
  if (!macro) return false;
  // Outside the lock: each action takes it.
  radio.Actions().RunMacro(*macro);
  return true;
}

std::int32_t VaroLibrary::Control(std::string_view command, std::int32_t radioNumber) {
  std::size_t equals = command.find('=');
  std::string name = Upper(Trim(command.substr(0, equals)));
  std::string_view value = equals == std::string_view::npos ? std::string_view()
                                                            : command.substr(equals + 1);
  VaroRadio* radio = Radio(radioNumber);
  if (!radio) return 0;

  if (name == "SUPPORTSRIT" || name == "SUPPORTSXIT") {
    auto flag = ParseFlag(value);
    if (!flag) return 0;
    Change([&](LibraryState& s) { (name == "SUPPORTSRIT" ? s.supportsRit : s.supportsXit) = *flag; });
    for (VaroRadio& r : m_radios) r.Raise(EventKind::RadioChange);
    return 1;
  }
  if (name == "EVENT") {
    std::string which = Upper(Trim(value));
    if (which == "RADIOCHANGE") return radio->Raise(EventKind::RadioChange) ? 1 : 0;
    if (which == "LOGREQUEST") return radio->Raise(EventKind::LogRequest) ? 1 : 0;
    if (which == "MSGSTART") return radio->Raise(EventKind::MsgStart) ? 1 : 0;
    if (which == "MSGOVER") return radio->Raise(EventKind::MsgOver) ? 1 : 0;
    return 0;
  }
  if (name == "RESET") {
    radio->Reset();
    Change([](LibraryState& s) {
      s.supportsRit = true;
      s.supportsXit = true;
    });
    return 1;
  }

  bool done = false;
  radio->Change([&](RadioState& s) {
    auto number = ParseInt(value);
    auto flag = ParseFlag(value);
    if (name == "FREQ" && number && *number > 0) {
      s.Active() = *number;
    } else if ((name == "FREQA" || name == "FREQB") && number && *number > 0) {
      s.Vfo(name.back()) = *number;
    } else if (name == "VFO" && (Upper(Trim(value)) == "A" || Upper(Trim(value)) == "B")) {
      s.activeVfo = Upper(Trim(value))[0];
    } else if (name == "SPLIT" && flag) {
      s.split = *flag;
    } else if (name == "NOISE" && number && *number >= 0) {
      s.noise = std::min(*number, 100);
    } else if (name == "SIGNALS" && flag) {
      s.stations = *flag;
    } else if (name == "KNOB" && number) {
      std::int32_t& f = s.Vfo(s.knob);
      f = static_cast<std::int32_t>(std::clamp<std::int64_t>(
          static_cast<std::int64_t>(f) + static_cast<std::int64_t>(*number) * s.knobStep, 1, INT32_MAX));
    } else if (name == "STEP" && number && *number > 0) {
      s.knobStep = *number;
    } else if (name == "MODE") {
      auto index = ModeIndex(s, value);
      if (!index) return false;
      s.modeIndex = *index;
    } else if (name == "POWER" && number && *number >= 0) {
      s.power = *number;
    } else if (name == "SPEED" && number && *number > 0) {
      s.keyerSpeed = *number;
    } else if (name == "RIT" && flag) {
      s.ritOn = *flag;
    } else if (name == "XIT" && flag) {
      s.xitOn = *flag;
    } else if (name == "RITFREQ" && number) {
      s.ritOffset = *number;
    } else if (name == "XITFREQ" && number) {
      s.xitOffset = *number;
    } else if (name == "BAUD" && !Trim(value).empty()) {
      s.baud = std::string(Trim(value).substr(0, 10));
    } else if (name == "MODES") {
      s.modeNames = SplitList(value, ',');
    } else if (name == "MACROS") {
      // Names only: a default macro's name keeps its actions, others do nothing.
      const std::vector<radiopanel::PanelMacro> defaults = DefaultMacros();
      s.macros.clear();
      for (std::string& n : SplitList(value, ',')) {
        const radiopanel::PanelMacro* known = radiopanel::FindMacro(defaults, n);
        s.macros.push_back({std::move(n), known ? known->actions : std::vector<std::string>{}});
      }
    } else if (name == "VFOMEMORIES") {
      s.vfoMemories = SplitList(value, ';');
      if (s.vfoMemories.size() > kMaxVfoMemories) s.vfoMemories.resize(kMaxVfoMemories);
    } else {
      return false;
    }
    done = true;
    return true;
  });
  return done ? 1 : 0;
}

std::int32_t VaroLibrary::Query(std::string_view what, std::int32_t radioNumber) {
  std::string name = Upper(Trim(what));
  if (name == "SUPPORTSRIT") return Read([](const LibraryState& s) { return s.supportsRit; });
  if (name == "SUPPORTSXIT") return Read([](const LibraryState& s) { return s.supportsXit; });
  if (name == "TITLEBARS") return TitleBarWish();
  VaroRadio* radio = Radio(radioNumber);
  if (!radio) return INT32_MIN;
  if (name == "CONNECTED") return radio->Connected();
  const radiokit::Keyer& keyer = radio->Keyer();
  if (name == "KEYER") return keyer.ThreadRunning();
  if (name == "SENDING") return keyer.SendingSlot();
  if (name == "STARTS") return keyer.Starts();
  if (name == "BUSY") return keyer.Busy();
  if (name == "LASTKEYINGMS") return static_cast<std::int32_t>(std::min<std::int64_t>(keyer.LastKeyingMs(), INT32_MAX));
  if (name == "AUTOREPEAT") return keyer.AutoRepeat();
  if (name == "AUTOREPEATDELAY") return keyer.AutoRepeatDelay();
  if (name == "TX") return radio->State().transmitting;
  if (name == "SMETER") return static_cast<std::int32_t>(radio->State().sUnits * 10);
  if (name.size() == 6 && name.compare(0, 5, "UNITS") == 0 && name[5] >= '0' && name[5] < '0' + kMessageSlots)
    return static_cast<std::int32_t>(radiokit::MorseUnits(keyer.Message(name[5] - '0')));
  return radio->Read([&](const RadioState& s) -> std::int32_t {
    if (name == "FREQ") return s.Active();
    if (name == "FREQA") return s.vfoA;
    if (name == "FREQB") return s.vfoB;
    if (name == "VFO") return s.activeVfo;
    if (name == "KNOBVFO") return s.knob;
    if (name == "SPLIT") return s.split;
    if (name == "MACROS") return static_cast<std::int32_t>(s.macros.size());
    if (name == "MODE") return s.modeIndex;
    if (name == "POWER") return s.power;
    if (name == "SPEED") return s.keyerSpeed;
    if (name == "RIT") return s.ritOn;
    if (name == "RITFREQ") return s.ritOffset;
    if (name == "XIT") return s.xitOn;
    if (name == "XITFREQ") return s.xitOffset;
    if (name == "POWEREDON") return s.poweredOn;
    if (name == "VFOMEMORIES") return static_cast<std::int32_t>(s.vfoMemories.size());
    return INT32_MIN;
  });
}

}  // namespace varosim
