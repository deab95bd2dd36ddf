#pragma once
// The roster import's preview: what merging a roster file into the names
// file will do (TRosterImport.h), the club asked for when the file does not
// name it, and "Import" to confirm. The dialog writes nothing: the opener
// reads Confirmed() and Club() after it closes and merges.

#include <QDialog>
#include <string>

#include "data/TRosterImport.h"

class QPlainTextEdit;
class QPushButton;
class QRadioButton;

class TfmRosterImport : public QDialog {
  Q_OBJECT
 public:
  /// The roster, the operators of the names file at path, and the day
  /// (yyyymmdd) that decides which memberships have ended.
  TfmRosterImport(const TRoster& roster, const TOperatorList& names, const std::string& namesPath, int today,
                  QWidget* parent = nullptr);

  /// True when the dialog was closed with "Import".
  bool Confirmed() const { return m_confirmed; }
  /// The club the roster lists: the file's own, or the one chosen.
  TClub Club() const { return m_club; }
  /// The preview as shown.
  QString PreviewText() const;

 private:
  void ShowPlan();

  const TRoster& m_roster;
  const TOperatorList& m_names;
  std::string m_namesPath;
  int m_today = 0;
  TClub m_club = TClub::kUnknown;
  bool m_confirmed = false;
  QPlainTextEdit* mePreview = nullptr;
  QRadioButton* rbFoc = nullptr;
  QRadioButton* rbCwop = nullptr;
  QPushButton* bnImport = nullptr;
};
