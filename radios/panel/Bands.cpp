#include "Bands.h"

#include <algorithm>
#include <cctype>
#include <fstream>

#include "PanelText.h"

namespace radiopanel {

const std::vector<Band>& PanelBands() {
  static const std::vector<Band> bands = {
      {160, "160 m", 1800000, 2000000},   {80, "80 m", 3500000, 4000000},
      {40, "40 m", 7000000, 7300000},     {30, "30 m", 10100000, 10150000},
      {20, "20 m", 14000000, 14350000},   {17, "17 m", 18068000, 18168000},
      {15, "15 m", 21000000, 21450000},   {12, "12 m", 24890000, 24990000},
      {10, "10 m", 28000000, 29700000},   {6, "6 m", 50000000, 54000000},
  };
  return bands;
}

int BandAt(std::int64_t hz) {
  const auto& bands = PanelBands();
  for (std::size_t i = 0; i < bands.size(); ++i) {
    if (hz >= bands[i].lowHz && hz <= bands[i].highHz) return static_cast<int>(i);
  }
  return -1;
}

int BandBelow(std::int64_t hz) {
  int band = -1;
  const auto& bands = PanelBands();
  for (std::size_t i = 0; i < bands.size(); ++i) {
    if (hz >= bands[i].lowHz) band = static_cast<int>(i);
  }
  return band;
}

int BandOfMetres(int metres) {
  const auto& bands = PanelBands();
  for (std::size_t i = 0; i < bands.size(); ++i) {
    if (bands[i].metres == metres) return static_cast<int>(i);
  }
  return -1;
}

std::int64_t BandEntry(const Band& band) { return band.lowHz + 25000; }

Emission EmissionOf(std::string_view mode) {
  const std::string m = UpperCase(Trim(mode));
  if (m.rfind("CW", 0) == 0) return Emission::Cw;
  if (m.rfind("PKT", 0) == 0 || m.rfind("DATA", 0) == 0) return Emission::Data;
  static const char* const phone[] = {"LSB", "USB", "SSB", "AM", "FM", "WFM", "SAM", "SAL", "SAH", "DSB", "PH"};
  for (const char* p : phone) {
    if (m == p) return Emission::Phone;
  }
  return Emission::Data;
}

const char* EmissionName(Emission emission) {
  switch (emission) {
    case Emission::Cw: return "CW";
    case Emission::Phone: return "phone";
    case Emission::Data: return "data";
  }
  return "";
}

void BandMemory::Remember(std::int64_t hz, const std::string& mode) {
  const int band = BandAt(hz);
  if (band < 0) return;
  std::lock_guard lock(m_mutex);
  m_entries[static_cast<std::size_t>(band)] = Entry{hz, mode};
}

std::optional<BandMemory::Entry> BandMemory::Recall(int band) const {
  std::lock_guard lock(m_mutex);
  if (band < 0 || band >= static_cast<int>(m_entries.size())) return std::nullopt;
  return m_entries[static_cast<std::size_t>(band)];
}

void BandMemory::Forget() {
  std::lock_guard lock(m_mutex);
  for (auto& e : m_entries) e.reset();
}

BandPlan::BandPlan() {
  // The program's default edges (src/data/TRadioBand.cpp): the panel bands and 2 m.
  for (const Band& b : PanelBands()) {
    std::string name = std::to_string(b.metres) + "M";
    const std::int64_t low = b.lowHz / 1000, high = b.highHz / 1000;
    m_bands.push_back({name, low, high, low, high, low, high, low, high});
  }
  m_bands.push_back({"2M", 144000, 148000, 144000, 148000, 144000, 148000, 144000, 148000});
}

bool BandPlan::Load(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  static constexpr std::string_view kPrefix = "BANDLIMIT=";
  std::string line;
  while (std::getline(in, line)) {
    // As the program reads them (src/data/TRadioBand.h): the prefix in exact case, the
    // text after the first "=", then the name and eight limits in kHz.
    if (line.compare(0, kPrefix.size(), kPrefix) != 0) continue;
    const std::vector<std::string> sides = SplitFields(line, "=");
    if (sides.size() < 2) continue;
    const std::vector<std::string> pieces = SplitFields(sides[1], ",");
    if (pieces.size() < 9) continue;
    std::int64_t v[8];
    for (std::size_t i = 0; i < 8; ++i) v[i] = ReadInteger(pieces[i + 1]);
    for (Limits& l : m_bands) {
      if (SameText(l.name, Trim(pieces[0]))) l = {l.name, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]};
    }
  }
  return true;
}

BandCheck BandPlan::Check(std::int64_t hz, std::string_view mode) const {
  BandCheck check;
  check.emission = EmissionOf(mode);
  for (const Limits& l : m_bands) {
    if (hz < l.fccMin * 1000 || hz > l.fccMax * 1000) continue;
    check.band = l.name;
    check.bandLowHz = l.fccMin * 1000;
    check.bandHighHz = l.fccMax * 1000;
    std::int64_t low = l.ryMin, high = l.ryMax;
    if (check.emission == Emission::Cw) {
      low = l.cwMin;
      high = l.cwMax;
    } else if (check.emission == Emission::Phone) {
      low = l.phMin;
      high = l.phMax;
    }
    // A negative limit ("N/A" in the band limits dialog): none for this emission.
    if (low >= 0 && high >= 0) {
      check.opLowHz = low * 1000;
      check.opHighHz = high * 1000;
    }
    const bool inside = check.opLowHz && hz >= *check.opLowHz && hz <= *check.opHighHz;
    check.privilege = inside ? Privilege::Inside : Privilege::OutsideOperator;
    return check;
  }
  return check;
}

}  // namespace radiopanel
