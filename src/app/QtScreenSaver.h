#pragma once
// Keeps the desktop's screen saver away while the operator wants it so:
// the session's org.freedesktop.ScreenSaver service over D-Bus, asked to
// inhibit and to let go. Where the session has no such service (no session
// bus, a bare X server) it does nothing and says nothing.

#include <QString>
#include <cstdint>
#include <optional>

class QtScreenSaver {
 public:
  QtScreenSaver() = default;
  ~QtScreenSaver() { Inhibit(false); }
  QtScreenSaver(const QtScreenSaver&) = delete;
  QtScreenSaver& operator=(const QtScreenSaver&) = delete;

  /// Inhibits the screen saver (on) or lets it go (off); answers whether
  /// the session's screen saver now does as asked (false without one).
  bool Inhibit(bool on);
  bool Inhibited() const { return m_cookie.has_value(); }

 private:
  std::optional<std::uint32_t> m_cookie;
};
