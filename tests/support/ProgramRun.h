#pragma once
// Runs the real talvex executable as a child process with extra environment
// variables, its standard error captured to a file.

#include <string>
#include <sys/types.h>
#include <vector>

class ProgramRun {
 public:
  /// Starts the program; stderr goes to stderrFile.
  ProgramRun(const std::string& program, const std::vector<std::string>& env,
             const std::string& stderrFile);
  ~ProgramRun();  // kills the child by its process id if it still runs

  /// Waits up to timeoutMs; true with the exit code when it ended.
  bool Wait(int timeoutMs, int* exitCode);
  void Kill();
  pid_t Pid() const { return m_pid; }

 private:
  pid_t m_pid = -1;
};

/// Polls until the file contains the text or timeoutMs passes.
bool WaitForText(const std::string& file, const std::string& text, int timeoutMs);
