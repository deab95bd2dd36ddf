#pragma once
// One simulated Varo transceiver: its state, its four events, its keyer
// (the kit's, timed at the radio's keyer speed; the simulation puts nothing
// on the air) and the panel's view of it (radiopanel::PanelRadio): two VFOs,
// split, an S-meter with band noise and a signal now and then, and the
// transmit state and sending line while a message or keyboard text is keyed.
//
// Every member may be called from any thread (the program's main thread,
// the keyer thread); one mutex guards the state. Events are set outside it.

#include <chrono>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "Keyer.h"
#include "PanelActions.h"
#include "PanelRadio.h"
#include "RadioEvents.h"
#include "RadioLibrary.h"

namespace varosim {

class VaroLibrary;

using EventKind = radiokit::RadioEventKind;
using radiokit::kMessageSlots;
constexpr std::size_t kMaxVfoMemories = 100;

/// The macros a new radio has.
std::vector<radiopanel::PanelMacro> DefaultMacros();

/// What the operator could see on the radio's front panel and in its menus.
struct RadioState {
  std::string port;            // as CONNECTRADIO left it in the port buffer
  std::string connectionText;  // as CONNECTRADIO received it
  std::int32_t vfoA = 14025000;  // Hz
  std::int32_t vfoB = 7025000;
  char activeVfo = 'A';          // the VFO the radio receives on (GETFREQUENCY answers it)
  bool split = false;            // transmit on the other VFO
  std::int32_t knobStep = 10;    // Hz per click of the radio's own tuning knob
  std::int32_t modeIndex = 2;    // CW
  std::int32_t power = 100;      // W
  std::int32_t keyerSpeed = 25;  // WPM
  bool ritOn = false;
  bool xitOn = false;
  std::int32_t ritOffset = 0;  // Hz
  std::int32_t xitOffset = 0;
  std::string baud = "9600";
  char knob = 'A';  // the VFO the tuning knob tunes (FOCUSVFOKNOB)
  std::vector<std::string> modeNames{"LSB", "USB", "CW", "CW-R", "FSK", "FSR", "AM", "FM"};
  std::vector<radiopanel::PanelMacro> macros = DefaultMacros();
  std::vector<std::string> vfoMemories{"A,14025000", "B,7025000"};
  bool poweredOn = true;
  int noise = 10;       // band noise in tenths of the usual (0: none)
  bool stations = true;  // a station on the frequency now and then

  std::int32_t& Active() { return activeVfo == 'B' ? vfoB : vfoA; }
  std::int32_t Active() const { return activeVfo == 'B' ? vfoB : vfoA; }
  std::int32_t& Vfo(char vfo) { return vfo == 'B' ? vfoB : vfoA; }
};

class VaroRadio : private radiokit::KeyerRadio, public radiopanel::PanelRadio {
 public:
  /// number: 1 or 2; library: for its trace and the RIT and XIT abilities.
  VaroRadio(int number, VaroLibrary& library);
  /// Stops the keyer thread.
  ~VaroRadio() override;
  VaroRadio(const VaroRadio&) = delete;
  VaroRadio& operator=(const VaroRadio&) = delete;

  /// Reads the state under the lock: f(const RadioState&).
  template <typename F>
  auto Read(F f) const {
    std::lock_guard lock(m_mutex);
    return f(m_state);
  }
  /// Changes the state under the lock, then sets the radio change event when
  /// f (RadioState&) answers true.
  template <typename F>
  void Change(F f) {
    bool changed;
    {
      std::lock_guard lock(m_mutex);
      changed = f(m_state);
    }
    if (changed) Raise(EventKind::RadioChange);
  }

  /// Keeps the port (upper-cased in the buffer, as the radio names it), the
  /// event and the connection text (whose third field, when a number, is the
  /// baud rate), powers the radio on and starts the keyer.
  void Connect(char* portBuffer, RadioEvent radioChangeEvent, const char* connectionText);
  /// Stops sending and the keyer thread and forgets the events.
  void Disconnect();
  bool Connected() const;
  void SetLogRequestEvent(RadioEvent event);
  void SetMsgEvents(RadioEvent msgOverEvent, RadioEvent msgStartEvent);
  /// Sets one of the four events; false when the host has not given it or
  /// has released it.
  bool Raise(EventKind kind);

  /// Starts keying a slot (interrupting what is being sent). Ignored while
  /// not connected, powered off, or for a slot outside 0..5.
  void Send(int slot);
  /// Stops keying at once (message over event), cancels the repeat and
  /// drops the keyboard's text.
  void Stop();
  void SetAutoRepeat(bool on);
  void SetAutoRepeatDelay(std::int32_t seconds);
  void SetMessage(int slot, std::string text);
  /// The keyer, for what it sends and counts (starts since load or Reset).
  const radiokit::Keyer& Keyer() const { return m_keyer; }
  /// Band changes and macros (main thread).
  radiopanel::PanelActions& Actions() { return m_actions; }
  /// Back to the state of a new radio; connection and events are kept.
  void Reset();

  // radiopanel::PanelRadio: the panel's view and the operator's actions.
  // An action on a powered-off radio does nothing.
  radiopanel::PanelAbilities Abilities() const override;
  radiopanel::PanelState State() const override;
  void SetFrequency(char vfo, std::int64_t hz) override;
  void SelectVfo(char vfo) override;
  void SetMode(const std::string& mode) override;
  void SetPower(int watts) override;
  void SetKeyerSpeed(int wpm) override;
  void SetRit(bool on, int offsetHz) override;
  void SetXit(bool on, int offsetHz) override;
  void SetSplit(bool on) override;
  void SendMessage(int slot) override;
  /// Keys the text after what the keyboard is still keying; the trace gets
  /// a line SENDTEXT("TEXT", radio).
  void SendText(const std::string& text) override;
  void StopSending() override;
  /// Stops sending and powers the radio off (TURNOFFRADIO).
  void TurnOff() override;

  static constexpr int kMaxPower = 100;
  static constexpr int kMaxOffset = 9999;

 private:
  using Clock = std::chrono::steady_clock;
  /// Text on the air: what, from when, at what speed.
  struct Keying {
    std::string text;
    Clock::time_point start;
    int wpm = 0;
  };
  int KeyerSpeed() override;
  void MessageStarted(int slot, const std::string& text, std::uint64_t message) override;
  /// Into the trace as KEYER("text", radio), and onto stderr.
  void KeyerTrouble(const std::string& text, bool recovered) override;
  void KeyerPotSpeed(int wpm) override;
  /// Under the lock: true when a change was made (false while powered off).
  template <typename F>
  void Act(F f) {
    Change([&](RadioState& s) { return s.poweredOn && f(s); });
  }

  const int m_number;
  VaroLibrary& m_library;
  mutable std::mutex m_mutex;
  RadioState m_state;
  bool m_connected = false;
  Keying m_message;  // the stored message the keyer started last
  Keying m_text;     // the keyboard's text
  radiokit::RadioEvents m_events;
  radiopanel::PanelActions m_actions{*this};
  // Last, so that the keyer thread stops before anything else goes.
  radiokit::Keyer m_keyer;
};

}  // namespace varosim
