#include "platform/SystemError.h"

#include <cerrno>
#include <cstring>

namespace platform {
namespace {

// errno for each kind the program tells apart.
struct KindCode {
  SystemErrorKind kind;
  int code;
};
constexpr KindCode kKindCodes[] = {
    {SystemErrorKind::NotFound, ENOENT}, {SystemErrorKind::Busy, EBUSY},
    {SystemErrorKind::TimedOut, ETIMEDOUT}, {SystemErrorKind::IsFolder, EISDIR},
    {SystemErrorKind::Refused, EINVAL}, {SystemErrorKind::Io, EIO},
};

}  // namespace

int LastSystemError() { return errno; }

SystemErrorKind KindOfSystemError(int code) {
  if (code == 0) return SystemErrorKind::None;
  for (const KindCode& entry : kKindCodes)
    if (entry.code == code) return entry.kind;
  return SystemErrorKind::Other;
}

int SystemErrorOf(SystemErrorKind kind) {
  if (kind == SystemErrorKind::None) return 0;
  for (const KindCode& entry : kKindCodes)
    if (entry.kind == kind) return entry.code;
  return EPERM;
}

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
