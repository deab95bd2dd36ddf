#pragma once
// The macro editor (ADDMACROS): the radio's macros, each a name and a list
// of panel actions (PanelActions.h), checked line by line before they are
// saved. Not modal. Main thread only.

#include <QDialog>
#include <functional>
#include <vector>

#include "PanelActions.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;

namespace radiopanel {

class MacroEditor : public QDialog {
 public:
  struct Hooks {
    std::function<PanelState()> state;                       // for "Insert current settings"
    std::function<void(std::vector<PanelMacro>)> save;       // the list as saved
    std::function<void(const PanelMacro&)> run;              // "Try"
  };
  MacroEditor(const QString& objectName, const PanelAbilities& abilities, Hooks hooks);

  /// Shows these macros, the first selected.
  void Load(std::vector<PanelMacro> macros);

 private:
  void Commit();  // the edited name and lines into m_macros
  void Select(int index);
  /// Why the list cannot be saved, or empty; selects the macro at fault.
  QString Problem();

  PanelAbilities m_can;
  Hooks m_hooks;
  std::vector<PanelMacro> m_macros;
  int m_current = -1;
  QListWidget* m_list = nullptr;
  QLineEdit* m_name = nullptr;
  QPlainTextEdit* m_actions = nullptr;
  QLabel* m_message = nullptr;
};

}  // namespace radiopanel
