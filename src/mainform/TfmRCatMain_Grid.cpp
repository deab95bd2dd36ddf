// The logging grid: it shows the application object's log line (TLogLine,
// which holds every rule of the contact in progress), reports each
// selection and keystroke to it, and draws the cells.

#include <QAction>
#include <QLineEdit>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <algorithm>
#include <cstdlib>
#include <optional>

#include "platform/QtGridCells.h"
#include "platform/QtText.h"
#include "app/TWindowApp.h"
#include "data/TLogLine.h"
#include "data/TLogRecord.h"
#include "data/TWorkedIndex.h"
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
    // The cell being typed into stands out from the others.
    QPalette palette = editor->palette();
    palette.setColor(QPalette::Base, QColor(0xff, 0xff, 0xe0));
    editor->setPalette(palette);
    editor->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (index.row() == 1) editor->setMaxLength(static_cast<int>(kCellWidths.at(index.column())));
    const int row = index.row();
    const int column = index.column();
    QObject::connect(editor, &QLineEdit::textEdited, editor, [this, row, column](const QString& text) {
      m_window.sgLogSetEditText(row, column, text);
    });
    (void)option;
    return editor;
  }

  void setEditorData(QWidget* editor, const QModelIndex& index) const override {
    platform::SetEditorTextKeepingCursor(editor, index);
  }

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    platform::PaintLogGridCell(painter, option, index,
                               index.row() == 0 || (index.column() >= 1 && index.column() <= 3));
  }

 private:
  TfmRCatMain& m_window;
};

/// Hands a key that reaches the grid while the current cell's editor is open
/// (but without the focus) to that editor: otherwise the grid would only move
/// the focus there, and the key would be lost.
class KeysToEditor : public QObject {
 public:
  explicit KeysToEditor(QTableWidget& grid) : QObject(&grid), m_grid(grid) { grid.installEventFilter(this); }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->text().isEmpty()) return false;
    QWidget* editor = m_grid.indexWidget(m_grid.currentIndex());
    if (!editor || editor->hasFocus()) return false;
    editor->setFocus();
    QCoreApplication::sendEvent(editor, event);
    return true;
  }

 private:
  QTableWidget& m_grid;
};

/// Lets the operator size the grid's columns with the mouse: a drag on the
/// border between two columns (the grid shows no header of its own).
class ColumnSizer : public QObject {
 public:
  explicit ColumnSizer(QTableWidget& grid) : QObject(&grid), m_grid(grid) {
    grid.viewport()->setMouseTracking(true);
    grid.viewport()->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    switch (event->type()) {
      case QEvent::MouseMove: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const int x = mouse->position().toPoint().x();
        if (m_column >= 0) {
          m_grid.setColumnWidth(m_column, std::max(kMinWidth, m_startWidth + x - m_startX));
          return true;
        }
        m_grid.viewport()->setCursor(BorderAt(x) >= 0 ? Qt::SplitHCursor : Qt::ArrowCursor);
        return false;
      }
      case QEvent::MouseButtonPress: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const int x = mouse->position().toPoint().x();
        m_column = mouse->button() == Qt::LeftButton ? BorderAt(x) : -1;
        if (m_column < 0) return false;
        m_startX = x;
        m_startWidth = m_grid.columnWidth(m_column);
        return true;
      }
      case QEvent::MouseButtonRelease:
        if (m_column < 0) return false;
        m_column = -1;
        return true;
      default:
        return false;
    }
  }

 private:
  static constexpr int kMinWidth = 8;
  static constexpr int kGrip = 3;

  // The column whose right border is within a few pixels of x, or -1.
  int BorderAt(int x) const {
    for (int c = 0; c < m_grid.columnCount(); ++c) {
      const int right = m_grid.columnViewportPosition(c) + m_grid.columnWidth(c);
      if (std::abs(x - right) <= kGrip) return c;
    }
    return -1;
  }

  QTableWidget& m_grid;
  int m_column = -1;
  int m_startX = 0;
  int m_startWidth = 0;
};

