#pragma once
// The simulated library as a whole: two radios (numbers 1 and 2) and their
// soft panels, the settings that take no radio number, the call trace, and
// the test controls. One instance lives as long as the library is loaded;
// its destruction (at dlclose or process exit) deletes the panels and stops
// every keyer thread.

#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "Bands.h"
#include "VaroRadio.h"

namespace radiopanel {
class Panels;
}

namespace varosim {

/// Settings of the exports without a radio number.
struct LibraryState {
  bool supportsRit = true;
  bool supportsXit = true;
  bool wantTitleBars = true;
  std::string directory;
  std::string bandLimitsFile;
  std::int32_t bottom = 0, top = 0, right = 0, left = 0;
  bool centeredFlag = false;
};

class VaroLibrary {
 public:
  VaroLibrary();
  /// Closes the panels (where widgets may be touched), then stops the keyers.
  ~VaroLibrary();
  VaroLibrary(const VaroLibrary&) = delete;
  VaroLibrary& operator=(const VaroLibrary&) = delete;

  /// The radio of that number, or nullptr for anything but 1 and 2.
  VaroRadio* Radio(std::int32_t number);

  /// The panels of a connected radio, made on first use; nullptr where no
  /// widget may be made (no QApplication, or not its thread), for a radio
  /// not connected, or for a number but 1 and 2. Main thread only, as every
  /// panel export.
  radiopanel::Panels* PanelsOf(std::int32_t number);
  /// The panels if they were made, else nullptr.
  radiopanel::Panels* ExistingPanels(std::int32_t number);
  /// Destroys a radio's panels and every window of theirs (DISCONNECTRADIO).
  void ClosePanels(std::int32_t number);
  /// The band limits of the file UPDATEBANDLIMITS named, for every panel.
  void SetBandPlan(const radiopanel::BandPlan& plan);

  template <typename F>
  auto Read(F f) const {
    std::lock_guard lock(m_mutex);
    return f(m_state);
  }
  template <typename F>
  void Change(F f) {
    std::lock_guard lock(m_mutex);
    f(m_state);
  }

  /// Appends one line to the call trace; the oldest lines go beyond kMaxTraceLines.
  void Trace(std::string line);
  /// The trace, one line per call, each ending in a line feed.
  std::string TraceText() const;
  void ClearTrace();

  /// A test control "NAME=VALUE" for a radio; 1 when done, 0 when the
  /// command, its value or the radio number is not understood.
  std::int32_t Control(std::string_view command, std::int32_t radio);
  /// A value of a radio's state by name; INT32_MIN for an unknown name.
  std::int32_t Query(std::string_view what, std::int32_t radio);

  static constexpr std::size_t kMaxTraceLines = 20000;

 private:
  mutable std::mutex m_mutex;
  LibraryState m_state;
  radiopanel::BandPlan m_bandPlan;
  std::deque<std::string> m_trace;
  std::unique_ptr<radiopanel::Panels> m_panels[2];  // main thread only
  // Last, so that the keyers stop before anything else goes.
  VaroRadio m_radios[2]{{1, *this}, {2, *this}};
};

VaroLibrary& Library();

/// Runs a radio's macro by name (case and surrounding blanks ignored): its
/// panel actions in order. False for a name the radio does not know.
bool RunMacro(VaroRadio& radio, std::string_view name);

}  // namespace varosim
