#pragma once
// How the library reaches a radio: the connection text from the devices
// file, and the settings file its dialog writes beside the library.
//
// Connection text: name,library,baud,extra1,extra2,extra3,extra4,RTSDTR
//   extra1  Hamlib model number (rigctl -l); 0 takes the model (and the rig
//           path) from the settings file
//   extra2  rig path: a device file, host:port for rigctld (model 2), or "-"
//           for the device of the COM port Talvex hands over
//   extra3  how CW is keyed: RIG (the radio's own keyer), NONE,
//           CWDAEMON[:host:port] (cwdaemon, default 127.0.0.1:6789) or
//           WINKEYER:COMn (a WinKeyer on a port of its own)
//           (empty or "-": the keying of the settings file, else RIG)
//   extra4  poll interval in milliseconds
//
// Settings file HamlibRadio_CONFIG.txt, KEY=value lines:
//   MODEL=, PATH= (used when extra1 is 0), TIMEOUT= (ms), RETRY=,
//   KEYING= (as extra3; used when extra3 is empty or "-"), WEIGHT= (10..90,
//   50 normal), FARNSWORTH= (character speed in WPM, 0 off).

#include <string>
#include <string_view>

#include "KeyerOutput.h"

namespace hamlibradio {

constexpr int kDefaultPollMs = 500;
constexpr int kMinPollMs = 50;
constexpr int kMaxPollMs = 10000;
constexpr int kMinTimeoutMs = 100;
constexpr int kMaxTimeoutMs = 3000;
constexpr int kMaxRetry = 3;
constexpr int kNetModel = 2;  // Hamlib's NET rigctl model

constexpr const char* kSettingsFileName = "HamlibRadio_CONFIG.txt";
constexpr const char* kMacroFileName = "HamlibRadio_MACROS.txt";
constexpr const char* kLogFileName = "HamlibRadio_LOG.txt";
constexpr const char* kPortFileName = "Dravel_PORTS.txt";

enum class CwKeying { Rig, None, Cwdaemon, WinKeyer, Unknown };

/// What the connection text says.
struct ConnectionSettings {
  int model = 0;
  std::string rigPath;  // "-" = the COM port's device
  CwKeying keying = CwKeying::Rig;
  std::string keyingText = "RIG";
  radiokit::KeyingSettings keyer;  // where cwdaemon or the WinKeyer is
  bool keyingFromSettings = true;  // extra3 empty or "-"
  int pollMs = kDefaultPollMs;
  std::string baud;   // digits only; empty when the field is not a number
  bool rtsOn = false;  // from the RTS/DTR tag (P = on)
  bool dtrOn = false;
  bool hasTag = false;
};

/// Reads a connection text; missing or unreadable fields keep the defaults,
/// the poll interval is kept within kMinPollMs..kMaxPollMs.
ConnectionSettings ParseConnectionText(std::string_view text);

/// What the settings dialog saved; 0 (and -1 for retry) where nothing is set.
struct SavedSettings {
  int model = 0;
  std::string rigPath;
  int timeoutMs = 0;
  int retry = -1;
  std::string keying;  // empty: not set
  int weight = 0;      // 0: normal
  int farnsworth = 0;  // 0: off
};

/// Sets the keying of the settings from a keying field (RIG, NONE,
/// CWDAEMON..., WINKEYER:COMn; empty gives RIG).
void SetKeying(ConnectionSettings& settings, std::string_view field);

/// Reads the settings file; a missing file gives the empty settings.
SavedSettings ReadSavedSettings(const std::string& path);
/// Writes the settings file whole (through a temporary file renamed over
/// the old one); false with the reason when it cannot be written.
bool WriteSavedSettings(const std::string& path, const SavedSettings& settings, std::string* error);

/// Leading decimal digits as a number, 0 when there are none.
int LeadingNumber(std::string_view text);

}  // namespace hamlibradio
