#include "platform/EndSignals.h"

#include <csignal>
#include <initializer_list>
#include <fcntl.h>
#include <unistd.h>

namespace platform {
namespace {

int g_writeEnd = -1;
volatile std::sig_atomic_t g_signals = 0;

// Only async-signal-safe calls here: a write to the pipe, or _exit.
void OnEndSignal(int signal) {
  if (g_signals++ > 0) _exit(128 + signal);
  const char byte = static_cast<char>(signal);
  [[maybe_unused]] const ssize_t written = write(g_writeEnd, &byte, 1);
}

}  // namespace

int WatchEndSignals() {
  int ends[2];
  if (pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) return -1;
  g_writeEnd = ends[1];
  struct sigaction action {};
  action.sa_handler = OnEndSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int signal : {SIGTERM, SIGINT, SIGHUP})
    if (sigaction(signal, &action, nullptr) != 0) return -1;
  return ends[0];
}

}  // namespace platform
