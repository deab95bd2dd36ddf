#pragma once
// Checks of the thread rule (platform/HandOver.h) where a test cannot always
// reach a break: work meant for the main thread must never run on another
// thread because nobody installed the way there, and no other thread may
// show a message box. Debug builds and the sanitizer builds the tests
// run in (TALVEX_THREAD_CHECKS) abort at the broken rule; a release build
// says so on standard error and leaves the work undone.

namespace platform {

#if !defined(NDEBUG) || defined(TALVEX_THREAD_CHECKS)
inline constexpr bool kThreadChecks = true;
#else
inline constexpr bool kThreadChecks = false;
#endif

/// Reports a broken threading rule ("Talvex: <text>" on standard error);
/// aborts where kThreadChecks is on, else returns.
void ThreadRuleBroken(const char* text);

}  // namespace platform
