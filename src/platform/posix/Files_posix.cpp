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

// A new name in a folder is only durable once the folder is on the disk too.
void SyncDirectory(const std::string& dir) {
  FileHandle fd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.Valid()) ::fsync(fd.Get());
}

}  // namespace

bool ReadFileText(const std::string& path, std::string& text, int* error) {
  text.clear();
  FileHandle fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (!fd.Valid()) return Fail(error, errno);
  struct stat info {};
  if (::fstat(fd.Get(), &info) != 0) return Fail(error, errno);
  if (S_ISDIR(info.st_mode)) return Fail(error, EISDIR);
  // One read of the whole file where its size is known; then whatever it
  // grew by meanwhile (or everything, for a file without a size).
  if (info.st_size > 0) text.reserve(static_cast<std::size_t>(info.st_size));
  char buffer[1 << 16];
  for (;;) {
    const ssize_t n = ::read(fd.Get(), buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      const int code = errno;
      text.clear();
      return Fail(error, code);
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
  FileHandle fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, mode));
  if (!fd.Valid()) return Fail(error, errno);
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
  FileHandle fd(::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC));
  if (!fd.Valid() && errno == ENOENT) {
    fd = FileHandle(::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
    created = fd.Valid();
    if (!fd.Valid() && errno == EEXIST) fd = FileHandle(::open(path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC));
  }
  if (!fd.Valid()) return Fail(error, errno);
  struct stat before {};
  if (::fstat(fd.Get(), &before) != 0) return Fail(error, errno);
  if (S_ISDIR(before.st_mode)) return Fail(error, EISDIR);
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

}  // namespace platform
