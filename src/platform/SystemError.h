#pragma once
// The system's error codes as the user reads them.

#include <string>

namespace platform {

/// The code of the last failed system call on this thread (errno here).
int LastSystemError();

/// The system's text for an error code ("No space left on device").
std::string SystemErrorText(int code);

/// "<context>: <reason>" — for a message that names what failed, for
/// example "Could not write the log file /x/y.txt: Permission denied".
/// A code of 0 leaves the context alone.
std::string WithSystemError(const std::string& context, int code);

}  // namespace platform
