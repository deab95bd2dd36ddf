#pragma once
// The signals that ask a program to end (a logout, kill, Ctrl+C), turned
// into something an event loop can wait for.

namespace platform {

/// From now on the first SIGTERM, SIGINT or SIGHUP makes the returned file
/// descriptor readable (one byte per signal) and does nothing else, so the
/// event loop that watches it can close the program the normal way; a
/// further signal ends the process at once. Returns -1 when the signals
/// cannot be caught. Call once, on the main thread.
int WatchEndSignals();

}  // namespace platform
