#pragma once
// A program directory of a test's own: a fresh temporary folder with the
// Devices, Documents and Logs subfolders, removed afterwards. While it
// lives, the program path points at a (non-existent) executable inside it.

#include <string>

class TempProgramDir {
 public:
  TempProgramDir();
  ~TempProgramDir();
  TempProgramDir(const TempProgramDir&) = delete;
  TempProgramDir& operator=(const TempProgramDir&) = delete;

  /// The folder, with a trailing separator.
  const std::string& Dir() const { return m_dir; }
  std::string Path(const std::string& relative) const { return m_dir + relative; }
  /// Writes a file (binary, exactly the text) relative to the folder.
  void Write(const std::string& relative, const std::string& text) const;
  /// Reads a whole file, empty when missing.
  std::string Read(const std::string& relative) const;
  bool Exists(const std::string& relative) const;

 private:
  std::string m_dir;
};

/// Reads a whole file by absolute path; empty when missing.
std::string ReadWholeFile(const std::string& path);
