#pragma once
// The message buttons (SHOWMSGBUTTONS): the six stored messages as the
// program expanded them, each sending its slot, and Stop. The message being
// sent is lit. Main thread only.

#include <array>
#include <functional>

#include "PanelRadio.h"
#include "PanelWindow.h"

class QPushButton;

namespace radiopanel {

class MessagePanel : public PanelWindow {
 public:
  /// after: called after each action, to redraw soon.
  MessagePanel(const QString& objectName, PanelRadio& radio, std::function<void()> after);
  void Refresh(const PanelState& state);

 private:
  PanelRadio& m_radio;
  std::function<void()> m_after;
  std::array<QPushButton*, 6> m_buttons{};
  QPushButton* m_stop = nullptr;
};

}  // namespace radiopanel
