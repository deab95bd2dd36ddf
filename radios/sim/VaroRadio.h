#pragma once
// One simulated Varo transceiver: its state, its four events and its keyer
// (the kit's, timed at the radio's keyer speed; the simulation puts nothing
// on the air).
//
// Every member may be called from any thread (the program's main thread,
// the keyer thread); one mutex guards the state. Events are set outside it.

#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "Keyer.h"
#include "RadioEvents.h"
#include "RadioLibrary.h"

namespace varosim {

using EventKind = radiokit::RadioEventKind;
using radiokit::kMessageSlots;
constexpr std::size_t kMaxVfoMemories = 100;

/// What the operator could see on the radio's front panel and in its menus.
struct RadioState {
  std::string port;            // as CONNECTRADIO left it in the port buffer
  std::string connectionText;  // as CONNECTRADIO received it
  std::int32_t frequency = 14025000;  // Hz
  std::int32_t knobStep = 10;         // Hz per click of the tuning knob
  std::int32_t modeIndex = 2;         // CW
  std::int32_t power = 100;           // W
  std::int32_t keyerSpeed = 25;       // WPM
  bool ritOn = false;
  bool xitOn = false;
  std::int32_t ritOffset = 0;  // Hz
  std::int32_t xitOffset = 0;
  std::string baud = "9600";
  char knob = 'A';
  std::vector<std::string> modeNames{"LSB", "USB", "CW", "CW-R", "FSK", "FSR", "AM", "FM"};
  std::vector<std::string> macroNames{"Zero RIT", "Toggle RIT", "Toggle XIT", "Band Up",
                                      "Band Down"};
  std::vector<std::string> vfoMemories{"A,14025000", "B,7025000"};
  bool poweredOn = true;
};

class VaroRadio : private radiokit::KeyerRadio {
 public:
  VaroRadio();
  /// Stops the keyer thread.
  ~VaroRadio();
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
  /// baud rate), and starts the keyer.
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
  /// not connected or for a slot outside 0..5.
  void Send(int slot);
  /// Stops keying at once (message over event) and cancels the repeat.
  void Stop();
  void SetAutoRepeat(bool on);
  void SetAutoRepeatDelay(std::int32_t seconds);
  void SetMessage(int slot, std::string text);
  /// The keyer, for what it sends and counts (starts since load or Reset).
  const radiokit::Keyer& Keyer() const { return m_keyer; }
  /// Back to the state of a new radio; connection and events are kept.
  void Reset();

 private:
  int KeyerSpeed() override;

  mutable std::mutex m_mutex;
  RadioState m_state;
  bool m_connected = false;
  radiokit::RadioEvents m_events;
  // Last, so that the keyer thread stops before anything else goes.
  radiokit::Keyer m_keyer;
};

}  // namespace varosim
