#pragma once
// The main-thread hand-over: Synchronize runs a function on the main thread
// and returns when it has run. The GUI installs a runner that posts to the
// event loop; without one (core tests) the function runs at once on the
// calling thread, one call at a time.

#include <functional>

namespace platform {

using MainThreadRunner = std::function<void(const std::function<void()>&)>;

/// Installs the runner; an empty runner restores the plain one.
void SetMainThreadRunner(MainThreadRunner runner);

/// Runs fn on the main thread and waits for it.
void Synchronize(const std::function<void()>& fn);

}  // namespace platform
