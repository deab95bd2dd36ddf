#include "platform/ThreadPriority.h"

#include <cerrno>
#include <sys/resource.h>
#include <unistd.h>

namespace platform {

bool RaiseCurrentThreadPriority() {
  // On Linux a nice value set for a thread id applies to that thread only.
  errno = 0;
  const int processNice = getpriority(PRIO_PROCESS, 0);
  if (processNice == -1 && errno != 0) return false;
  return setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), processNice - 2) == 0;
}

}  // namespace platform
