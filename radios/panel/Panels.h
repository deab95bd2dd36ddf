#pragma once
// Every panel window of one radio: the full panel (SHOWMORECONTROLS), the
// message buttons, the CW keyboard, the macro editor, the knob settings
// and any window of the library's own (its settings dialog). A library
// keeps one Panels per radio, makes it only where GuiHere(), and destroys
// it on that thread before DISCONNECTRADIO returns: the destructor deletes
// every window. While a panel shows, a timer reads PanelRadio::State()
// every 150 ms and redraws; when the radio starts answering with other
// abilities than a window was made with, that window is made again.

#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "PanelActions.h"

class QWidget;

namespace radiopanel {

/// What a library gives its panels beyond the radio.
struct PanelHost {
  /// Names the windows: "Varo" gives pnlVaroMain, pnlVaroMsgButtons,
  /// pnlVaroKeyboard, dlgVaroMacros and dlgVaroKnob.
  QString namePrefix;
  /// The config strip's "Settings" button: the library's SHOWCONFIG.
  std::function<void()> showConfig;
  /// The library's macros, and saving the macro editor's list. Without
  /// setMacros the editor is not offered (its list would be lost).
  std::function<std::vector<PanelMacro>()> macros;
  std::function<void(std::vector<PanelMacro>)> setMacros;
  /// A macro button: the library's RUNMACRO.
  std::function<void(const std::string&)> runMacro;
};

/// The program's main window in screen pixels (SETCENTEREDFORMSINFO).
struct MainWindowBounds {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool Known() const { return right > left && bottom > top; }
};

/// The parts of the full panel the program may hide.
enum class PanelPart {
  Config,  // the strip with the radio's name and the settings buttons (HIDECONFIGPANEL)
  Close,   // the power-off and close strip (HIDECLOSEPANEL)
  Small,   // the macro buttons (HIDESMALLPANEL)
};

class Panels {
 public:
  /// True where widgets may be made: a QApplication exists and this is its thread.
  static bool GuiHere();

  /// Makes no window yet. Only where GuiHere().
  Panels(PanelRadio& radio, PanelActions& actions, PanelHost host);
  /// Deletes every window (where GuiHere(); elsewhere they are let go).
  ~Panels();
  Panels(const Panels&) = delete;
  Panels& operator=(const Panels&) = delete;

  void ShowFull();
  void HideFull();
  void ShowMessageButtons();
  void HideMessageButtons();
  void ShowKeyboard();
  void HideKeyboard();
  void ShowKnobSettings();
  /// Does nothing where the host cannot save macros (no setMacros).
  void ShowMacroEditor();
  /// A window of the library's own, made by make on first use, shown
  /// without blocking, placed as a dialog and deleted with the panels.
  void ShowOwnWindow(const QString& objectName, const std::function<QWidget*()>& make);

  void SetTitleBars(bool shown);
  void HidePart(PanelPart part);
  /// Panels go below the main window, centred on it; dialogs level with its
  /// top. Unknown bounds leave the placing to the window manager.
  void SetMainWindow(MainWindowBounds bounds);
  void SetBandPlan(const BandPlan& plan);
  /// The knob tunes that VFO; on a shown full panel it takes the keyboard.
  void FocusKnob(char vfo);
  /// Reads the state and redraws now.
  void Refresh();
  /// An empty, hidden area at the foot of the full panel for the attached
  /// logging grid; makes the full panel (without showing it) if need be.
  QWidget* LogGridSlot();

 private:
  struct Impl;
  std::unique_ptr<Impl> m;
};

}  // namespace radiopanel
