#include "LibraryFile.h"

#include <dlfcn.h>

#include <climits>
#include <cstdlib>

namespace radiokit {

std::string LibraryPathOf(const void* address) {
  Dl_info info{};
  if (dladdr(address, &info) == 0 || !info.dli_fname) return {};
  char resolved[PATH_MAX];
  if (realpath(info.dli_fname, resolved)) return resolved;
  return info.dli_fname;
}

bool PinLibraryOf(const void* address) {
  Dl_info info{};
  if (dladdr(address, &info) == 0 || !info.dli_fname) return false;
  // Another reference, never given back, marked never to be unmapped.
  return dlopen(info.dli_fname, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE) != nullptr;
}

}  // namespace radiokit