void TfmRCatMain::InstallGridHandlers() {
  sgLog->setItemDelegate(new LogGridDelegate(*this, sgLog));
  new ColumnSizer(*sgLog);
  new KeysToEditor(*sgLog);
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
  // The cell's editor takes the keys: a key that reaches the grid while an
  // editor is open only moves the focus there, and is lost.
  QWidget* editor = sgLog->indexWidget(sgLog->model()->index(1, kCellStation));
  if (!editor) {
    sgLog->editItem(sgLog->item(1, kCellStation));
    editor = sgLog->indexWidget(sgLog->model()->index(1, kCellStation));
  }
  if (editor) {
    editor->setFocus();
    // Back to a call half typed: the next key goes on after it, it does not
    // replace it.
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
      line->deselect();
      line->end(false);
    }
  } else
    sgLog->setFocus();
}

void TfmRCatMain::sgLogSelectCell(int row, int column) {
  if (row != 1) return;
  m_app.LogLine().Select(column, UtcNow());
  ShowLogLine();
}

void TfmRCatMain::sgLogSetEditText(int row, int column, const QString& typed) {
  if (row != 1) return;
  // The worked-before text comes at the moment the names are looked up.
  std::optional<std::string> lookedUp;
  const bool detailsChanged =
      m_app.LogLine().Edit(column, platform::FromQString(typed), [this, &lookedUp](std::string_view call) {
        lookedUp.emplace(call);
        return m_app.LookupOperator(call, 23);
      });
  ShowLogLine();
  if (lookedUp) ShowWorkedBefore(*lookedUp);
  if (detailsChanged) PrepareMessages();
}

void TfmRCatMain::ShowWorkedBefore(const std::string& call) {
  const TWorkedSummary worked = m_app.WorkedBefore(call);
  if (worked.count == 0) return;
  TWorkedSummary before = worked;
  before.dupe = false;
  const QString history = platform::ToQString(WorkedText(before));
  if (worked.dupe)
    ShowNotice(platform::ToQString(WorkedText(worked)),
               platform::ToQString(UpperCase(call)) + QStringLiteral(" is in the default log on ") +
                   platform::ToQString(worked.band + " " + worked.mode) + QStringLiteral(" already: ") + history,
               true);
  else
    ShowNotice(history, platform::ToQString(UpperCase(call)) + QStringLiteral(" is in the default log: ") + history);
}

void TfmRCatMain::ClearLogLine() {
  m_app.LogLine().Clear();
  ShowLogLine();
  FocusStation();
}

void TfmRCatMain::LogTheQso(bool asked) {
  // The line goes out from the default log, after what waited there before it.
  const auto logged = m_app.LogTheQso(UtcNow(), [this](const std::string&) { DeliverContacts(); });
  if (logged == TLogLine::Logged::kNoCall && asked)
    ShowNotice(QStringLiteral("No valid call"), QStringLiteral("F7 logs the contact once STN.WRKD holds a call sign"));
  if (logged != TLogLine::Logged::kLogged) return;
  ShowLogLine();
  FocusStation();
}

void TfmRCatMain::ShowNotice(const QString& text, const QString& hint, bool warning) {
  if (!m_beforeNotice) m_beforeNotice.emplace(pnSending->text(), pnSending->toolTip());
  pnSending->setText(text);
  pnSending->setToolTip(hint);
  FitNotice(warning);
}

void TfmRCatMain::ClearNotice() {
  if (!m_beforeNotice) return;
  pnSending->setText(m_beforeNotice->first);
  pnSending->setToolTip(m_beforeNotice->second);
  m_beforeNotice.reset();
  FitNotice();
}

void TfmRCatMain::FitNotice(bool warning) {
  if (!m_sendingHome) m_sendingHome.emplace(pnSending->geometry(), pnSending->palette());
  const auto& [home, palette] = *m_sendingHome;
  const int needed = pnSending->fontMetrics().horizontalAdvance(pnSending->text()) + 12;
  const bool wide = m_beforeNotice && needed > home.width();
  const int left = wide ? std::max(pnEsc->geometry().left(), home.right() + 1 - needed) : home.left();
  pnSending->setGeometry(left, home.top(), home.right() + 1 - left, home.height());
  QPalette colours = palette;
  if (m_beforeNotice && warning) colours.setColor(QPalette::WindowText, QColor(0xc0, 0x00, 0x00));
  pnSending->setPalette(colours);
  pnSending->setAutoFillBackground(wide);
  pnSending->setAttribute(Qt::WA_TransparentForMouseEvents, wide);
  if (wide) pnSending->raise();
}
