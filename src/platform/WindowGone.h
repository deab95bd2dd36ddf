#pragma once
// Notices when another program destroys a window of ours (on X11 a window
// manager's "destroy", xdotool windowclose): Qt then keeps a widget whose
// window is gone, and the program would run on, invisible. Part of the GUI
// library.

#include <functional>
#include <memory>

class QWidget;

namespace platform {

class WindowGoneWatch {
 public:
  /// Calls onGone on the event loop, once, when the window's native window
  /// is destroyed by someone else while the widget is shown. Watches from
  /// now until destroyed; a QApplication must exist. Main thread.
  WindowGoneWatch(QWidget& window, std::function<void()> onGone);
  ~WindowGoneWatch();
  WindowGoneWatch(const WindowGoneWatch&) = delete;
  WindowGoneWatch& operator=(const WindowGoneWatch&) = delete;

 private:
  class Filter;
  std::unique_ptr<Filter> m_filter;
};

}  // namespace platform
