#pragma once
// The file a piece of loaded code came from, as GetModuleFileNameA gives it
// for a library's own module handle.

#include <string>

namespace platform {

/// The full path of the executable or shared library that holds the
/// address; empty when no loaded file holds it.
std::string ModulePathOf(const void* address);

/// Keeps the shared library that holds the address loaded until the process
/// ends, whoever unloads it; false when it cannot.
bool PinModuleOf(const void* address);

}  // namespace platform
