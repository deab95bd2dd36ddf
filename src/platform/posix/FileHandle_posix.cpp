#include "platform/FileHandle.h"

#include <cerrno>
#include <unistd.h>

namespace platform {

bool FileHandle::Close() {
  if (m_fd < 0) return true;
  const int rc = ::close(m_fd);
  m_fd = -1;
  // A close interrupted by a signal has still released the descriptor on
  // Linux; only a real error (a late write error on NFS, say) is reported.
  return rc == 0 || errno == EINTR;
}

}  // namespace platform
