#pragma once
// The requests to end the program that come from outside it (a logout,
// kill, Ctrl+C: SIGTERM, SIGHUP and SIGINT on POSIX; console close and
// session end on Windows), delivered to the main loop as a call.

#include <functional>
#include <memory>

namespace platform {

class EndSignalWatch {
 public:
  /// From now on the first end request runs onEnd once on the main thread,
  /// posted through the main-thread poster (platform/HandOver.h), and does
  /// nothing else, so the program can close the normal way; a further
  /// request ends the process at once. Watching() is false when the
  /// requests cannot be caught. One watch at a time; main thread.
  explicit EndSignalWatch(std::function<void()> onEnd);
  /// Stops watching: end requests act as they did before the watch.
  ~EndSignalWatch();
  EndSignalWatch(EndSignalWatch&&) noexcept;
  EndSignalWatch& operator=(EndSignalWatch&&) noexcept;
  EndSignalWatch(const EndSignalWatch&) = delete;
  EndSignalWatch& operator=(const EndSignalWatch&) = delete;

  bool Watching() const { return m_state != nullptr; }

 private:
  struct State;
  std::unique_ptr<State> m_state;
};

}  // namespace platform
