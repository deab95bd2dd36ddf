#include "platform/Files.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/FileHandle.h"

namespace platform {
namespace {

// Answers false and keeps the code of the call that just failed.
bool Fail(int* error, int code) {
  if (error) *error = code;
  return false;
}

bool Succeed(int* error) {
  if (error) *error = 0;
  return true;
}

// Writes all of text; false (errno set) on an error. A short write is
// retried, so a second short write reports why it stopped.
bool WriteAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t n = ::write(fd, text.data(), text.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (n == 0) {
      errno = EIO;
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

// Refuses what is not an ordinary file (a device too, unless allowed);
// true for what is taken.
bool IsOrdinaryFile(int fd, int* error, struct stat* info = nullptr, bool allowDevice = false) {
  struct stat local {};
  struct stat& st = info ? *info : local;
  if (::fstat(fd, &st) != 0) return Fail(error, errno);
  if (S_ISDIR(st.st_mode)) return Fail(error, EISDIR);
  if (!S_ISREG(st.st_mode) && !(allowDevice && S_ISCHR(st.st_mode))) return Fail(error, EINVAL);
  return true;
}

// A new name in a folder is only durable once the folder is on the disk too.
void SyncDirectory(const std::string& dir) {
  FileHandle fd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.Valid()) ::fsync(fd.Get());
}

}  // namespace

FileHandle OpenFileForReading(const std::string& path, int* error) {
  // Without O_NONBLOCK the open of a FIFO waits for a writer that may never come.
  FileHandle fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (!fd.Valid()) {
    Fail(error, errno);
    return fd;
  }
  if (!IsOrdinaryFile(fd.Get(), error)) return FileHandle();
  Succeed(error);
  return fd;
}

long ReadFromFile(const FileHandle& file, char* buffer, std::size_t size, int* error) {
  for (;;) {
    const ssize_t n = ::read(file.Get(), buffer, size);
    if (n >= 0) return static_cast<long>(n);
    if (errno != EINTR) {
      Fail(error, errno);
      return -1;
    }
  }
}

bool ReadFileText(const std::string& path, std::string& text, int* error) {
  text.clear();
  FileHandle fd = OpenFileForReading(path, error);
  if (!fd.Valid()) return false;
  // One read of the whole file where its size is known; then whatever it
  // grew by meanwhile.
  struct stat info {};
  if (::fstat(fd.Get(), &info) == 0 && info.st_size > 0)
    text.reserve(static_cast<std::size_t>(info.st_size));
  char buffer[1 << 16];
  for (;;) {
    const long n = ReadFromFile(fd, buffer, sizeof buffer, error);
    if (n < 0) {
      text.clear();
      return false;
    }
    if (n == 0) break;
    text.append(buffer, static_cast<std::size_t>(n));
  }
  return Succeed(error);
}

std::string TemporaryFileOf(const std::string& path) { return path + ".tmp"; }

bool WriteFileAtomically(const std::string& path, std::string_view text, int* error) {
  if (path.empty()) return Fail(error, ENOENT);
  const std::string temp = TemporaryFileOf(path);
  // Keep the old file's mode, or make an ordinary file of the user's.
  struct stat old {};
  const mode_t mode = ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
  FileHandle fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, mode));
  if (!fd.Valid()) return Fail(error, errno == ENXIO ? EINVAL : errno);
  if (!IsOrdinaryFile(fd.Get(), error)) return false;
  ::fchmod(fd.Get(), mode);  // an old temporary file keeps its own mode otherwise
  int code = 0;
  if (!WriteAll(fd.Get(), text) || ::fsync(fd.Get()) != 0) code = errno;
  if (!fd.Close() && code == 0) code = errno ? errno : EIO;
  if (code == 0 && ::rename(temp.c_str(), path.c_str()) != 0) code = errno;
  if (code != 0) {
    ::unlink(temp.c_str());
    return Fail(error, code);
  }
  SyncDirectory(DirectoryOf(path));
  return Succeed(error);
}

bool AppendFileDurably(const std::string& path, std::string_view text, int* error) {
  if (path.empty()) return Fail(error, ENOENT);
  bool created = false;
  // O_NONBLOCK: a FIFO in the log's place must not hold the caller until a
  // reader comes (it is refused below, or at once when it has no reader).
  constexpr int kAppend = O_WRONLY | O_APPEND | O_NONBLOCK | O_CLOEXEC;
  FileHandle fd(::open(path.c_str(), kAppend));
  if (!fd.Valid() && errno == ENOENT) {
    fd = FileHandle(::open(path.c_str(), kAppend | O_CREAT | O_EXCL, 0644));
    created = fd.Valid();
    if (!fd.Valid() && errno == EEXIST) fd = FileHandle(::open(path.c_str(), kAppend));
  }
  // ENXIO: a FIFO without a reader, or a device without its hardware.
  if (!fd.Valid()) return Fail(error, errno == ENXIO ? EINVAL : errno);
  struct stat before {};
  if (!IsOrdinaryFile(fd.Get(), error, &before, /*allowDevice=*/true)) return false;
  if (!WriteAll(fd.Get(), text) || ::fdatasync(fd.Get()) != 0) {
    const int code = errno;
    if (created) {
      ::unlink(path.c_str());
    } else if (S_ISREG(before.st_mode) && ::ftruncate(fd.Get(), before.st_size) == 0) {
      ::fdatasync(fd.Get());
    }
    return Fail(error, code);
  }
  if (!fd.Close()) return Fail(error, errno ? errno : EIO);
  if (created) SyncDirectory(DirectoryOf(path));
  return Succeed(error);
}

bool CanWriteFolder(const std::string& dir) {
  if (dir.empty()) return false;
  std::string probe = dir;
  if (probe.back() != '/') probe += '/';
  probe += ".talvex-write-probe-" + std::to_string(::getpid());
  FileHandle fd(::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
  if (!fd.Valid()) return false;
  ::unlink(probe.c_str());
  return true;
}

}  // namespace platform
