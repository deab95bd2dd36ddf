#pragma once
// The attached logging grid's window ("pnlLogGrid"): the one-line grid
// "sgLog" with the program's headings and column widths, and a status line
// "pnLogGridStatus". It shows the LogGrid's contact and reports every
// selection and keystroke to it. F7, Enter or Return logs the contact;
// Ctrl+W clears the line. Main thread only.

#include <QWidget>

class QKeyEvent;
class QLabel;
class QTableWidget;
class QTimer;

namespace radiopanel {

class LogGrid;

class LogGridPanel : public QWidget {
 public:
  explicit LogGridPanel(LogGrid& grid);
  ~LogGridPanel() override;

  /// Shows the contact as it stands in the LogGrid.
  void ShowLine();
  /// Makes STN.WRKD the current cell, its editor open and focused.
  void FocusStation();
  /// Logs the contact and tells the operator how it went.
  void LogTheContact();
  void ClearLine();
  void SetStatus(const QString& text);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void SelectCell(int row, int column);
  void EditText(int column, const QString& text);

  LogGrid& m_grid;
  QTableWidget* m_table = nullptr;
  QLabel* m_status = nullptr;
  QTimer* m_radioTimer = nullptr;
  // Guards against our own cell updates reaching the rules again.
  bool m_showing = false;
};

}  // namespace radiopanel
