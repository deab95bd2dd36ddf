#pragma once
// The power-off warning: asks before the radio is turned off. "Yes" sets the
// confirmed flag and closes; "No" and Escape close without it.

#include <QDialog>

class TfmPowerOff : public QDialog {
  Q_OBJECT
 public:
  explicit TfmPowerOff(QWidget* parent = nullptr);
  /// True when the dialog was last closed with "Yes"; cleared each time it shows.
  bool Confirmed() const { return m_confirmed; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  bool m_confirmed = false;
};
