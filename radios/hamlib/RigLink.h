#pragma once
// The one owner of a Hamlib RIG handle. Every member is called on the
// radio's worker thread only; each Hamlib call also holds the library-wide
// Hamlib lock, because Hamlib keeps its error texts and some reader state
// process-wide and takes no lock of its own, and runs with LC_NUMERIC "C"
// (RigLink.cpp says why).
//
// How long a call can take is Hamlib's time-out per reply times (retry + 1)
// per transaction; the defaults (500 ms, no retry for rigctld; the model's
// own time-out cut to 1000 ms and one retry on a serial port) keep every
// call short, and Close(quick) cuts the time-out to 100 ms before closing.

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

struct s_rig;

namespace hamlibradio {

struct LinkOptions {
  int model = 0;
  std::string path;  // a device file, or host:port for rigctld
  std::string baud;  // serial speed, when a number
  bool setLines = false;  // set RTS and DTR (a tag was given)
  bool rtsOn = false;
  bool dtrOn = false;
  int timeoutMs = 0;  // 0: the default
  int retry = -1;     // -1: the default
};

/// What a panel may offer for the model. Learnt at Init from the model's
/// capabilities and again at every open (rigctld tells its radio's only
/// then). Where the model has no conversion to watts, power is in per cent
/// (maxPowerW 100).
struct RigAbilities {
  std::vector<std::string> modeNames;  // the model's own modes
  std::vector<std::uint64_t> modeBits;  // beside modeNames
  bool setPower = false;       // RFPOWER can be set
  bool setKeyerSpeed = false;  // KEYSPD can be set
  int maxPowerW = 100;
  int maxRit = 0;  // Hz either side, 0 without RIT
  int maxXit = 0;
  bool ritFunc = false;  // RIT switched by RIG_FUNC_RIT (else offset 0 is off)
  bool xitFunc = false;
  bool split = false;
  bool vfoB = false;            // VFO B can be selected and tuned
  bool vfoBTargetable = false;  // ... and read or set without switching to it
  // Meters the model reads: STRENGTH, RFPOWER_METER, SWR, ALC.
  bool sMeter = false;
  bool powerMeter = false;
  bool swrMeter = false;
  bool alcMeter = false;
  bool ptt = false;  // the transmit state can be read
  bool sendMorse = false;
  bool powerOff = false;
};

/// What the model offers, known after Init.
struct ModelInfo {
  std::string name;  // maker and model, "Yaesu FT-991"
  bool serial = false;
  bool network = false;
  std::vector<std::string> modeNames;
  std::vector<std::uint64_t> modeBits;  // beside modeNames
  bool rit = false;
  bool xit = false;
  bool sendMorse = false;
  bool stopMorse = false;
  bool powerOff = false;
  int timeoutMs = 0;
  int retry = 0;
  RigAbilities abilities;
};

/// One poll of the radio.
struct RigReading {
  std::int64_t frequency = 0;  // Hz
  std::uint64_t mode = 0;      // Hamlib mode bit, 0 unknown
  int power = 0;               // W (per cent where the model has no conversion)
  int keyerSpeed = 0;          // WPM
  bool ritOn = false;
  bool xitOn = false;
  int ritOffset = 0;
  int xitOffset = 0;
  char activeVfo = 'A';          // the VFO `frequency` belongs to
  std::int64_t otherVfo = 0;     // the other VFO's frequency, 0 unknown
  bool split = false;
  bool operator==(const RigReading&) const = default;
};

/// What changes all the time and is no change of the radio's settings:
/// sending or not, and the meters. Read at every poll, as far as the model
/// tells them.
struct RigMeters {
  bool transmitting = false;  // the PTT where read, else the keying told to Poll
  bool pttRead = false;
  double strengthDb = -54;  // relative to S9 (S0)
  double powerMeter = 0;    // 0..1 of the most power
  double swr = 1.0;
  double alc = 0;  // 0..1
  bool operator==(const RigMeters&) const = default;
};

/// One change a panel asks of the radio.
struct RigAction {
  enum class Kind { Frequency, Vfo, Mode, Power, KeyerSpeed, Rit, Xit, Split } kind = Kind::Frequency;
  char vfo = 'A';  // Frequency: the VFO to tune; Vfo: the VFO to select
  std::int64_t hz = 0;      // Frequency; Rit/Xit: the offset
  int value = 0;            // Power: W (per cent without conversion); KeyerSpeed: WPM
  bool on = false;          // Rit, Xit, Split
  std::uint64_t mode = 0;   // Mode: Hamlib mode bit
  char activeVfo = 'A';     // the VFO selected when the action was asked for
  std::int64_t atHz = 0;    // Power: the frequency and mode it is for
  std::uint64_t atMode = 0;
};

/// A model of Hamlib's list, for the settings dialog.
struct ModelEntry {
  int number = 0;
  std::string maker;
  std::string model;
};

class RigLink {
 public:
  /// stop: set by another thread to end a poll between two calls.
  explicit RigLink(const std::atomic<bool>& stop) : m_stop(stop) {}
  /// Closes and frees the handle.
  ~RigLink();
  RigLink(const RigLink&) = delete;
  RigLink& operator=(const RigLink&) = delete;

