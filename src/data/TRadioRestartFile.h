#pragma once
// The radio restart file (Dravel_RADIORESTART.txt): the left radio's state
// between runs and the band limits. As written, each line ends with a line
// end except the marker:
//   LEFT_RADIO_FREQUENCY=, LEFT_RADIO_TUNESTEP=, LEFT_RADIO_MODE=,
//   LEFT_RADIO_RTSDTR= and one LEFT_VFO_MEMORY= line per memory (only when
//   there is a left radio), one BANDLIMIT= line per band in list order, then
//   END_OF_RADIORESTART_FILE=YES.
// The reader also takes the RIGHT_ keys, which the program never writes.
// This class owns the format; the radio object reads its keys through it,
// the application object its band limits, and both write through it.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/TRadioBand.h"

/// What the file keeps of one radio.
struct TRadioRestartState {
  int frequency = 0;
  int tuneStep = 0;
  int modeIndex = 0;
  std::string radioTag;
  /// The VFO memories in their text form (name,value), in list order.
  std::vector<std::string> vfoMemories;
};

class TRadioRestartFile {
 public:
  explicit TRadioRestartFile(std::string path);

  /// Reads the file's lines; false (nothing held) when it cannot be read.
  bool Load();
  const std::vector<std::string>& Lines() const { return m_lines; }

  /// The value of the first line whose part before its first "=" is the key
  /// (any case), with blanks and control characters stripped at its right
  /// end; empty when no line has the key.
  std::string Value(std::string_view key) const;
  /// The key of a radio's value: "LEFT_RADIO_" (radio 1) or "RIGHT_RADIO_"
  /// (radio 2) + name; empty for any other radio number.
  static std::string RadioKey(int radioNumber, std::string_view name);
  /// The memory texts of radio 1 (LEFT_VFO_MEMORY) or 2 (RIGHT_VFO_MEMORY):
  /// for every line that contains that key anywhere (exact case), in file
  /// order, the text after its first "=" up to the next "="; a line without
  /// "=" has no value and is skipped. Nothing for other radio numbers.
  std::vector<std::string> VFOMemoryTexts(int radioNumber) const;
  /// The text after the prefix of every BANDLIMIT= line, in file order
  /// (ParseBandLimitLine).
  std::vector<std::string> BandLimitTexts() const;

  /// The whole file: the left radio's lines when there is a left radio,
  /// the band lines, the marker without a line end.
  static std::string Format(const std::optional<TRadioRestartState>& left,
                            const std::vector<TRadioBand>& bands);
  /// Replaces the file with Format(...) atomically; false (and the old file
  /// left as it was, the system's error code in *error) when it cannot.
  bool Write(const std::optional<TRadioRestartState>& left, const std::vector<TRadioBand>& bands,
             int* error = nullptr) const;

  static constexpr const char* kMarker = "END_OF_RADIORESTART_FILE=YES";

 private:
  std::string m_path;
  std::vector<std::string> m_lines;
};
