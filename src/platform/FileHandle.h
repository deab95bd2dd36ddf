#pragma once
// The owner of one operating-system file handle (a file descriptor here).
// Movable, not copyable; the destructor closes what it still owns.

namespace platform {

class FileHandle {
 public:
  FileHandle() = default;
  /// Takes ownership of fd; a negative fd means "no handle".
  explicit FileHandle(int fd) : m_fd(fd) {}
  ~FileHandle() { Close(); }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  FileHandle(FileHandle&& other) noexcept : m_fd(other.Release()) {}
  FileHandle& operator=(FileHandle&& other) noexcept {
    if (this != &other) {
      Close();
      m_fd = other.Release();
    }
    return *this;
  }

  int Get() const { return m_fd; }
  bool Valid() const { return m_fd >= 0; }
  /// Gives the handle up without closing it.
  int Release() {
    const int fd = m_fd;
    m_fd = -1;
    return fd;
  }
  /// Closes now. False when the close reports an error (a late write error);
  /// the handle is gone either way.
  bool Close();

 private:
  int m_fd = -1;
};

}  // namespace platform
