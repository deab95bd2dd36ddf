#pragma once
// The bands of the panel's band buttons, the last frequency and mode the
// operator used on each, and the band privileges: the legal edges and the
// operator's own limits per kind of emission, read from the BANDLIMIT= lines
// of the file UPDATEBANDLIMITS names. No Qt.

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace radiopanel {

struct Band {
  int metres;
  const char* name;  // "20 m"
  std::int64_t lowHz, highHz;
};

/// The band buttons' bands, 160 m to 6 m, lowest first.
const std::vector<Band>& PanelBands();
/// The index of the band holding the frequency (edges included), or -1.
int BandAt(std::int64_t hz);
/// The index of the highest band whose lower edge is at or below the
/// frequency, -1 below 160 m: where Band Up and Band Down step from.
int BandBelow(std::int64_t hz);
/// The index of the band of that many metres, or -1.
int BandOfMetres(int metres);
/// Where a band change lands on a band with no memory: 25 kHz above its
/// lower edge.
std::int64_t BandEntry(const Band& band);

/// Which of the operator's limits a mode falls under.
enum class Emission { Cw, Phone, Data };
/// By name: CW... is CW; LSB, USB, AM, FM and their kin are phone; the rest
/// (FSK, RTTY, PKT..., DATA...) data.
Emission EmissionOf(std::string_view mode);
const char* EmissionName(Emission emission);  // "CW", "phone", "data"

/// The last frequency and mode the operator used on each band. Any thread.
class BandMemory {
 public:
  struct Entry {
    std::int64_t hz = 0;
    std::string mode;
  };
  /// Notes the frequency and mode for the band holding the frequency;
  /// nothing outside the bands.
  void Remember(std::int64_t hz, const std::string& mode);
  std::optional<Entry> Recall(int band) const;
  void Forget();

 private:
  mutable std::mutex m_mutex;
  std::vector<std::optional<Entry>> m_entries = std::vector<std::optional<Entry>>(PanelBands().size());
};

/// What the operator may do on a frequency in a mode.
enum class Privilege {
  Inside,           // inside the operator's limits for the mode
  OutsideOperator,  // inside the band, outside the operator's limits (amber)
  OutsideBand,      // outside every band's legal edges (red)
};

struct BandCheck {
  Privilege privilege = Privilege::OutsideBand;
  std::string band;  // "20M" as the limits file names it; empty outside every band
  std::int64_t bandLowHz = 0, bandHighHz = 0;
  Emission emission = Emission::Cw;
  /// The operator's limits for the emission; nothing when the file allows
  /// none (a negative limit, "N/A").
  std::optional<std::int64_t> opLowHz, opHighHz;
};

/// The legal edges and operator limits of the 11 bands (160M to 2M).
class BandPlan {
 public:
  /// The default edges, every operator limit at the band's edges.
  BandPlan();
  /// Reads the BANDLIMIT= lines of the file (the program's own parser);
  /// lines with fewer than nine fields and unknown band names are skipped.
  /// False, and the plan unchanged, when the file cannot be read.
  bool Load(const std::string& path);
  BandCheck Check(std::int64_t hz, std::string_view mode) const;

 private:
  struct Limits {
    std::string name;
    std::int64_t fccMin, fccMax, cwMin, cwMax, phMin, phMax, ryMin, ryMax;  // kHz
  };
  std::vector<Limits> m_bands;
};

}  // namespace radiopanel
