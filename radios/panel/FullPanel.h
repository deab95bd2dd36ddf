#pragma once
// The full soft panel (SHOWMORECONTROLS): VFO A and B in large digits with
// the band privileges, the tuning knob and its step, band and mode buttons,
// power, keyer speed, RIT, XIT, split, the meters, the transmit light and
// the sending line, with a config strip, a macro strip and a close strip
// the program may hide. Main thread only.

#include <QPointer>
#include <array>
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "Bands.h"
#include "KnobSettings.h"
#include "PanelActions.h"
#include "PanelWindow.h"
#include "Panels.h"

class QAbstractButton;
class QComboBox;
class QFrame;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QSlider;
class QSpinBox;

namespace radiopanel {

class FrequencyDisplay;
class MeterBar;
class TuningKnob;

class FullPanel : public PanelWindow {
 public:
  struct Hooks {
    std::function<void()> showConfig;
    std::function<void()> showKnobSettings;
    std::function<void()> showMacroEditor;
    std::function<void(const std::string&)> runMacro;
    std::function<void()> refreshSoon;  // redraw every panel after an action
    std::function<void(const KnobSettings&)> knobChanged;  // the step box chose a step
  };

  FullPanel(const QString& objectName, PanelRadio& radio, PanelActions& actions, Hooks hooks);

  void Refresh(const PanelState& state);
  void SetBandPlan(const BandPlan& plan);
  void SetKnobSettings(const KnobSettings& settings);
  void SetPartShown(PanelPart part, bool shown);
  /// The knob tunes that VFO; takes the keyboard focus when shown.
  void FocusKnob(char vfo);
  /// The macro strip's buttons.
  void SetMacroNames(const std::vector<std::string>& names);
  QWidget* LogGridSlot() const { return m_logGridSlot; }

 private:
  using Clock = std::chrono::steady_clock;

  QWidget* MakeConfigStrip();
  QWidget* MakeDisplays();
  QWidget* MakeControls();
  QWidget* MakeCloseStrip();
  void Tune(char vfo, std::int64_t hz);
  std::int64_t TuneBase(char vfo) const;
  void ShowPrivileges();
  void After();  // an action was taken: redraw soon

  PanelRadio& m_radio;
  PanelActions& m_actions;
  Hooks m_hooks;
  PanelAbilities m_can;
  PanelState m_state;
  bool m_haveState = false;
  BandPlan m_plan;
  KnobSettings m_knobSettings;

  // What the operator tuned to and when, so that quick turns add up before
  // the radio's state shows them.
  std::array<std::int64_t, 2> m_target{};
  std::array<Clock::time_point, 2> m_targetTime{};

  QWidget* m_configStrip = nullptr;
  QWidget* m_smallStrip = nullptr;
  QWidget* m_closeStrip = nullptr;
  QWidget* m_body = nullptr;
  QWidget* m_logGridSlot = nullptr;
  QHBoxLayout* m_macroRow = nullptr;
  QLabel* m_status = nullptr;
  FrequencyDisplay* m_vfoA = nullptr;
  FrequencyDisplay* m_vfoB = nullptr;
  QLabel* m_bandInfo = nullptr;
  TuningKnob* m_knob = nullptr;
  QComboBox* m_step = nullptr;
  MeterBar* m_meter = nullptr;
  MeterBar* m_swr = nullptr;
  MeterBar* m_alc = nullptr;
  QLabel* m_tx = nullptr;
  QLabel* m_sending = nullptr;
  QString m_lastSent;
  QPushButton* m_swapVfo = nullptr;
  QPushButton* m_split = nullptr;
  std::vector<QPushButton*> m_bandButtons;
  std::vector<QPushButton*> m_modeButtons;
  QSlider* m_powerSlider = nullptr;
  QSpinBox* m_power = nullptr;
  QSpinBox* m_speed = nullptr;
  QPushButton* m_rit = nullptr;
  QSpinBox* m_ritOffset = nullptr;
  QPushButton* m_xit = nullptr;
  QSpinBox* m_xitOffset = nullptr;
  QPushButton* m_powerOff = nullptr;
  Clock::time_point m_powerOffArmed{};
  std::vector<std::string> m_macroNames;
};

}  // namespace radiopanel
