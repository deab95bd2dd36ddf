#pragma once
// The program's message filter and the main window's key preview.

#include <QEvent>
#include <QKeyEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

#include "mainform/TfmRCatMain.h"

/// Installed on the application object, so it acts for every window of the
/// program (the main window, its dialogs, a radio library's panels):
/// - Alt+Space is always consumed: it opens no menu and types nothing.
/// - With "Disable Alt-F4" checked, a close asked for while Alt is held down
///   (the window manager's Alt+F4) is refused.
/// - A minimised window is brought back at once.
/// For the main window's widgets it is also the key preview:
/// - Message keys act on release and are consumed, their presses too, so a
///   grid editor never sees ESC or F1 to F7.
/// - The menu's shortcuts win over a cell editor's own use of the same keys
///   (a line editor would take Ctrl+A as "select all").
class KeyPreviewFilter : public QObject {
 public:
  explicit KeyPreviewFilter(TfmRCatMain& window) : m_window(window) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::Close:
        if (!IsWindow(watched) || !m_window.RefusesAltF4Close()) return false;
        event->ignore();
        return true;
      case QEvent::WindowStateChange:
        if (IsWindow(watched)) KeepUnminimised(static_cast<QWidget*>(watched));
        return false;
      case QEvent::ShortcutOverride:
        // Not taken by the editor: the shortcut map then runs the menu item.
        if (!InMainWindow(watched) || !m_window.IsMenuShortcut(*static_cast<QKeyEvent*>(event))) return false;
        event->ignore();
        return true;
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
        return PreviewKey(watched, static_cast<QKeyEvent*>(event));
      default:
        return false;
    }
  }

 private:
  static bool IsWindow(QObject* watched) {
    auto* widget = qobject_cast<QWidget*>(watched);
    return widget && (widget->windowType() == Qt::Window || widget->windowType() == Qt::Dialog);
  }

  static void KeepUnminimised(QWidget* window) {
    if (!window->isMinimized()) return;
    QTimer::singleShot(0, window, [window] { window->setWindowState(window->windowState() & ~Qt::WindowMinimized); });
  }

  bool InMainWindow(QObject* watched) const {
    auto* widget = qobject_cast<QWidget*>(watched);
    return widget && widget->window() == &m_window;
  }

  bool PreviewKey(QObject* watched, QKeyEvent* key) {
    if (key->key() == Qt::Key_Space && (key->modifiers() & Qt::AltModifier)) return true;
    if (!InMainWindow(watched)) return false;
    const bool press = key->type() == QEvent::KeyPress;
    if (press) m_window.ClearNotice();
    // A menu shortcut whose item is disabled does nothing, in the editor too.
    if (press && m_window.IsMenuShortcut(*key)) return true;
    if (!TfmRCatMain::IsMessageKey(key->key())) return false;
    if (!press && !key->isAutoRepeat()) m_window.HandleKeyRelease(key->key());
    return true;
  }

  TfmRCatMain& m_window;
};
