// A band-limits set file as the band limits dialog reads it. Every operator
// limit lies within the band's legal edges (at the upper edge when the
// edges are upside down), the Hz copies follow the kHz
// values, and the text form of the limits reads back to the same limits.
#include <algorithm>
#include <cstdint>

#include "FuzzSupport.h"
#include "data/TextFile.h"

namespace {
std::int32_t Hz(std::int32_t khz) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(std::int64_t{khz} * 1000, INT32_MIN, INT32_MAX));
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> texts;
  std::string text;
  for (const auto& line : SplitTextLines(fuzz::Input(data, size)))
    if (ParseBandLimitLine(line, text)) texts.push_back(text);
  for (const TRadioBand& band : fuzz::BandsWithLimits(texts)) {
    for (std::int32_t v : {band.cwMin, band.cwMax, band.phMin, band.phMax, band.ryMin, band.ryMax})
      fuzz::Check(v <= band.fccMax && (v >= band.fccMin || v == band.fccMax));
    fuzz::Check(band.cwMinHz == Hz(band.cwMin) && band.ryMaxHz == Hz(band.ryMax) && band.fccMaxHz == Hz(band.fccMax));
    TRadioBand copy(band.name.view(), 0, 0);
    copy.ParseLimits(band.FormatLimits(200));
    fuzz::Check(copy.FormatLimits(200) == band.FormatLimits(200) && copy.phMax == band.phMax);
  }
  return 0;
}
