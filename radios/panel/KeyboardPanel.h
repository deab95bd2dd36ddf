#pragma once
// The CW keyboard (SHOWKEYBOARD): typed text is keyed as Morse through
// PanelRadio::SendText, a line at a time on Enter or each character as it
// is typed. Shows what was sent and what is being keyed; Esc stops.
// Main thread only.

#include <functional>

#include "PanelRadio.h"
#include "PanelWindow.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;

namespace radiopanel {

class KeyboardPanel : public PanelWindow {
 public:
  /// after: called after each action, to redraw soon.
  KeyboardPanel(const QString& objectName, PanelRadio& radio, std::function<void()> after);
  void Refresh(const PanelState& state);

 private:
  void SendLine();
  void Edited(const QString& text);
  void Key(const QString& text);

  PanelRadio& m_radio;
  std::function<void()> m_after;
  QPlainTextEdit* m_sent = nullptr;
  QLineEdit* m_edit = nullptr;
  QCheckBox* m_asTyped = nullptr;
  QSpinBox* m_speed = nullptr;
  QLabel* m_sending = nullptr;
  int m_keyedLength = 0;  // characters of the edit already keyed (as typed)
};

}  // namespace radiopanel
