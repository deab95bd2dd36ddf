#include "platform/Shell.h"

#include <mutex>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace platform {
namespace {
std::mutex g_mutex;
std::function<bool(const std::string&)> g_opener;
}  // namespace

void SetShellOpener(std::function<bool(const std::string&)> opener) {
  std::lock_guard lock(g_mutex);
  g_opener = std::move(opener);
}

bool ShellOpen(const std::string& target) {
  std::function<bool(const std::string&)> opener;
  {
    std::lock_guard lock(g_mutex);
    opener = g_opener;
  }
  if (opener) return opener(target);
  // xdg-open returns at once after handing the target over.
  pid_t pid = 0;
  char* argv[] = {const_cast<char*>("xdg-open"), const_cast<char*>(target.c_str()), nullptr};
  if (posix_spawnp(&pid, "xdg-open", nullptr, nullptr, argv, environ) != 0) return false;
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace platform
