#pragma once
// What a soft panel needs from the radio behind it. Each radio library
// implements PanelRadio once: the simulated Varo from its state in memory,
// Hamlib by queueing on its worker thread. The panel calls every member on
// the program's main thread; no member may wait on the radio (an action is
// taken or queued, and the panel sees its effect in a later State()).
//
// The panel reads State() on a timer (a few times a second) and redraws
// what changed; a library need not tell the panel anything.

#include <cstdint>
#include <string>
#include <vector>

namespace radiopanel {

/// What the radio can do; read when a panel is built, and again each time
/// the radio starts answering (a radio behind a network may tell them only
/// then). A control the radio lacks is hidden or disabled, never shown
/// failing.
struct PanelAbilities {
  std::string radioName;               // "Varo (simulated)", "Yaesu FT-991"
  std::vector<std::string> modeNames;  // the radio's modes, in its order
  bool power = false;                  // power can be set
  int maxPower = 100;                  // W
  bool keyerSpeed = false;             // keyer speed can be set
  bool rit = false;
  bool xit = false;
  int maxRitOffset = 9999;  // Hz either side
  int maxXitOffset = 9999;
  bool split = false;
  bool vfoB = false;  // a second VFO the panel may select and tune
  bool sMeter = false;
  bool powerMeter = false;
  bool swrMeter = false;
  bool alcMeter = false;
  bool sendText = false;  // free text can be keyed (the CW keyboard)
  bool powerOff = false;

  bool operator==(const PanelAbilities&) const = default;
};

/// One reading of the radio, as the panel shows it.
struct PanelState {
  bool answering = true;  // false: the panel greys and says why
  std::string problem;    // why it is not answering, for the operator
  bool poweredOn = true;
  std::int64_t vfoA = 0;  // Hz
  std::int64_t vfoB = 0;
  char activeVfo = 'A';
  std::string mode;  // one of PanelAbilities::modeNames, or empty
  int power = 0;     // W
  int keyerSpeed = 0;  // WPM
  bool ritOn = false;
  bool xitOn = false;
  int ritOffset = 0;  // Hz
  int xitOffset = 0;
  bool split = false;
  bool transmitting = false;
  double sUnits = 0;  // receive: S units, 9 = S9; above 9, 9 + dB/10
  double powerOut = 0;  // while sending, W
  double swr = 1.0;
  double alc = 0;        // 0..1
  std::string sending;   // the text being keyed, as far as it has gone
  int messageSlot = -1;  // the stored message being sent (0..5), or -1
  std::vector<std::string> messages;  // the six loaded messages, expanded
};

/// The operator's actions on a panel. Every member returns at once.
class PanelRadio {
 public:
  virtual ~PanelRadio() = default;
  virtual PanelAbilities Abilities() const = 0;
  virtual PanelState State() const = 0;

  virtual void SetFrequency(char vfo, std::int64_t hz) = 0;
  virtual void SelectVfo(char vfo) = 0;
  virtual void SetMode(const std::string& mode) = 0;
  virtual void SetPower(int watts) = 0;
  virtual void SetKeyerSpeed(int wpm) = 0;
  virtual void SetRit(bool on, int offsetHz) = 0;
  virtual void SetXit(bool on, int offsetHz) = 0;
  virtual void SetSplit(bool on) = 0;
  /// Sends one of the six stored messages (0..5).
  virtual void SendMessage(int slot) = 0;
  /// Keys free text (the CW keyboard).
  virtual void SendText(const std::string& text) = 0;
  virtual void StopSending() = 0;
  virtual void TurnOff() = 0;
};

}  // namespace radiopanel
