#include "platform/SystemError.h"

#include <cerrno>
#include <cstring>

namespace platform {

int LastSystemError() { return errno; }

std::string SystemErrorText(int code) {
  char buffer[256] = {};
  // The GNU strerror_r returns the text, which may or may not be the buffer.
  return ::strerror_r(code, buffer, sizeof buffer);
}

std::string WithSystemError(const std::string& context, int code) {
  if (code == 0) return context;
  return context + ": " + SystemErrorText(code);
}

}  // namespace platform
