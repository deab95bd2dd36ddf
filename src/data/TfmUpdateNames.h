#pragma once
// The names data editor: up to ten call and name pairs, each marked as a new
// call or as one the names file already holds; "Apply" adds the new ones to
// the file. "Import..." merges a club roster file after a preview
// (TfmRosterImport). The file work is TNamesUpdate's and TRosterImport's;
// this form wires the grid and the buttons to it.

#include <QDialog>
#include <string>
#include <vector>

#include "data/TNamesUpdate.h"

class QLabel;
class QTableWidget;

class TfmUpdateNames : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kEntryRows = 10;

  explicit TfmUpdateNames(QWidget* parent = nullptr);

  /// The names file the editor reads and adds to.
  void SetNamesFile(const std::string& path);
  /// Reads the calls the names file holds (again).
  void LoadKnownCalls();
  /// True when some Apply of this showing added lines to the file, so that
  /// the opener reloads the names.
  bool Written() const { return m_written; }

  // Each button's work runs after its click has returned, so that no
  // question box opens inside the click.
  void bnApplyClick();
  void bnClearClick();
  void bnCloseClick();
  /// "Import...": the roster file asked for, then ImportRoster.
  void bnImportClick();
  /// Reads the roster file and shows its preview; a confirmed import is
  /// merged into the names file. A file that cannot be imported, or a names
  /// file that cannot take it, is reported, and the names file is unchanged.
  void ImportRoster(const std::string& path);

 public slots:
  /// Escape and the window's close go through the unsaved-data question.
  void reject() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  friend class NamesGridDelegate;
  void sgNamesSetEditText(int row, int column);
  std::vector<TNamesRow> Rows() const;
  bool AnyNewCall() const;
  void EmptyEntries();
  QString Cell(int row, int column) const;

  QLabel* Label1 = nullptr;
  QTableWidget* sgNames = nullptr;
  std::string m_namesFile;
  TNamesUpdate m_names;
  bool m_unsaved = false;
  bool m_written = false;
};
