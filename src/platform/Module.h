#pragma once
// A loaded shared library (LoadLibraryA / GetProcAddress / FreeLibrary).
// The owner unloads it on destruction; it can be moved, not copied.

#include <string>

namespace platform {

class Module {
 public:
  Module() = default;
  ~Module() { Unload(); }
  Module(Module&& other) noexcept : m_handle(other.m_handle) { other.m_handle = nullptr; }
  Module& operator=(Module&& other) noexcept;
  Module(const Module&) = delete;
  Module& operator=(const Module&) = delete;

  /// Loads the library with every symbol bound now (a library that needs
  /// something the host lacks fails here). On failure the result is not
  /// loaded and error (if given) says why.
  static Module Load(const std::string& path, std::string* error = nullptr);

  bool IsLoaded() const { return m_handle != nullptr; }
  /// The address of an exported name, or nullptr.
  void* Symbol(const char* name) const;
  void Unload();

 private:
  void* m_handle = nullptr;
};

}  // namespace platform
