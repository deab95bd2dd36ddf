#pragma once
// One amateur band: its legal (FCC) edges and the operator's own limits for
// CW, phone (PH) and radio teletype (RY), in kHz, with copies in Hz.

#include <cstdint>
#include <string_view>
#include <vector>

#include "data/FixedText.h"

class TRadioBand {
 public:
  /// Sets the FCC limits and all six operator limits to the two edges.
  TRadioBand(std::string_view name, std::int32_t lowKhz, std::int32_t highKhz);

  FixedText<4> name;
  std::int32_t fccMin = 0, fccMax = 0;
  std::int32_t cwMin = 0, cwMax = 0;
  std::int32_t phMin = 0, phMax = 0;
  std::int32_t ryMin = 0, ryMax = 0;
  std::int32_t fccMinHz = 0, fccMaxHz = 0;
  std::int32_t cwMinHz = 0, cwMaxHz = 0;
  std::int32_t phMinHz = 0, phMaxHz = 0;
  std::int32_t ryMinHz = 0, ryMaxHz = 0;
};

/// The 11 bands with their default edges, 160M first, 2M last.
std::vector<TRadioBand> DefaultBands();
