// The system clock and file times of platform/DateTime.h.

#include <chrono>
#include <ctime>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/DateTime.h"

namespace platform {
namespace {

double FromTm(const std::tm& t, int ms) {
  return EncodeDateTime(t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min,
                        t.tm_sec, ms);
}

// Now, broken down in UTC or local time.
double Now(bool local) {
  const auto now = std::chrono::system_clock::now();
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count();
  const std::time_t secs = static_cast<std::time_t>(ms / 1000);
  std::tm t{};
  if (local) localtime_r(&secs, &t);
  else gmtime_r(&secs, &t);
  return FromTm(t, static_cast<int>(ms % 1000));
}

}  // namespace

double UtcClock() { return Now(false); }

double LocalClock() { return Now(true); }

double FileModificationTime(const std::string& path) {
  if (path.empty() || access(path.c_str(), R_OK) != 0) return 0;
  struct stat st {};
  if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return 0;
  std::tm t{};
  localtime_r(&st.st_mtime, &t);
  return FromTm(t, 0);
}

}  // namespace platform