  /// Creates the handle and configures it; false with the reason when the
  /// model is unknown. No I/O.
  bool Init(const LinkOptions& options, std::string* error);
  const ModelInfo& Info() const { return m_info; }

  /// Opens the port and proves that a radio answers with one uncached
  /// frequency read (rig_open alone succeeds with nothing attached). False
  /// with the reason, the port closed again.
  bool Open(std::string* error);
  bool IsOpen() const { return m_open; }

  enum class PollResult { Ok, Lost, Stopped };
  /// Reads frequency, mode, power, keyer speed, RIT, XIT, split, the other
  /// VFO where the model reads it without switching, and the meters
  /// (STRENGTH on receive; RFPOWER_METER, SWR and ALC while sending, which
  /// is the PTT where the model tells it, else `keying`), all uncached.
  /// Lost (with the reason) when the radio did not answer; a value the
  /// radio refuses is left out from then on.
  PollResult Poll(RigReading& reading, RigMeters& meters, bool keying, std::string* error);

  /// Performs a panel's action: 0 done, else a Hamlib result code with
  /// the reason in error. Asks nothing the abilities leave out.
  int Perform(const RigAction& action, std::string* error);

  /// Hamlib result codes (0 done, negative an error).
  int SendMorse(const std::string& text);
  int StopMorse();
  int PowerOff();
  /// One macro command (see MacroFile.h); error says what went wrong.
  int RunCommand(const std::string& command, std::string* error);

  /// Closes the port; quick cuts the time-out first (used when stopping).
  void Close(bool quick);

  /// Whether a result code means the radio stopped answering (rather than
  /// refusing one request).
  static bool IsLinkError(int code);
  /// Hamlib's short text for a result code.
  static std::string ErrorText(int code);

 private:
  bool SetConf(const char* token, const std::string& value);
  /// With Hamlib held.
  void LearnAbilities();
  PollResult PollMore(RigReading& reading, RigMeters& meters, bool keying, std::string* error);
  double PowerFraction(const RigAction& action);

  const std::atomic<bool>& m_stop;
  s_rig* m_rig = nullptr;
  ModelInfo m_info;
  bool m_open = false;
  bool m_askPower = true, m_askSpeed = true, m_askRit = true, m_askXit = true;
  bool m_askRitOn = true, m_askXitOn = true, m_askMode = true;
  bool m_askSplit = true, m_askOther = true, m_askPtt = true;
  bool m_askStrength = true, m_askPowerMeter = true, m_askSwr = true, m_askAlc = true;
};

/// Every mode Hamlib names, as the first Init learned them; empty before.
void KnownModes(std::vector<std::string>& names, std::vector<std::uint64_t>& bits);

/// Every model Hamlib knows, sorted by maker and model. Taken at the first
/// Init; before any, this call takes it, waiting for Hamlib.
std::vector<ModelEntry> ListModels();

}  // namespace hamlibradio
