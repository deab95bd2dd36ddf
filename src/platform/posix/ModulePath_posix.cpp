#include "platform/ModulePath.h"

#include <dlfcn.h>

#include <climits>
#include <cstdlib>

namespace platform {

std::string ModulePathOf(const void* address) {
  Dl_info info{};
  if (dladdr(address, &info) == 0 || !info.dli_fname) return {};
  char resolved[PATH_MAX];
  if (realpath(info.dli_fname, resolved)) return resolved;
  return info.dli_fname;
}

}  // namespace platform
