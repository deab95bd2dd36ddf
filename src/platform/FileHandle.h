#pragma once
// The owner of one operating-system file handle. Movable, not copyable; the
// destructor closes what it still owns.

namespace platform {

/// The system's own handle of an open file or device: a file descriptor on
/// POSIX, a HANDLE on Windows. Only the platform's own half looks inside.
#ifdef _WIN32
using NativeHandle = void*;
inline NativeHandle const kNoNativeHandle = reinterpret_cast<NativeHandle>(-1);  // INVALID_HANDLE_VALUE
#else
using NativeHandle = int;
inline constexpr NativeHandle kNoNativeHandle = -1;
#endif

class FileHandle {
 public:
  FileHandle() = default;
  /// Takes ownership of handle; kNoNativeHandle means "no handle".
  explicit FileHandle(NativeHandle handle) : m_handle(handle) {}
  ~FileHandle() { Close(); }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  FileHandle(FileHandle&& other) noexcept : m_handle(other.Release()) {}
  FileHandle& operator=(FileHandle&& other) noexcept {
    if (this != &other) {
      Close();
      m_handle = other.Release();
    }
    return *this;
  }

  NativeHandle Get() const { return m_handle; }
  bool Valid() const { return m_handle != kNoNativeHandle; }
  /// Gives the handle up without closing it.
  NativeHandle Release() {
    const NativeHandle handle = m_handle;
    m_handle = kNoNativeHandle;
    return handle;
  }
  /// Closes now. False when the close reports an error (a late write error);
  /// the handle is gone either way.
  bool Close();

 private:
  NativeHandle m_handle = kNoNativeHandle;
};

}  // namespace platform
