#include "platform/Synchronize.h"

#include <mutex>

#include "platform/ThreadChecks.h"

namespace platform {
namespace {
std::mutex g_runnerMutex;
MainThreadRunner g_runner;
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
  if (!runner) {
    ThreadRuleBroken("Synchronize without a main-thread runner (platform::SetMainThreadRunner); "
                     "the call is dropped");
    return;
  }
  runner(fn);
}

}  // namespace platform
