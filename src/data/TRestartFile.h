#pragma once
// The restart file: the user's options and window layout from one run to
// the next. One KEY=value line per option in a fixed order, ended by the
// marker line END_OF_RESTART_FILE=YES written without a line end. A file
// without the marker is replaced by the backup copy the user keeps.

#include <array>
#include <string>
#include <vector>

#include "data/FixedText.h"

/// Every option the restart file carries, with the values a run starts with
/// when the file is missing.
struct TRestartSettings {
  bool disableAltF4 = false;
  bool disableScreenSaver = false;
  bool wantCenteredForms = false;
  bool controlSubsetEnabled = false;
  bool showFocMembers = false;
  bool showCwopMembers = false;
  bool sioLogAdif = false;
  bool sioLogArrl = false;
  FixedText<6> radioComPort = "COM0";
  FixedText<10> radioBaud = "9600";
  FixedText<6> sioLogComPort = "COM0";
  FixedText<10> sioLogBaud = "9600";
  FixedText<4> sioLogStopBits = "1";
  FixedText<1> sioLogDataBits = "8";
  FixedText<4> sioLogParity = "None";
  FixedText<260> localLogFile;
  bool localLogAdif = false;  // USER_DEFINED_LOGTYPE: ADIF, else ARRL
  /// Logging grid column widths: date, frequency, mode, power, UTC on,
  /// station worked, sent RST, received RST, UTC off, QTH, name, organisations.
  std::array<int, 12> columnWidths{70, 70, 70, 70, 70, 70, 70, 70, 70, 70, 70, 70};
  int autoCqDelay = 3;
  bool wantKeyboard = false;
  bool wantLogGrid = false;
  bool wantMessageButtons = false;
  bool wantTitleBars = false;
  bool wantAutoCq = false;

  /// Applies one KEY=value pair. Keys are compared without regard to case;
  /// unknown keys (the marker included) are ignored. Flags are true only
  /// for YES (any case); texts are cut to their width; integers are read
  /// from their leading digits (0 without any); the log type is ARRL only
  /// for ARRL (any case), ADIF for every other value.
  void Apply(const std::string& key, const std::string& value);
};

class TRestartFile {
 public:
  /// backups: where to look for the backup copy, in order; the first that
  /// can be read is used.
  TRestartFile(std::string path, std::vector<std::string> backups);

  /// Reads the file into settings. When the file has no lines or its last
  /// line is not the marker (any case), the backup's text replaces the file
  /// on disk and is read instead, after "Invalid restart file -- using
  /// backup"; without a readable backup it shows "Backup Restart file not
  /// found" and returns false with settings unchanged. The backup's own
  /// marker is not checked. Main thread (shows message boxes).
  bool Load(TRestartSettings& settings) const;

  /// Replaces the file with Format(settings); false when it cannot be written
  /// (the old file is then left as it was).
  bool Write(const TRestartSettings& settings) const;

  /// The 35 option lines in their fixed order, each ended by a line end,
  /// then the marker without one.
  static std::string Format(const TRestartSettings& settings);

  /// The marker line, which must be the file's last line.
  static constexpr const char* kMarker = "END_OF_RESTART_FILE=YES";

 private:
  std::string m_path;
  std::vector<std::string> m_backups;
};
