#pragma once
// Keeps the desktop's screen saver away while the operator wants it so (on
// Linux the session's org.freedesktop.ScreenSaver service over D-Bus). Where
// the session has no such service (no session bus, a bare X server) it does
// nothing and says nothing. Part of the GUI library; main thread.

#include <cstdint>
#include <optional>

namespace platform {

class ScreenSaver {
 public:
  ScreenSaver() = default;
  /// Lets the screen saver go if this object holds it off.
  ~ScreenSaver() { Inhibit(false); }
  ScreenSaver(const ScreenSaver&) = delete;
  ScreenSaver& operator=(const ScreenSaver&) = delete;

  /// Inhibits the screen saver (on) or lets it go (off); answers whether
  /// the session's screen saver now does as asked (false without one).
  bool Inhibit(bool on);
  bool Inhibited() const { return m_inhibition.has_value(); }

 private:
  /// The session's token for the inhibition while it holds.
  std::optional<std::uint32_t> m_inhibition;
};

}  // namespace platform
