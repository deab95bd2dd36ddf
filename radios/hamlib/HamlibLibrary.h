#pragma once
// The library as a whole: radios 1 and 2 with their soft panels and logging
// grids, and the folder of the library file (where its settings, macros and
// log files are). One instance lives as long as the library is loaded; its
// destruction (at unload or process exit) closes the windows and stops
// every thread.

#include <cstdint>
#include <string>

#include "HamlibPanelRadio.h"
#include "HamlibRadio.h"
#include "PanelActions.h"
#include "PanelLibrary.h"

namespace hamlibradio {

/// The panels, grids and their settings come from PanelLibrary (the program's
/// main thread only, as every export is called).
class HamlibLibrary : public radiopanel::PanelLibrary {
 public:
  HamlibLibrary();
  ~HamlibLibrary() override;
  HamlibLibrary(const HamlibLibrary&) = delete;
  HamlibLibrary& operator=(const HamlibLibrary&) = delete;

  /// The radio of that number, or nullptr for anything but 1 and 2.
  HamlibRadio* Radio(std::int32_t number);
  /// The folder of the library file, without a trailing separator.
  const std::string& Directory() const { return m_directory; }
  /// The radio of that number as its soft panels drive it, or nullptr for
  /// anything but 1 and 2.
  radiopanel::PanelRadio* PanelRadioOf(std::int32_t number) override;
  /// RIT (XIT) support of radio 1, or of radio 2 when only it is connected.
  bool SupportsRit();
  bool SupportsXit();

  radiopanel::PanelActions* PanelActionsOf(std::int32_t number) override;
  bool PanelsWanted(std::int32_t number) override;
  radiopanel::PanelHost PanelHostOf(std::int32_t number) override;
  char KnobOf(std::int32_t number) override;
  void ShowSettings(std::int32_t number) override;
  bool TurnRadioOff(std::int32_t number) override;
  /// The settings dialog and the notices (HamlibPanels.h).
  void CloseOwnWindows(std::int32_t number) override;

 private:
  HamlibRadio* Main();

  std::string m_directory;
  // Views of the radios below, which they outlive.
  HamlibPanelRadio m_panelRadios[2] = {HamlibPanelRadio(m_radios[0]), HamlibPanelRadio(m_radios[1])};
  radiopanel::PanelActions m_actions[2] = {radiopanel::PanelActions(m_panelRadios[0]),
                                           radiopanel::PanelActions(m_panelRadios[1])};
  // Last, so that the radios stop before anything else goes.
  HamlibRadio m_radios[2];
};

HamlibLibrary& Library();

}  // namespace hamlibradio
