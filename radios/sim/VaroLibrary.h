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

#include "PanelLibrary.h"
#include "VaroRadio.h"

namespace varosim {

/// Settings of the exports without a radio number.
struct LibraryState {
  bool supportsRit = true;
  bool supportsXit = true;
  std::string directory;
};

/// The panels, grids and their settings come from PanelLibrary (main thread
/// only, as every panel export).
class VaroLibrary : public radiopanel::PanelLibrary {
 public:
  VaroLibrary();
  /// Closes the windows (where widgets may be touched), then stops the keyers.
  ~VaroLibrary() override;
  VaroLibrary(const VaroLibrary&) = delete;
  VaroLibrary& operator=(const VaroLibrary&) = delete;

  /// The radio of that number, or nullptr for anything but 1 and 2.
  VaroRadio* Radio(std::int32_t number);

  radiopanel::PanelRadio* PanelRadioOf(std::int32_t number) override { return Radio(number); }
  radiopanel::PanelActions* PanelActionsOf(std::int32_t number) override;
  bool PanelsWanted(std::int32_t number) override;
  radiopanel::PanelHost PanelHostOf(std::int32_t number) override;
  char KnobOf(std::int32_t number) override;
  void ShowSettings(std::int32_t number) override;
  bool TurnRadioOff(std::int32_t number) override;
  radiopanel::LogGrid::RadioReader GridReaderOf(std::int32_t number) override;

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
  std::deque<std::string> m_trace;
  // Last, so that the keyers stop before anything else goes.
  VaroRadio m_radios[2]{{1, *this}, {2, *this}};
};

VaroLibrary& Library();

/// Runs a radio's macro by name (case and surrounding blanks ignored): its
/// panel actions in order. False for a name the radio does not know.
bool RunMacro(VaroRadio& radio, std::string_view name);

}  // namespace varosim
