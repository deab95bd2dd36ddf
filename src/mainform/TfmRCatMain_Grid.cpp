// The logging grid: it shows the application object's log line (TLogLine,
// which holds every rule of the contact in progress), reports each
// selection and keystroke to it, and draws the cells.

#include <QAction>
#include <QLineEdit>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTableWidget>

#include "platform/QtText.h"
#include "app/TTalvexApp.h"
#include "data/TLogLine.h"
#include "data/TextUtils.h"
#include "mainform/TfmPanel.h"
#include "mainform/TfmRCatMain.h"
#include "platform/DateTime.h"
#include "serial/TSioLogController.h"

/// Draws the cells (black text, right-aligned; the heading row and the
/// radio's three cells in the fixed colour) and reports every keystroke of
/// the cell editor to the window.
class LogGridDelegate : public QStyledItemDelegate {
 public:
  explicit LogGridDelegate(TfmRCatMain& window, QObject* parent)
      : QStyledItemDelegate(parent), m_window(window) {}

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override {
    auto* editor = new QLineEdit(parent);
    editor->setFrame(false);
    editor->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    const int row = index.row();
    const int column = index.column();
    QObject::connect(editor, &QLineEdit::textEdited, editor, [this, row, column](const QString& text) {
      m_window.sgLogSetEditText(row, column, text);
    });
    (void)option;
    return editor;
  }

  void setEditorData(QWidget* editor, const QModelIndex& index) const override {
    // The window writes each keystroke back into the cell: leave the editor
    // (and its cursor) alone when it already shows the cell's text.
    auto* line = static_cast<QLineEdit*>(editor);
    const QString text = index.data(Qt::EditRole).toString();
    if (line->text() != text) line->setText(text);
  }

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    const bool fixed = index.row() == 0 || (index.column() >= 1 && index.column() <= 3);
    const QColor background = fixed ? option.palette.color(QPalette::Button) : QColor(Qt::white);
    painter->save();
    painter->fillRect(option.rect, background);
    painter->setPen(Qt::black);
    painter->setFont(option.font);
    const QString text = index.data(Qt::DisplayRole).toString();
    const int width = option.fontMetrics.horizontalAdvance(text);
    const QRect r = option.rect;
    painter->drawText(QPoint(r.right() + 1 - width - 2, r.top() + 2 + option.fontMetrics.ascent()), text);
    painter->restore();
  }

 private:
  TfmRCatMain& m_window;
};

void TfmRCatMain::InstallGridHandlers() {
  sgLog->setItemDelegate(new LogGridDelegate(*this, sgLog));
  connect(sgLog, &QTableWidget::currentCellChanged, this,
          [this](int row, int column, int, int) { sgLogSelectCell(row, column); });
  // A text the grid takes from its editor without a keystroke reaching us
  // (a commit) still goes through the log line's rules.
  connect(sgLog, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
    if (item->row() != 1) return;
    if (platform::FromQString(item->text()) != m_app.LogLine().Cell(item->column()))
      sgLogSetEditText(1, item->column(), item->text());
  });
}

void TfmRCatMain::ShowLogLine() {
  const TLogLine& line = m_app.LogLine();
  for (int c = 0; c < kLogCells; ++c) {
    const QString text = platform::ToQString(line.Cell(c));
    if (sgLog->item(1, c)->text() != text) sgLog->item(1, c)->setText(text);
  }
}

void TfmRCatMain::FocusStation() {
  if (!sgLog->isVisible() || !Panel1->isVisible()) return;
  sgLog->setCurrentCell(1, kCellStation);
  sgLog->setFocus();
}

void TfmRCatMain::sgLogSelectCell(int row, int column) {
  if (row != 1) return;
  m_app.LogLine().Select(column, UtcNow());
  ShowLogLine();
}

void TfmRCatMain::sgLogSetEditText(int row, int column, const QString& typed) {
  if (row != 1) return;
  const bool detailsChanged = m_app.LogLine().Edit(
      column, platform::FromQString(typed), [this](std::string_view call) { return m_app.LookupOperator(call, 23); });
  ShowLogLine();
  if (detailsChanged) PrepareMessages();
}

void TfmRCatMain::ClearLogLine() {
  m_app.LogLine().Clear();
  ShowLogLine();
  FocusStation();
}

void TfmRCatMain::LogTheQso() {
  const auto logged = m_app.LogTheQso(UtcNow(), [this](const std::string& line) {
    m_sioLog->SendContact(line);  // only when logging runs and its port is open
  });
  if (logged != TLogLine::Logged::kLogged) return;
  ShowLogLine();
  FocusStation();
}
