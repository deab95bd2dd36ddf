#pragma once
// Setting up the operator's own log file: its format and its name. "Apply"
// makes sure the file exists (an existing file is kept as it is) and closes
// with the applied flag; the opener stores the settings.

#include <QDialog>
#include <string>

class QLineEdit;
class QRadioButton;

class TfmSetupLogFile : public QDialog {
  Q_OBJECT
 public:
  explicit TfmSetupLogFile(QWidget* parent = nullptr);

  /// 0 "ARRL Log Book", 1 "ADIF".
  void SetFormat(int index);
  int Format() const;
  void SetFileName(const std::string& path);
  std::string FileName() const;
  /// Where the file chooser of "Browse" starts.
  void SetInitialDirectory(const std::string& directory) { m_initialDirectory = directory; }
  /// True when the dialog was last closed with "Apply"; cleared each time it shows.
  bool Applied() const { return m_applied; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void Browse();
  void Apply();

  QRadioButton* m_arrl = nullptr;
  QRadioButton* m_adif = nullptr;
  QLineEdit* ebFileName = nullptr;
  std::string m_initialDirectory;
  bool m_applied = false;
};
