#pragma once
// Small helpers the panel windows build their widgets with. Main thread only.

#include <QAbstractButton>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <cstdint>
#include <string>

namespace radiopanel::widgets {

inline QString Q(const std::string& text) { return QString::fromStdString(text); }

/// "14.025" for 14025000 Hz.
inline QString Mhz(std::int64_t hz) { return QString::number(static_cast<double>(hz) / 1e6, 'f', 3); }

/// A push button that leaves the keyboard focus where it is.
inline QPushButton* Button(const char* name, const QString& text, bool checkable = false) {
  auto* b = new QPushButton(text);
  b->setObjectName(QString::fromLatin1(name));
  b->setCheckable(checkable);
  b->setFocusPolicy(Qt::NoFocus);
  return b;
}

/// A small bold caption.
inline QLabel* Caption(const QString& text) {
  auto* l = new QLabel(text);
  QFont f = l->font();
  f.setBold(true);
  f.setPixelSize(11);
  l->setFont(f);
  return l;
}

/// Checks a button without its signal: the radio's state, not the operator.
inline void SetChecked(QAbstractButton* b, bool on) {
  if (b->isChecked() == on) return;
  QSignalBlocker block(b);
  b->setChecked(on);
}

/// Sets a box from the radio's state, unless the operator is in it.
inline void SetSpin(QSpinBox* s, int value) {
  if (s->hasFocus() || s->value() == value) return;
  QSignalBlocker block(s);
  s->setValue(value);
}

}  // namespace radiopanel::widgets
