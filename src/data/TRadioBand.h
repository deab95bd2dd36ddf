#pragma once
// One amateur band: its legal (FCC) edges and the operator's own limits for
// CW, phone (PH) and radio teletype (RY), in kHz, with copies in Hz. The
// eight kHz limits always go in the order FCC min, FCC max, CW min, CW max,
// PH min, PH max, RY min, RY max.

#include <array>
#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "data/FixedText.h"

class TRadioBand {
 public:
  /// Sets the FCC limits and all six operator limits to the two edges.
  TRadioBand(std::string_view name, std::int32_t lowKhz, std::int32_t highKhz);

  /// Reads the eight texts as integers, clamps each operator limit into the
  /// FCC edges (raised to the min, then lowered to the max) and refreshes Hz.
  void SetLimits(const std::array<std::string, 8>& texts);
  /// The eight kHz limits joined by ",", cut to length.
  std::string FormatLimits(std::size_t length) const;
  /// Stores the first eight comma-separated pieces (read as integers) into
  /// the kHz limits; missing pieces leave their limits; no clamping, Hz untouched.
  void ParseLimits(std::string_view text);
  /// Mode indexes 0, 1, 4, 5 give the PH limit, 3 and 6 the CW limit, others RY.
  std::int32_t GetMinForMode(int modeIndex) const;
  std::int32_t GetMaxForMode(int modeIndex) const;

  FixedText<4> name;
  std::int32_t fccMin = 0, fccMax = 0;
  std::int32_t cwMin = 0, cwMax = 0;
  std::int32_t phMin = 0, phMax = 0;
  std::int32_t ryMin = 0, ryMax = 0;
  std::int32_t fccMinHz = 0, fccMaxHz = 0;
  std::int32_t cwMinHz = 0, cwMaxHz = 0;
  std::int32_t phMinHz = 0, phMaxHz = 0;
  std::int32_t ryMinHz = 0, ryMaxHz = 0;

 private:
  std::array<std::int32_t*, 8> Limits();
  void RefreshHz();
};

/// The 11 bands with their default edges, 160M first, 2M last.
std::vector<TRadioBand> DefaultBands();

/// The prefix of the one text form of a band record, in the radio restart
/// file and in every band-limits file.
constexpr std::string_view kBandLimitPrefix = "BANDLIMIT=";

/// "BANDLIMIT=" + name + the eight limits, comma-separated; no line end.
void WriteBandLimitLine(std::ostream& out, const TRadioBand& band);

/// The pieces of the text after "BANDLIMIT=": split at "," with empty
/// pieces dropped, so a whole text gives the name and the eight limits as
/// written (nine pieces); a short text gives fewer.
std::vector<std::string> SplitBandLimitText(std::string_view text);

/// The text after the prefix of a line that begins with "BANDLIMIT=" (exact
/// case), up to the next "=" (empty pieces between signs dropped); false for
/// any other line. The radio restart file's reader and the band limits
/// dialog both read their lines with it.
bool ParseBandLimitLine(std::string_view line, std::string& text);

/// The band in metres whose default edges hold the frequency (edges
/// included), 0 when none does.
int BandOfFrequency(std::int32_t khz);
