#include "platform/Synchronize.h"

#include <mutex>

namespace platform {
namespace {
std::mutex g_runnerMutex;
MainThreadRunner g_runner;
std::recursive_mutex g_plainMutex;
}  // namespace

void SetMainThreadRunner(MainThreadRunner runner) {
  std::lock_guard lock(g_runnerMutex);
  g_runner = std::move(runner);
}

void Synchronize(const std::function<void()>& fn) {
  MainThreadRunner runner;
  {
    std::lock_guard lock(g_runnerMutex);
    runner = g_runner;
  }
  if (runner) {
    runner(fn);
    return;
  }
  std::lock_guard lock(g_plainMutex);
  fn();
}

}  // namespace platform
