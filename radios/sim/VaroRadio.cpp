#include "VaroRadio.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cmath>
#include <cstdio>

#include "LibraryFile.h"
#include "Morse.h"
#include "PortTable.h"
#include "VaroLibrary.h"

namespace varosim {
namespace {

using Clock = std::chrono::steady_clock;

bool AllDigits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A comma-separated field of the connection text (name,library,baud,...): 2 the
// baud rate, 5 the keying (extra3).
std::string_view Field(std::string_view text, int index) {
  for (int skip = 0; skip < index; ++skip) {
    std::size_t comma = text.find(',');
    if (comma == std::string_view::npos) return {};
    text.remove_prefix(comma + 1);
  }
  return text.substr(0, text.find(','));
}

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

std::uint64_t Mix(std::uint64_t x) {
  x += 0x9e3779b97f4a7c15ULL;
  x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
  x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
  return x ^ (x >> 31);
}

// 0..1 from a hash.
double Unit(std::uint64_t x) { return static_cast<double>(Mix(x) % 10000) / 10000.0; }

// The usual band noise in S units: the low bands are noisier.
double BandNoise(std::int64_t hz) {
  if (hz < 2500000) return 5.5;
  if (hz < 5000000) return 4.5;
  if (hz < 8000000) return 4.0;
  if (hz < 12000000) return 3.0;
  if (hz < 16000000) return 3.0;
  if (hz < 20000000) return 2.5;
  if (hz < 23000000) return 2.0;
  if (hz < 27000000) return 1.5;
  if (hz < 40000000) return 1.0;
  return 0.5;
}

// What the receiver hears: the band's noise, flickering, and now and then a
// station near the frequency, fading in and out.
double SMeter(std::int64_t hz, Clock::time_point now, int noise, bool stations) {
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count();
  const auto t = static_cast<std::uint64_t>(ms);
  double s = BandNoise(hz) * noise / 10.0 + (Unit(t / 120) - 0.5) * 0.8 * (noise > 0);
  if (stations) {
    const std::uint64_t window = t / 7000;
    const std::uint64_t h = Mix(window * 1000003ULL + static_cast<std::uint64_t>(hz / 300));
    if (h % 3 == 0) {
      const double strength = 5 + static_cast<double>(h % 9);  // S5 to S9+30
      const double fade = 1.5 * std::sin(static_cast<double>(ms) / 900.0 + static_cast<double>(h % 7));
      s = std::max(s, strength + fade);
    }
  }
  return std::clamp(s, 0.0, 15.0);
}

// How far the keying has gone: the characters whose Morse has been sent.
std::string Progress(const std::string& text, Clock::time_point start, int wpm, Clock::time_point now) {
  const auto elapsed = std::chrono::duration_cast<std::chrono::microseconds>(now - start);
  std::size_t low = 0, high = text.size();
  while (low < high) {
    const std::size_t mid = (low + high + 1) / 2;
    if (radiokit::MorseDuration(std::string_view(text).substr(0, mid), wpm) <= elapsed) {
      low = mid;
    } else {
      high = mid - 1;
    }
  }
  return text.substr(0, low);
}

bool IsKeying(const std::string& text, Clock::time_point start, int wpm, Clock::time_point now) {
  return !text.empty() && now - start < radiokit::MorseDuration(text, wpm);
}

}  // namespace

std::vector<radiopanel::PanelMacro> DefaultMacros() {
  return {{"Zero RIT", {"RIT 0"}},
          {"Toggle RIT", {"RIT TOGGLE"}},
          {"Toggle XIT", {"XIT TOGGLE"}},
          {"Band Up", {"BAND UP"}},
          {"Band Down", {"BAND DOWN"}}};
}

VaroRadio::VaroRadio(int number, VaroLibrary& library)
    : m_number(number), m_library(library), m_keyer(*this, m_events) {}

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
    std::string_view baud = Field(m_state.connectionText, 2);
    if (AllDigits(baud)) m_state.baud = std::string(baud.substr(0, 10));
    m_state.poweredOn = true;
    m_connected = true;
  }
  m_events.Set(EventKind::RadioChange, radioChangeEvent);
  // Keying CWDAEMON or WINKEYER keys through that keyer; anything else is
  // only timed, as the simulation puts nothing on the air.
  const radiokit::KeyingSettings keying = radiokit::ParseKeying(Field(connectionText ? connectionText : "", 5));
  const std::string dir = radiokit::LibraryPathOf(reinterpret_cast<const void*>(&DefaultMacros));
  const std::string portFile = dir.substr(0, dir.rfind('/') + 1) + "Dravel_PORTS.txt";
  m_keyer.StopThread();
  m_keyer.SetOutput(radiokit::MakeKeyerOutput(keying, m_keyer.Sink(), [portFile](const std::string& com) {
    return radiokit::PortTable(portFile).DeviceOf(com);
  }));
  m_keyer.StartThread();
  Raise(EventKind::RadioChange);
}

