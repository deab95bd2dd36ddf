#pragma once
// The library as a whole: radios 1 and 2 with their soft panels and logging
// grids, and the folder of the library file (where its settings, macros and
// log files are). One instance lives as long as the library is loaded; its
// destruction (at unload or process exit) closes the windows and stops
// every thread.

#include <cstdint>
#include <memory>
#include <string>

#include "Bands.h"
#include "HamlibPanelRadio.h"
#include "HamlibRadio.h"
#include "LogGrid.h"
#include "PanelActions.h"
#include "Panels.h"

namespace hamlibradio {

class HamlibLibrary {
 public:
  HamlibLibrary();
  ~HamlibLibrary();
  HamlibLibrary(const HamlibLibrary&) = delete;
  HamlibLibrary& operator=(const HamlibLibrary&) = delete;

  /// The radio of that number, or nullptr for anything but 1 and 2.
  HamlibRadio* Radio(std::int32_t number);
  /// The folder of the library file, without a trailing separator.
  const std::string& Directory() const { return m_directory; }
  /// The radio of that number as its soft panels drive it, or nullptr for
  /// anything but 1 and 2.
  radiopanel::PanelRadio* PanelRadioOf(std::int32_t number);
  /// RIT (XIT) support of radio 1, or of radio 2 when only it is connected.
  bool SupportsRit();
  bool SupportsXit();

  // The windows, made and destroyed on the program's main thread only (as
  // every export is called).

  /// The soft panels of a connected radio, made on first use; nullptr
  /// where no widget may be made (no QApplication, or not its thread), for
  /// a radio not connected, or for a number but 1 and 2.
  radiopanel::Panels* PanelsOf(std::int32_t number);
  /// The panels if they were made, else nullptr.
  radiopanel::Panels* ExistingPanels(std::int32_t number);
  /// The logging grid of radio 1 or 2; nullptr for any other number. Its
  /// FREQ, MODE and POWER are the radio's while it answers.
  radiopanel::LogGrid* LogGridOf(std::int32_t number);
  /// Destroys every window of the radio: panels, grid, settings and notices.
  void CloseWindows(std::int32_t number);

  /// INITTITLEBARFLAG: whether panels made from now on have title bars.
  void SetTitleBarWish(bool shown) { m_titleBars = shown; }
  /// SETCENTEREDFORMSINFO, for every panel.
  void SetMainWindow(radiopanel::MainWindowBounds bounds);
  /// UPDATEBANDLIMITS, for every panel.
  void SetBandPlan(const radiopanel::BandPlan& plan);

 private:
  HamlibRadio* Main();

  std::string m_directory;
  bool m_titleBars = true;
  radiopanel::MainWindowBounds m_mainWindow;
  radiopanel::BandPlan m_bandPlan;
  std::unique_ptr<radiopanel::Panels> m_panels[2];
  // Views of the radios below, which they outlive.
  HamlibPanelRadio m_panelRadios[2] = {HamlibPanelRadio(m_radios[0]), HamlibPanelRadio(m_radios[1])};
  radiopanel::PanelActions m_actions[2] = {radiopanel::PanelActions(m_panelRadios[0]),
                                           radiopanel::PanelActions(m_panelRadios[1])};
  radiopanel::LogGrid m_grids[2] = {radiopanel::LogGrid(radiopanel::ReadFrom(m_panelRadios[0]), "HamlibRadio"),
                                    radiopanel::LogGrid(radiopanel::ReadFrom(m_panelRadios[1]), "HamlibRadio")};
  // Last, so that the radios stop before anything else goes.
  HamlibRadio m_radios[2];
};

HamlibLibrary& Library();

}  // namespace hamlibradio
