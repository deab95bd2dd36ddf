#include "platform/FileHandle.h"

#include <cerrno>
#include <unistd.h>

namespace platform {

bool FileHandle::Close() {
  if (!Valid()) return true;
  const int rc = ::close(m_handle);
  m_handle = kNoNativeHandle;
  // A close interrupted by a signal has still released the descriptor on
  // Linux; only a real error (a late write error on NFS, say) is reported.
  return rc == 0 || errno == EINTR;
}

}  // namespace platform
