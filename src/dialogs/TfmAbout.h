#pragma once
// The about box: a picture of our own, the version and a line on the
// program. The opener fills the version (first 14 characters) and the date
// of the serial library file.

#include <QDialog>
#include <string>

class QLabel;

class TfmAbout : public QDialog {
  Q_OBJECT
 public:
  explicit TfmAbout(QWidget* parent = nullptr);

  /// "Version " and at most 14 characters of the version text.
  void SetVersion(const std::string& version);
  /// The credit line's date, at most 17 characters.
  void SetLibraryDate(const std::string& date);

 private:
  QLabel* pnVersion = nullptr;
  QLabel* Label1 = nullptr;
};
