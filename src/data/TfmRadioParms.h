#pragma once
// The band limits dialog: a grid of the 11 bands with their legal edges and
// the operator's CW, phone and RTTY limits, in kHz. Sets of limits load from
// band-limits files (BANDLIMIT= lines) through the header's popup menu.
// "Apply" writes the grid to the most-recent file and closes with the
// applied flag; the opener fills the grid before and reads it after, and
// hands the limits to the application object itself.

#include <QDialog>
#include <string>

class QLabel;
class QMenu;
class QAction;
class QTableWidget;

class TfmRadioParms : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kRows = 12;  // the header row and the 11 bands
  static constexpr int kColumns = 9;
  /// Shown in place of a negative limit; a cell containing it is saved as -1.
  static constexpr const char* kNotAvailable = "N/A";

  explicit TfmRadioParms(QWidget* parent = nullptr);

  void SetAllocationFiles(const std::string& chart, const std::string& extra,
                          const std::string& advanced, const std::string& general);
  void SetDocumentsDirectory(const std::string& directory) { m_documentsDirectory = directory; }
  /// The opener's top, left and width: the dialog shows at that top, centred on it.
  void SetMainPlacement(int top, int left, int width);
  /// The left radio's log mode (cut to 4 characters); picks the highlighted columns.
  void SetLogMode(const std::string& mode);

  std::string CellText(int row, int column) const;
  void SetCellText(int row, int column, const std::string& text);

  /// True when the dialog was last closed with "Apply"; cleared each time it shows.
  bool Applied() const { return m_applied; }
  /// The column of the current mode's min (its max is the next one); 0 for none.
  int HighlightedColumn() const { return m_highlightedColumn; }
  /// Documents directory + "BandLimitsMostRecent.txt", built on each showing.
  const std::string& MostRecentFile() const { return m_mostRecentFile; }

  /// Fills the rows from the file's BANDLIMIT= lines in file order (names
  /// included), negative operator limits as "N/A"; a missing file is
  /// reported and leaves the grid as it was.
  void LoadBandLimitsFile(const std::string& path);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormActivate();
  void bnApplyClick();
  void Information1Click();
  void LoadSet(const QString& title, const std::string& path);
  void SavedCase1Click();
  void SaveCurrentLimitsAs1Click();
  /// The grid's 11 rows as BANDLIMIT= lines, replacing the file whole; a
  /// failure is reported with the file and its reason, the old file kept.
  bool WriteGrid(const std::string& path);
  int ColumnOf(const QString& header) const;

  QLabel* pnBandLimitHdr = nullptr;
  QMenu* puBandLimits = nullptr;
  QAction* MostRecentlyApplied1 = nullptr;
  QTableWidget* sgBandLimits = nullptr;
  std::string m_chartFile, m_extraFile, m_advancedFile, m_generalFile;
  std::string m_documentsDirectory;
  std::string m_mostRecentFile;
  std::string m_logMode;
  int m_mainTop = 0, m_mainLeft = 0, m_mainWidth = 0;
  int m_cwColumn = 0, m_phColumn = 0, m_ryColumn = 0;
  int m_highlightedColumn = 0;
  bool m_applied = false;
};
