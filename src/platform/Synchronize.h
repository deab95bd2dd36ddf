#pragma once
// The main-thread hand-over: Synchronize runs a function on the main thread
// and returns when it has run. The GUI installs a runner that posts to the
// event loop, core tests one of their own. There is no default: without a
// runner the function does not run on the calling thread in its place (a
// broken rule, platform/ThreadChecks.h). Unlike HandOverGate it cannot be
// called off, so no thread that the main thread waits for may use it.

#include <functional>

namespace platform {

using MainThreadRunner = std::function<void(const std::function<void()>&)>;

/// Installs the runner; an empty runner removes it.
void SetMainThreadRunner(MainThreadRunner runner);

/// Runs fn on the main thread and waits for it. Without a runner, fn does
/// not run (and where the thread rules are checked, the program aborts).
void Synchronize(const std::function<void()>& fn);

}  // namespace platform
