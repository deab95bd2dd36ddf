#pragma once
// Notices when another program destroys a window of ours on X11 (a window
// manager's "destroy", xdotool windowclose): Qt then keeps a widget whose
// window is gone, and the program would run on, invisible.

#include <QAbstractNativeEventFilter>
#include <functional>

class QWidget;

class QtWindowGone : public QAbstractNativeEventFilter {
 public:
  /// Calls onGone on the event loop, once, when the window's X11 window is
  /// destroyed by someone else. Install with QCoreApplication::installNativeEventFilter.
  QtWindowGone(QWidget& window, std::function<void()> onGone);

  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

 private:
  QWidget& m_window;
  std::function<void()> m_onGone;
  bool m_gone = false;
};
