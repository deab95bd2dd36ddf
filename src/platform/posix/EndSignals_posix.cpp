#include "platform/EndSignals.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <memory>
#include <thread>
#include <unistd.h>

#include "platform/FileHandle.h"
#include "platform/HandOver.h"

namespace platform {
namespace {

constexpr int kEndSignals[] = {SIGTERM, SIGINT, SIGHUP};
constexpr int kSignalCount = sizeof kEndSignals / sizeof kEndSignals[0];
// What the watch's own end writes into the pipe; no signal has number 0.
constexpr char kStopByte = 0;

std::atomic<int> g_writeEnd{-1};
volatile std::sig_atomic_t g_signals = 0;

static_assert(std::atomic<int>::is_always_lock_free, "read from a signal handler");

// Only async-signal-safe calls here: a write to the pipe, or _exit.
void OnEndSignal(int signal) {
  const std::sig_atomic_t earlier = g_signals;
  g_signals = earlier + 1;
  if (earlier > 0) _exit(128 + signal);
  const char byte = static_cast<char>(signal);
  [[maybe_unused]] const ssize_t written = write(g_writeEnd.load(), &byte, 1);
}

}  // namespace

struct EndSignalWatch::State {
  FileHandle readEnd, writeEnd;
  struct sigaction previous[kSignalCount] = {};
  int installed = 0;
  // The posted call runs onEnd only while the watch still holds it.
  std::shared_ptr<std::function<void()>> onEnd;
  std::thread reader;

  ~State() {
    RestoreSignals();
    if (!reader.joinable()) return;
    const char stop = kStopByte;
    [[maybe_unused]] const ssize_t written = write(writeEnd.Get(), &stop, 1);
    reader.join();
  }

  void RestoreSignals() {
    while (installed > 0) {
      --installed;
      sigaction(kEndSignals[installed], &previous[installed], nullptr);
    }
    g_writeEnd = -1;
  }
};

EndSignalWatch::EndSignalWatch(std::function<void()> onEnd) {
  int ends[2];
  if (pipe2(ends, O_CLOEXEC) != 0) return;
  auto state = std::make_unique<State>();
  state->readEnd = FileHandle(ends[0]);
  state->writeEnd = FileHandle(ends[1]);
  // A handler must never block on a full pipe; the reader blocks on its end.
  if (fcntl(ends[1], F_SETFL, O_NONBLOCK) != 0) return;
  state->onEnd = std::make_shared<std::function<void()>>(std::move(onEnd));

  g_signals = 0;
  g_writeEnd = ends[1];
  struct sigaction action {};
  action.sa_handler = OnEndSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signal : kEndSignals) {
    if (sigaction(signal, &action, &state->previous[state->installed]) != 0) return;
    ++state->installed;
  }

  std::weak_ptr<std::function<void()>> target = state->onEnd;
  // The reader stays until the watch ends it: only the first request ever
  // reaches the pipe (the handler ends the process at the second).
  state->reader = std::thread([fd = ends[0], target] {
    for (;;) {
      char byte = kStopByte;
      const ssize_t n = read(fd, &byte, 1);
      if (n < 0 && errno == EINTR) continue;
      if (n != 1 || byte == kStopByte) return;
      PostToMainThread([target] {
        if (const auto onEnd = target.lock()) (*onEnd)();
      });
    }
  });
  m_state = std::move(state);
}

EndSignalWatch::~EndSignalWatch() = default;

EndSignalWatch::EndSignalWatch(EndSignalWatch&&) noexcept = default;
EndSignalWatch& EndSignalWatch::operator=(EndSignalWatch&&) noexcept = default;

}  // namespace platform
