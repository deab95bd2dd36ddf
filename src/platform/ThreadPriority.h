#pragma once
// Thread priorities where the system lets a program choose them.

namespace platform {

/// Raises the calling thread's scheduling priority a little above normal
/// where the system allows it, never to real-time scheduling, so a thread
/// that only polls can never starve the windows. On Linux the thread's nice
/// value goes 2 below the process's (as far as RLIMIT_NICE or CAP_SYS_NICE
/// allow); without that right it stays as it is. Answers whether it rose.
bool RaiseCurrentThreadPriority();

}  // namespace platform
