#include "data/TRadioBand.h"

#include <algorithm>
#include <limits>

#include "data/TextUtils.h"

namespace {

// kHz to Hz without overflowing: a limit typed far out of range saturates.
std::int32_t ToHz(std::int32_t khz) {
  const std::int64_t hz = static_cast<std::int64_t>(khz) * 1000;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      hz, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

struct DefaultEdge {
  const char* name;
  std::int32_t low, high;
  int metres;
};
constexpr DefaultEdge kDefaultEdges[] = {
    {"160M", 1800, 2000, 160},   {"80M", 3500, 4000, 80},     {"40M", 7000, 7300, 40},
    {"30M", 10100, 10150, 30},   {"20M", 14000, 14350, 20},   {"17M", 18068, 18168, 17},
    {"15M", 21000, 21450, 15},   {"12M", 24890, 24990, 12},   {"10M", 28000, 29700, 10},
    {"6M", 50000, 54000, 6},     {"2M", 144000, 148000, 2},
};

}  // namespace

TRadioBand::TRadioBand(std::string_view bandName, std::int32_t lowKhz, std::int32_t highKhz)
    : name(bandName),
      fccMin(lowKhz), fccMax(highKhz),
      cwMin(lowKhz), cwMax(highKhz),
      phMin(lowKhz), phMax(highKhz),
      ryMin(lowKhz), ryMax(highKhz) {
  RefreshHz();
}

std::array<std::int32_t*, 8> TRadioBand::Limits() {
  return {&fccMin, &fccMax, &cwMin, &cwMax, &phMin, &phMax, &ryMin, &ryMax};
}

void TRadioBand::RefreshHz() {
  fccMinHz = ToHz(fccMin);
  fccMaxHz = ToHz(fccMax);
  cwMinHz = ToHz(cwMin);
  cwMaxHz = ToHz(cwMax);
  phMinHz = ToHz(phMin);
  phMaxHz = ToHz(phMax);
  ryMinHz = ToHz(ryMin);
  ryMaxHz = ToHz(ryMax);
}

void TRadioBand::SetLimits(const std::array<std::string, 8>& texts) {
  auto limits = Limits();
  for (std::size_t i = 0; i < 8; ++i) *limits[i] = ReadInteger(texts[i]);
  for (std::size_t i = 2; i < 8; ++i) {
    std::int32_t& v = *limits[i];
    if (v < fccMin) v = fccMin;
    if (v > fccMax) v = fccMax;
  }
  RefreshHz();
}

std::string TRadioBand::FormatLimits(std::size_t length) const {
  std::string text;
  for (std::int32_t v : {fccMin, fccMax, cwMin, cwMax, phMin, phMax, ryMin, ryMax}) {
    if (!text.empty()) text += ',';
    text += std::to_string(v);
  }
  return CutText(text, length);
}

void TRadioBand::ParseLimits(std::string_view text) {
  const auto pieces = SplitFields(text, ",");
  auto limits = Limits();
  for (std::size_t i = 0; i < 8 && i < pieces.size(); ++i) *limits[i] = ReadInteger(pieces[i]);
}

std::int32_t TRadioBand::GetMinForMode(int modeIndex) const {
  switch (modeIndex) {
    case 0: case 1: case 4: case 5: return phMin;
    case 3: case 6: return cwMin;
    default: return ryMin;
  }
}

std::int32_t TRadioBand::GetMaxForMode(int modeIndex) const {
  switch (modeIndex) {
    case 0: case 1: case 4: case 5: return phMax;
    case 3: case 6: return cwMax;
    default: return ryMax;
  }
}

std::vector<TRadioBand> DefaultBands() {
  std::vector<TRadioBand> bands;
  for (const auto& e : kDefaultEdges) bands.emplace_back(e.name, e.low, e.high);
  return bands;
}

void WriteBandLimitLine(std::ostream& out, const TRadioBand& band) {
  out << kBandLimitPrefix << band.name.view() << ',' << band.FormatLimits(200);
}

std::vector<std::string> SplitBandLimitText(std::string_view text) { return SplitFields(text, ","); }

bool ParseBandLimitLine(std::string_view line, std::string& text) {
  if (line.substr(0, kBandLimitPrefix.size()) != kBandLimitPrefix) return false;
  const auto pieces = SplitFields(line, "=");
  text = pieces.size() >= 2 ? pieces[1] : std::string();
  return true;
}

int BandOfFrequency(std::int32_t khz) {
  for (const auto& e : kDefaultEdges)
    if (khz >= e.low && khz <= e.high) return e.metres;
  return 0;
}
