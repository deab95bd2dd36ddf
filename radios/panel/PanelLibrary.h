#pragma once
// What every radio library with soft panels keeps for its radios 1 and 2:
// their panels (made on first use), their attached logging grids, and the
// settings every panel takes (title bars, the program's main window, the
// band plan). A library derives its library object from PanelLibrary and
// answers the few questions below about its own radios; PanelExports.h then
// gives it the panel and grid exports of the contract.
//
// Every member is called on the thread that calls the library's exports,
// which is the program's main thread. The derived class's destructor calls
// CloseWindows for both radios while its radios are still there.

#include <cstdint>
#include <memory>
#include <string>

#include "Bands.h"
#include "LogGrid.h"
#include "Panels.h"

namespace radiopanel {

class PanelActions;
class PanelRadio;

class PanelLibrary {
 public:
  /// programName goes into the header of a new ADIF log a grid starts.
  explicit PanelLibrary(std::string programName);
  virtual ~PanelLibrary();
  PanelLibrary(const PanelLibrary&) = delete;
  PanelLibrary& operator=(const PanelLibrary&) = delete;

  // ---- What the library answers about its radio of that number (1 or 2) ----

  /// The radio as its panels drive it; nullptr for any other number.
  virtual PanelRadio* PanelRadioOf(std::int32_t number) = 0;
  /// Its panel actions (buttons, keys, macros); nullptr for any other number.
  virtual PanelActions* PanelActionsOf(std::int32_t number) = 0;
  /// Whether it is connected: only a connected radio has panels.
  virtual bool PanelsWanted(std::int32_t number) = 0;
  /// Names, the settings button and the macros of its panels.
  virtual PanelHost PanelHostOf(std::int32_t number) = 0;
  /// The VFO knob ('A' or 'B') its panels focus when they are made.
  virtual char KnobOf(std::int32_t number) = 0;
  /// SHOWCONFIG: the library's settings for the radio.
  virtual void ShowSettings(std::int32_t number) = 0;
  /// TURNOFFRADIO; false for a number the library has no radio for.
  virtual bool TurnRadioOff(std::int32_t number) = 0;
  /// What the radio's grid shows in FREQ, MODE and POWER; by default its
  /// panel radio's active VFO while it answers.
  virtual LogGrid::RadioReader GridReaderOf(std::int32_t number);
  /// Destroys the library's own windows of the radio (beside the kit's).
  virtual void CloseOwnWindows(std::int32_t) {}

  // ---- What the kit keeps ----

  /// The panels of a connected radio, made on first use; nullptr where no
  /// widget may be made (no QApplication, or not its thread), for a radio
  /// not connected, or for a number but 1 and 2.
  Panels* PanelsOf(std::int32_t number);
  /// The panels if they were made, else nullptr.
  Panels* ExistingPanels(std::int32_t number);
  /// The logging grid of radio 1 or 2 (made at the first call); nullptr for
  /// any other number.
  LogGrid* LogGridOf(std::int32_t number);
  /// Destroys the radio's panels and their windows (a new connection).
  void ClosePanels(std::int32_t number);
  /// Destroys every window of the radio: panels, grid and the library's own
  /// (DISCONNECTRADIO); the grid's contact and settings stay.
  void CloseWindows(std::int32_t number);

  /// INITTITLEBARFLAG: whether panels made from now on have title bars.
  void SetTitleBarWish(bool shown) { m_titleBars = shown; }
  bool TitleBarWish() const { return m_titleBars; }
  /// SETCENTEREDFORMSINFO, for every panel.
  void SetMainWindow(MainWindowBounds bounds);
  /// UPDATEBANDLIMITS, for every panel.
  void SetBandPlan(const BandPlan& plan);

 private:
  struct Slot {
    std::unique_ptr<Panels> panels;
    std::unique_ptr<LogGrid> grid;
  };
  Slot* SlotOf(std::int32_t number);

  std::string m_programName;
  bool m_titleBars = true;
  MainWindowBounds m_mainWindow;
  BandPlan m_bandPlan;
  Slot m_slots[2];
};

}  // namespace radiopanel
