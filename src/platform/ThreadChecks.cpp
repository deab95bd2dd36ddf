#include "platform/ThreadChecks.h"

#include <cstdio>
#include <cstdlib>

namespace platform {

void ThreadRuleBroken(const char* text) {
  std::fprintf(stderr, "Talvex: %s\n", text);
  std::fflush(stderr);
  if constexpr (kThreadChecks) std::abort();
}

}  // namespace platform
