#pragma once
// The system's error codes as the user reads them, and the few kinds of
// failure the program tells apart. A code is the platform's own number (the
// one its texts are for); only this pair knows which number means what.

#include <string>

namespace platform {

/// The failures the program reacts to; every other code is Other.
enum class SystemErrorKind {
  None,      // 0: no failure, or none the system gave a code for
  NotFound,  // no such file, device or folder
  Busy,      // held by someone else (a serial port)
  TimedOut,  // the time allowed passed with work undone
  IsFolder,  // a folder where a file was wanted
  Refused,   // what the call does not take: a FIFO or socket for a file,
             // line settings a device would not take
  Io,        // the device failed or hung up
  Other,
};

/// The code of the last failed system call on this thread.
int LastSystemError();

/// The kind of a code.
SystemErrorKind KindOfSystemError(int code);

/// The platform's code of a kind, for failures the program finds itself
/// (an empty device name is NotFound). 0 for None; for Other, some code of
/// that kind.
int SystemErrorOf(SystemErrorKind kind);

/// The system's text for an error code ("No space left on device").
std::string SystemErrorText(int code);

/// "<context>: <reason>" — for a message that names what failed, for
/// example "Could not write the log file /x/y.txt: Permission denied".
/// A code of 0 leaves the context alone.
std::string WithSystemError(const std::string& context, int code);

}  // namespace platform
