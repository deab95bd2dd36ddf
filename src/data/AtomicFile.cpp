#include "data/AtomicFile.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Owns one file descriptor.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : m_fd(fd) {}
  ~FileDescriptor() { Close(); }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;

  int get() const { return m_fd; }
  bool valid() const { return m_fd >= 0; }
  /// Closes now; false when the close reports an error (a late write error).
  bool Close() {
    if (m_fd < 0) return true;
    const int rc = ::close(m_fd);
    m_fd = -1;
    return rc == 0;
  }

 private:
  int m_fd;
};

bool WriteAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t n = ::write(fd, text.data(), text.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    text.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

std::string DirectoryOf(const std::string& path) {
  const auto cut = path.rfind('/');
  if (cut == std::string::npos) return ".";
  return cut == 0 ? "/" : path.substr(0, cut);
}

// The rename is only durable once the folder's entry is on the disk too.
void SyncDirectory(const std::string& dir) {
  FileDescriptor fd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.valid()) ::fsync(fd.get());
}

}  // namespace

bool WriteFileAtomically(const std::string& path, std::string_view text) {
  if (path.empty()) return false;
  std::string temp = path + ".XXXXXX";
  FileDescriptor fd(::mkstemp(temp.data()));
  if (!fd.valid()) return false;
  // mkstemp creates the file for its owner only: keep the old file's mode,
  // or make an ordinary file of the user's.
  struct stat old {};
  ::fchmod(fd.get(), ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644);
  const bool written = WriteAll(fd.get(), text) && ::fsync(fd.get()) == 0;
  if (!fd.Close() || !written || ::rename(temp.c_str(), path.c_str()) != 0) {
    ::unlink(temp.c_str());
    return false;
  }
  SyncDirectory(DirectoryOf(path));
  return true;
}

bool AppendFileDurably(const std::string& path, std::string_view text) {
  if (path.empty()) return false;
  FileDescriptor fd(::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644));
  if (!fd.valid()) return false;
  const bool written = WriteAll(fd.get(), text) && ::fdatasync(fd.get()) == 0;
  return fd.Close() && written;
}
