#include "platform/Module.h"

#include <dlfcn.h>

namespace platform {

Module& Module::operator=(Module&& other) noexcept {
  if (this != &other) {
    Unload();
    m_handle = other.m_handle;
    other.m_handle = nullptr;
  }
  return *this;
}

Module Module::Load(const std::string& path, std::string* error) {
  Module module;
  module.m_handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!module.m_handle && error) {
    const char* why = dlerror();
    *error = why ? why : "cannot load " + path;
  }
  return module;
}

void* Module::Symbol(const char* name) const {
  return m_handle ? dlsym(m_handle, name) : nullptr;
}

void Module::Unload() {
  if (m_handle) {
    dlclose(m_handle);
    m_handle = nullptr;
  }
}

}  // namespace platform
