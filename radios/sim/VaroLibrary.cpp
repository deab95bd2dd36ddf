#include "VaroLibrary.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <climits>
#include <optional>
#include <vector>

#include "Morse.h"
#include "Trim.h"

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

// The lower edges of the bands Band Up and Band Down step through.
constexpr std::int32_t kBandEdges[] = {1800000,  3500000,  7000000,  10100000, 14000000,
                                       18068000, 21000000, 24890000, 28000000, 50000000};
constexpr std::int32_t kBandEntry = 25000;  // where in the band a band change lands

std::int32_t ChangeBand(std::int32_t frequency, int direction) {
  constexpr int kCount = static_cast<int>(std::size(kBandEdges));
  int band = -1;
  for (int i = 0; i < kCount; ++i) {
    if (frequency >= kBandEdges[i]) band = i;
  }
  int next = std::clamp(band + direction, 0, kCount - 1);
  return kBandEdges[next] + kBandEntry;
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
  std::string macro = Upper(Trim(name));
  bool known = false;
  radio.Change([&](RadioState& s) {
    known = std::any_of(s.macroNames.begin(), s.macroNames.end(),
                        [&](const std::string& m) { return Upper(m) == macro; });
    if (!known) return false;
    if (macro == "ZERO RIT") {
      s.ritOffset = 0;
    } else if (macro == "TOGGLE RIT") {
      s.ritOn = !s.ritOn;
    } else if (macro == "TOGGLE XIT") {
      s.xitOn = !s.xitOn;
    } else if (macro == "BAND UP") {
      s.frequency = ChangeBand(s.frequency, +1);
    } else if (macro == "BAND DOWN") {
      s.frequency = ChangeBand(s.frequency, -1);
    } else {
      return false;  // a name given by a test: known, does nothing
    }
    return true;
  });
  return known;
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
      s.frequency = *number;
    } else if (name == "KNOB" && number) {
      s.frequency = static_cast<std::int32_t>(std::clamp<std::int64_t>(
          static_cast<std::int64_t>(s.frequency) + static_cast<std::int64_t>(*number) * s.knobStep, 1,
          INT32_MAX));
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
      s.macroNames = SplitList(value, ',');
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
  if (name == "TITLEBARS") return Read([](const LibraryState& s) { return s.wantTitleBars; });
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
  if (name.size() == 6 && name.compare(0, 5, "UNITS") == 0 && name[5] >= '0' && name[5] < '0' + kMessageSlots)
    return static_cast<std::int32_t>(radiokit::MorseUnits(keyer.Message(name[5] - '0')));
  return radio->Read([&](const RadioState& s) -> std::int32_t {
    if (name == "FREQ") return s.frequency;
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
