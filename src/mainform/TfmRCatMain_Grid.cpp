// The logging grid: time stamps on selection, the names lookup and the
// message placeholders on every keystroke, the cells' drawing, and logging
// the contact to the log files and the serial I/O logging port.

#include <QAction>
#include <QLineEdit>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTableWidget>

#include "platform/QtText.h"
#include "app/TTalvexApp.h"
#include "data/TLogRecord.h"
#include "data/TextUtils.h"
#include "mainform/TfmPanel.h"
#include "mainform/TfmRCatMain.h"
#include "platform/DateTime.h"
#include "serial/TSioLogController.h"

namespace {

/// Control characters (a pasted line break, a tab) become blanks before a
/// cell's text reaches the contact details, the messages or a log file.
QString WithoutControls(QString text) {
  for (QChar& c : text)
    if (c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
      c = QLatin1Char(' ');
  return text;
}

}  // namespace

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
}

QString TfmRCatMain::Cell(int column) const { return sgLog->item(1, column)->text(); }

void TfmRCatMain::SetCell(int column, const QString& text) { sgLog->item(1, column)->setText(text); }

void TfmRCatMain::sgLogSelectCell(int row, int column) {
  if (row != 1) return;
  const double now = UtcNow();
  if (column == kCellUtcOn) {
    SetCell(kCellDate, platform::ToQString(platform::FormatDateTime("yyyy-mm-dd", now)));
    SetCell(kCellUtcOn, platform::ToQString(platform::FormatDateTime("hhnn", now)));
  } else if (column == kCellUtcOff) {
    SetCell(kCellUtcOff, platform::ToQString(platform::FormatDateTime("hhnn", now)));
  }
}

void TfmRCatMain::sgLogSetEditText(int row, int column, const QString& typed) {
  if (row != 1) return;
  SetCell(column, typed);
  const std::string text = platform::FromQString(WithoutControls(typed));
  if (column == kCellStation) {
    if (text.size() < 3) return;
    const std::string call = text.substr(0, 30);
    if (!IsCallsign(call)) return;
    const std::string answer = m_app.LookupOperator(call, 23);
    const auto comma = answer.find(',');
    const std::string name = answer.substr(0, comma);
    const std::string orgs = comma == std::string::npos ? std::string() : answer.substr(comma + 1);
    if (!SameText(name, "N/A")) {
      SetCell(kCellName, platform::ToQString(name));
      m_app.operatorName = UpperCase(name);
    } else {
      SetCell(kCellName, QString());
      m_app.operatorName = "";
    }
    SetCell(kCellOrgs, SameText(orgs, "N/A") ? QString() : platform::ToQString(orgs));
    m_app.stationWorked = UpperCase(call);
    PrepareMessages();
  } else if (column == kCellSentRst) {
    m_app.sentRst = text.size() == 3 ? text : std::string("599");
    PrepareMessages();
  } else if (column == kCellName) {
    m_app.operatorName = UpperCase(text);
    PrepareMessages();
  }
}

void TfmRCatMain::ClearLogLine() {
  SetCell(kCellDate, QString());
  for (int c = kCellUtcOn; c <= kCellOrgs; ++c) SetCell(c, QString());
  m_app.stationWorked = "";
  m_app.sentRst = "599";
  m_app.operatorName = "";
  if (sgLog->isVisible() && Panel1->isVisible()) {
    sgLog->setCurrentCell(1, kCellStation);
    sgLog->setFocus();
  }
}

void TfmRCatMain::LogTheQso() {
  if (!IsCallsign(platform::FromQString(WithoutControls(Cell(kCellStation))))) return;
  TLogContact contact;
  contact.utc = UtcNow();
  for (int c = 0; c < kLogCells; ++c) contact.cells[c] = platform::FromQString(Cell(c));
  const std::string line = UpperCase(BuildRecordLine(contact));
  const bool kept = m_app.AppendDefaultLog(line);
  m_app.AppendLocalLog(contact);
  // The line stays in the grid when not even the default log took it, so
  // the operator can log it again.
  if (!kept) return;
  ClearLogLine();
  m_sioLog->SendContact(line);  // only when logging runs and its port is open
}