void VaroRadio::KeyerTrouble(const std::string& text, bool) {
  m_library.Trace("KEYER(\"" + text + "\", " + std::to_string(m_number) + ")");
  std::fprintf(stderr, "VaroSim: %s\n", text.c_str());
}

void VaroRadio::KeyerPotSpeed(int wpm) {
  Change([&](RadioState& s) { return s.keyerSpeed != wpm && ((s.keyerSpeed = wpm), true); });
}

void VaroRadio::Disconnect() {
  m_keyer.StopThread();
  m_keyer.SetOutput(nullptr);
  std::lock_guard lock(m_mutex);
  m_connected = false;
  m_text = {};
  m_events.Forget();
}

bool VaroRadio::Connected() const {
  std::lock_guard lock(m_mutex);
  return m_connected;
}

void VaroRadio::SetLogRequestEvent(RadioEvent event) { m_events.Set(EventKind::LogRequest, event); }

void VaroRadio::SetMsgEvents(RadioEvent msgOverEvent, RadioEvent msgStartEvent) {
  m_events.Set(EventKind::MsgOver, msgOverEvent);
  m_events.Set(EventKind::MsgStart, msgStartEvent);
}

bool VaroRadio::Raise(EventKind kind) { return m_events.Raise(kind); }

void VaroRadio::Send(int slot) {
  {
    std::lock_guard lock(m_mutex);
    if (!m_connected || !m_state.poweredOn) return;
  }
  m_keyer.Send(slot);
}

void VaroRadio::Stop() {
  m_keyer.Cancel();
  std::lock_guard lock(m_mutex);
  m_text = {};
}

void VaroRadio::SetAutoRepeat(bool on) { m_keyer.SetAutoRepeat(on); }

void VaroRadio::SetAutoRepeatDelay(std::int32_t seconds) { m_keyer.SetAutoRepeatDelay(seconds); }

void VaroRadio::SetMessage(int slot, std::string text) { m_keyer.SetMessage(slot, std::move(text)); }

void VaroRadio::Reset() {
  m_keyer.Reset();
  m_actions.Memory().Forget();
  {
    std::lock_guard lock(m_mutex);
    RadioState fresh;
    fresh.port = m_state.port;
    fresh.connectionText = m_state.connectionText;
    m_state = fresh;
    m_text = {};
    m_message = {};
  }
  Raise(EventKind::RadioChange);
}

int VaroRadio::KeyerSpeed() {
  std::lock_guard lock(m_mutex);
  return m_state.keyerSpeed;
}

void VaroRadio::MessageStarted(int, const std::string& text, std::uint64_t) {
  std::lock_guard lock(m_mutex);
  m_message = {text, Clock::now(), m_state.keyerSpeed};
}

radiopanel::PanelAbilities VaroRadio::Abilities() const {
  radiopanel::PanelAbilities can;
  can.radioName = "Varo (simulated)";
  can.modeNames = Read([](const RadioState& s) { return s.modeNames; });
  can.power = true;
  can.maxPower = kMaxPower;
  can.keyerSpeed = true;
  m_library.Read([&](const LibraryState& l) {
    can.rit = l.supportsRit;
    can.xit = l.supportsXit;
  });
  can.maxRitOffset = can.maxXitOffset = kMaxOffset;
  can.split = true;
  can.vfoB = true;
  can.sMeter = can.powerMeter = can.swrMeter = can.alcMeter = true;
  can.sendText = true;
  can.powerOff = true;
  return can;
}

