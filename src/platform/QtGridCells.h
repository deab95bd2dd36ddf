#pragma once
// What the program's one-line logging grid and the radio panel's attached
// grid draw alike, and how a cell editor takes back its cell's text. Header
// only, so a radio library that shows the attached grid needs Qt alone.

#include <QLineEdit>
#include <QModelIndex>
#include <QPainter>
#include <QStyleOptionViewItem>

namespace platform {

/// A cell of a logging grid: headings and fixed cells on the button colour,
/// the text right-aligned; a cell's text wider than its cell is elided
/// within the cell, never drawn over its neighbours (the headings keep their
/// whole text); the current cell is outlined.
inline void PaintLogGridCell(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index,
                             bool fixed) {
  painter->save();
  painter->fillRect(option.rect, fixed ? option.palette.color(QPalette::Button) : QColor(Qt::white));
  painter->setPen(Qt::black);
  painter->setFont(option.font);
  const QRect r = option.rect;
  QString text = index.data(Qt::DisplayRole).toString();
  if (index.row() > 0) {
    text = option.fontMetrics.elidedText(text, Qt::ElideRight, r.width() - 4);
    painter->setClipRect(r);
  }
  const int width = option.fontMetrics.horizontalAdvance(text);
  painter->drawText(QPoint(r.right() + 1 - width - 2, r.top() + 2 + option.fontMetrics.ascent()), text);
  if (index.row() > 0 && (option.state & QStyle::State_HasFocus)) {
    painter->setPen(QPen(option.palette.color(QPalette::Highlight), 1));
    painter->drawRect(r.adjusted(0, 0, -1, -1));
  }
  painter->restore();
}

/// Each keystroke is written back into the cell: the editor (and its
/// cursor) is left alone when it already shows the cell's text.
inline void SetEditorTextKeepingCursor(QWidget* editor, const QModelIndex& index) {
  auto* line = static_cast<QLineEdit*>(editor);
  const QString text = index.data(Qt::EditRole).toString();
  if (line->text() != text) line->setText(text);
}

}  // namespace platform
