#include "data/TRadioBand.h"

TRadioBand::TRadioBand(std::string_view bandName, std::int32_t lowKhz, std::int32_t highKhz)
    : name(bandName),
      fccMin(lowKhz), fccMax(highKhz),
      cwMin(lowKhz), cwMax(highKhz),
      phMin(lowKhz), phMax(highKhz),
      ryMin(lowKhz), ryMax(highKhz),
      fccMinHz(lowKhz * 1000), fccMaxHz(highKhz * 1000),
      cwMinHz(lowKhz * 1000), cwMaxHz(highKhz * 1000),
      phMinHz(lowKhz * 1000), phMaxHz(highKhz * 1000),
      ryMinHz(lowKhz * 1000), ryMaxHz(highKhz * 1000) {}

std::vector<TRadioBand> DefaultBands() {
  return {
      {"160M", 1800, 2000},    {"80M", 3500, 4000},     {"40M", 7000, 7300},
      {"30M", 10100, 10150},   {"20M", 14000, 14350},   {"17M", 18068, 18168},
      {"15M", 21000, 21450},   {"12M", 24890, 24990},   {"10M", 28000, 29700},
      {"6M", 50000, 54000},    {"2M", 144000, 148000},
  };
}
