#include "platform/WindowGone.h"

#include <QAbstractNativeEventFilter>
#include <QByteArray>
#include <QCoreApplication>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <cstring>

namespace platform {
namespace {
// The X11 DestroyNotify event: its code, and where it names the window
// (xcb_destroy_notify_event_t: type, pad, sequence, event, window).
constexpr std::uint8_t kDestroyNotify = 17;
constexpr std::size_t kWindowOffset = 8;
}  // namespace

class WindowGoneWatch::Filter : public QAbstractNativeEventFilter {
 public:
  Filter(QWidget& window, std::function<void()> onGone) : m_window(window), m_onGone(std::move(onGone)) {}

  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override {
    if (m_gone || eventType != "xcb_generic_event_t" || !message) return false;
    const auto* bytes = static_cast<const std::uint8_t*>(message);
    if ((bytes[0] & 0x7f) != kDestroyNotify) return false;
    std::uint32_t window = 0;
    std::memcpy(&window, bytes + kWindowOffset, sizeof window);
    // Our own destruction of the window (at exit) comes with the widget
    // already hidden.
    if (!m_window.isVisible() || window != static_cast<std::uint32_t>(m_window.internalWinId())) return false;
    m_gone = true;
    QTimer::singleShot(0, &m_window, m_onGone);
    return false;
  }

 private:
  QWidget& m_window;
  std::function<void()> m_onGone;
  bool m_gone = false;
};

WindowGoneWatch::WindowGoneWatch(QWidget& window, std::function<void()> onGone)
    : m_filter(std::make_unique<Filter>(window, std::move(onGone))) {
  QCoreApplication::instance()->installNativeEventFilter(m_filter.get());
}

WindowGoneWatch::~WindowGoneWatch() {
  if (QCoreApplication* app = QCoreApplication::instance()) app->removeNativeEventFilter(m_filter.get());
}

}  // namespace platform
