#pragma once
// The knob settings (SHOWPIGKNOBCONFIG): the tuning steps the knob's
// selector offers, the step it starts with, and which keys and mouse
// buttons tune. Not modal; Apply hands the settings on. Main thread only.

#include <QDialog>
#include <functional>

#include "KnobSettings.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace radiopanel {

class KnobSettingsDialog : public QDialog {
 public:
  KnobSettingsDialog(const QString& objectName, const QString& radioName,
                     std::function<void(const KnobSettings&)> apply);
  void Load(const KnobSettings& settings);

 private:
  std::function<void(const KnobSettings&)> m_apply;
  QLineEdit* m_steps = nullptr;
  QSpinBox* m_step = nullptr;
  QCheckBox* m_upDown = nullptr;
  QCheckBox* m_leftRight = nullptr;
  QCheckBox* m_page = nullptr;
  QCheckBox* m_wheel = nullptr;
  QCheckBox* m_buttons = nullptr;
  QCheckBox* m_reverse = nullptr;
  QLabel* m_message = nullptr;
};

}  // namespace radiopanel
