#pragma once
// The default log indexed by call: how often a station was worked, the last
// contact, and every band and mode it was worked on, so that the key row can
// say "worked 3× — last 2026-11-28 14025 CW" or "DUPE 20M CW" while the call
// is typed. The log's record lines are DATE:FREQ:MODE:POWER:UTC-ON:STN.WRKD:...
// (data/TLogRecord.h); a line with fewer than six fields, or whose STN.WRKD
// is empty, counts for nothing. Main thread (the window's lookups and the
// logging step).

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

/// What the log holds of one call.
struct TWorkedSummary {
  std::uint32_t count = 0;  ///< contacts logged with the call; 0: a new call
  /// The last contact logged: its DATE, FREQ and MODE fields as written.
  std::string lastDate, lastFreq, lastMode;
  /// Whether the call was logged before on the band of the FREQ asked about
  /// and in its MODE; band is that band ("20M"), empty when FREQ is not on one.
  bool dupe = false;
  std::string band, mode;
};

class TWorkedIndex {
 public:
  /// Indexes the log file from its start (the index emptied first). False
  /// when it cannot be read (a log not written yet): the index stays empty.
  bool Load(const std::string& path);
  /// Indexes what the file of the last Load gained since it was read, or the
  /// whole file again when it shrank; nothing when it is unchanged (one
  /// look at its size). False when it cannot be read.
  bool Refresh();
  /// Indexes one record line.
  void Add(std::string_view line);

  /// The call (blanks around it and letter case aside) as the log holds it,
  /// and whether it was logged on the band of freqCell (kHz, as the FREQ
  /// cell holds it) in modeCell (any case).
  TWorkedSummary Lookup(std::string_view call, std::string_view freqCell, std::string_view modeCell) const;

  /// Distinct calls and counted lines indexed.
  std::size_t Calls() const { return m_calls.size(); }
  std::size_t Lines() const { return m_lines; }

 private:
  /// One call: its key, the last contact, and the bands and modes worked.
  /// The first 16 bands and 4 modes met are bits of a mask; the rare others
  /// go on a list.
  struct Call {
    std::uint32_t count = 0;
    std::uint32_t others = 0;    // first of the other bands and modes, in m_others + 1; 0: none
    std::uint64_t worked = 0;    // bit (band - 1) * 4 + mode - 1
    std::uint8_t keyLength = 0;
    std::uint8_t lastMode = 0;   // in m_modes
    std::uint8_t lastDateLength = 0, lastFreqLength = 0;
    char key[30] = {};           // upper case
    char lastDate[10] = {};
    char lastFreq[11] = {};
  };
  /// A band and mode outside the mask, in a list per call.
  struct Worked {
    std::uint8_t band = 0, mode = 0;
    std::uint32_t next = 0;  // in m_others + 1; 0: the end
  };
  /// The band of a frequency in kHz, kept once computed: logs hold few.
  struct BandCache {
    std::int64_t hz = -1;
    std::uint8_t band = 0;
  };

  void Clear();
  bool ReadFrom(std::uint64_t offset);
  /// The index place holding the call (upper case), or the free place where it belongs.
  std::size_t Probe(std::string_view call, std::uint32_t hash) const;
  void Grow();
  static bool Has(const Call& call, std::string_view key) {
    return call.keyLength == key.size() && std::string_view(call.key, call.keyLength) == key;
  }
  bool WorkedOn(const Call& call, std::uint8_t band, std::uint8_t mode) const;
  /// The number of a band or mode name, 0 for none; new names are numbered
  /// from 1, at most 255 of each (a later one gets 0: it is never a dupe).
  static std::uint8_t Intern(std::vector<std::string>& names, std::string_view name);
  static std::uint8_t FindName(const std::vector<std::string>& names, std::string_view name);
  /// The band number of a FREQ cell, 0 for none (a band met for the first
  /// time gets its number, by a lookup too: no call has it yet).
  std::uint8_t BandOf(std::string_view freqCell) const;
  /// The frequency of a FREQ cell in Hz (kHz with an optional fraction), -1 for none.
  static std::int64_t HzOf(std::string_view freqCell);

  std::string m_path;
  std::uint64_t m_bytes = 0;  // how much of the file is indexed
  std::size_t m_lines = 0;
  std::vector<Call> m_calls;
  // Per place: the call's hash (high half) and number + 1 (low half), 0:
  // free; a power of two in size, at most half full.
  std::vector<std::uint64_t> m_index;
  std::vector<Worked> m_others;
  mutable std::vector<std::string> m_bands;  // number - 1 → name ("20M")
  std::vector<std::string> m_modes;
  mutable std::array<BandCache, 1024> m_bandCache{};
};

/// The key row's text: "DUPE 20M CW" for a dupe, "worked 3× — last
/// 2026-11-28 14025 CW" for a call worked before (the last contact's empty
/// fields left out), "" for a new call.
std::string WorkedText(const TWorkedSummary& summary);
