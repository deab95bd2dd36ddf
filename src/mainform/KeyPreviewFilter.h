#pragma once
// The main window's key preview.

#include <QEvent>
#include <QKeyEvent>
#include <QObject>
#include <QWidget>

#include "mainform/TfmRCatMain.h"

/// The window's key preview: sees every key meant for a widget of the main
/// window before that widget does. Message keys act on release and are
/// consumed, their presses too, so a grid editor never sees ESC or F1 to F7.
/// Alt+Space is always consumed: it opens no menu of the window.
class KeyPreviewFilter : public QObject {
 public:
  explicit KeyPreviewFilter(TfmRCatMain& window) : m_window(window) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    const auto type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != &m_window) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Space && (key->modifiers() & Qt::AltModifier)) return true;
    if (type == QEvent::KeyPress) m_window.ClearNotice();
    if (!TfmRCatMain::IsMessageKey(key->key())) return false;
    if (type == QEvent::KeyRelease && !key->isAutoRepeat()) m_window.HandleKeyRelease(key->key());
    return true;
  }

 private:
  TfmRCatMain& m_window;
};
