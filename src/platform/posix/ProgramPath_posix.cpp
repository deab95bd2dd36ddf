#include "platform/ProgramPath.h"

#include <mutex>
#include <system_error>
#include <unistd.h>

#include <filesystem>

namespace platform {
namespace {
std::mutex g_mutex;
std::string g_override;
}  // namespace

std::string ProgramPath() {
  {
    std::lock_guard lock(g_mutex);
    if (!g_override.empty()) return g_override;
  }
  std::error_code ec;
  auto path = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : path.string();
}

void SetProgramPathOverride(const std::string& path) {
  std::lock_guard lock(g_mutex);
  g_override = path;
}

}  // namespace platform
