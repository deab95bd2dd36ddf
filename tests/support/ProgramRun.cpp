#include "ProgramRun.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "TempProgramDir.h"

extern char** environ;

ProgramRun::ProgramRun(const std::string& program, const std::vector<std::string>& env,
                       const std::string& stderrFile) {
  std::vector<std::string> envText;
  // The given variables replace inherited ones of the same name.
  auto nameOf = [](const std::string& e) { return e.substr(0, e.find('=')); };
  for (char** e = environ; *e; ++e) {
    bool replaced = false;
    for (const auto& mine : env) replaced = replaced || nameOf(mine) == nameOf(*e);
    if (!replaced) envText.emplace_back(*e);
  }
  for (const auto& e : env) envText.push_back(e);
  std::vector<char*> envp;
  for (auto& e : envText) envp.push_back(e.data());
  envp.push_back(nullptr);
  std::string prog = program;
  char* argv[] = {prog.data(), nullptr};

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 2, stderrFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  int rc = posix_spawn(&m_pid, program.c_str(), &actions, nullptr, argv, envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) throw std::runtime_error("cannot start " + program);
}

ProgramRun::~ProgramRun() { Kill(); }

bool ProgramRun::Wait(int timeoutMs, int* exitCode) {
  if (m_pid <= 0) return false;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (true) {
    int status = 0;
    pid_t r = waitpid(m_pid, &status, WNOHANG);
    if (r == m_pid) {
      m_pid = -1;
      if (exitCode) *exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      return true;
    }
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

void ProgramRun::Kill() {
  if (m_pid <= 0) return;
  kill(m_pid, SIGKILL);
  waitpid(m_pid, nullptr, 0);
  m_pid = -1;
}

bool WaitForText(const std::string& file, const std::string& text, int timeoutMs) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (std::chrono::steady_clock::now() < deadline) {
    if (ReadWholeFile(file).find(text) != std::string::npos) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return ReadWholeFile(file).find(text) != std::string::npos;
}