radiopanel::PanelState VaroRadio::State() const {
  radiopanel::PanelState st;
  const Clock::time_point now = Clock::now();
  const int slot = m_keyer.SendingSlot();
  for (int i = 0; i < kMessageSlots; ++i) st.messages.push_back(m_keyer.Message(i));
  int noise = 0;
  bool stations = false;
  {
    std::lock_guard lock(m_mutex);
    const RadioState& s = m_state;
    st.poweredOn = s.poweredOn;
    st.vfoA = s.vfoA;
    st.vfoB = s.vfoB;
    st.activeVfo = s.activeVfo;
    st.split = s.split;
    if (s.modeIndex >= 0 && s.modeIndex < static_cast<std::int32_t>(s.modeNames.size())) {
      st.mode = s.modeNames[static_cast<std::size_t>(s.modeIndex)];
    }
    st.power = s.power;
    st.keyerSpeed = s.keyerSpeed;
    st.ritOn = s.ritOn;
    st.xitOn = s.xitOn;
    st.ritOffset = s.ritOffset;
    st.xitOffset = s.xitOffset;
    noise = s.noise;
    stations = s.stations;
    if (slot >= 0) {
      st.transmitting = true;
      st.messageSlot = slot;
      st.sending = Progress(m_message.text, m_message.start, m_message.wpm, now);
    } else if (IsKeying(m_text.text, m_text.start, m_text.wpm, now)) {
      st.transmitting = true;
      st.sending = Progress(m_text.text, m_text.start, m_text.wpm, now);
    }
  }
  if (!st.poweredOn) return st;
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count();
  if (st.transmitting) {
    // Keyed CW averaged over the meter's response: most of the set power.
    st.powerOut = st.power * (0.8 + 0.15 * std::sin(static_cast<double>(ms) / 140.0));
    const char txVfo = st.split ? (st.activeVfo == 'B' ? 'A' : 'B') : st.activeVfo;
    st.swr = 1.15 + 0.1 * std::max(0, radiopanel::BandAt(txVfo == 'B' ? st.vfoB : st.vfoA) % 4);
    st.alc = 0.35 + 0.1 * std::sin(static_cast<double>(ms) / 90.0);
  } else {
    st.sUnits = SMeter(st.activeVfo == 'B' ? st.vfoB : st.vfoA, now, noise, stations);
  }
  return st;
}

void VaroRadio::SetFrequency(char vfo, std::int64_t hz) {
  if (vfo != 'A' && vfo != 'B') return;
  const auto value = static_cast<std::int32_t>(std::clamp<std::int64_t>(hz, 1, INT32_MAX));
  Act([&](RadioState& s) {
    std::int32_t& f = s.Vfo(vfo);
    if (f == value) return false;
    f = value;
    return true;
  });
}

void VaroRadio::SelectVfo(char vfo) {
  if (vfo != 'A' && vfo != 'B') return;
  Act([&](RadioState& s) {
    if (s.activeVfo == vfo) return false;
    s.activeVfo = vfo;
    return true;
  });
}

void VaroRadio::SetMode(const std::string& mode) {
  const std::string wanted = Upper(mode);
  Act([&](RadioState& s) {
    for (std::size_t i = 0; i < s.modeNames.size(); ++i) {
      if (Upper(s.modeNames[i]) != wanted) continue;
      if (s.modeIndex == static_cast<std::int32_t>(i)) return false;
      s.modeIndex = static_cast<std::int32_t>(i);
      return true;
    }
    return false;
  });
}

void VaroRadio::SetPower(int watts) {
  const int value = std::clamp(watts, 0, kMaxPower);
  Act([&](RadioState& s) { return s.power != value && ((s.power = value), true); });
}

void VaroRadio::SetKeyerSpeed(int wpm) {
  const int value = std::clamp(wpm, 1, 99);
  Act([&](RadioState& s) { return s.keyerSpeed != value && ((s.keyerSpeed = value), true); });
}

void VaroRadio::SetRit(bool on, int offsetHz) {
  const int offset = std::clamp(offsetHz, -kMaxOffset, kMaxOffset);
  Act([&](RadioState& s) {
    if (s.ritOn == on && s.ritOffset == offset) return false;
    s.ritOn = on;
    s.ritOffset = offset;
    return true;
  });
}

void VaroRadio::SetXit(bool on, int offsetHz) {
  const int offset = std::clamp(offsetHz, -kMaxOffset, kMaxOffset);
  Act([&](RadioState& s) {
    if (s.xitOn == on && s.xitOffset == offset) return false;
    s.xitOn = on;
    s.xitOffset = offset;
    return true;
  });
}

void VaroRadio::SetSplit(bool on) {
  Act([&](RadioState& s) { return s.split != on && ((s.split = on), true); });
}

void VaroRadio::SendMessage(int slot) { Send(slot); }

void VaroRadio::SendText(const std::string& text) {
  const std::string upper = Upper(text);
  if (upper.empty()) return;
  {
    std::lock_guard lock(m_mutex);
    if (!m_connected || !m_state.poweredOn) return;
    const Clock::time_point now = Clock::now();
    if (IsKeying(m_text.text, m_text.start, m_text.wpm, now)) {
      m_text.text += upper;
    } else {
      m_text = {upper, now, m_state.keyerSpeed};
    }
  }
  m_library.Trace("SENDTEXT(\"" + upper + "\", " + std::to_string(m_number) + ")");
}

void VaroRadio::StopSending() { Stop(); }

void VaroRadio::TurnOff() {
  Stop();
  Change([](RadioState& s) {
    s.poweredOn = false;
    return true;
  });
}

}  // namespace varosim
