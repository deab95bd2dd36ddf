#pragma once
// The shared library a piece of code was loaded from: where it lies (as
// GetModuleFileNameA answers for a library's own module handle) and keeping
// it loaded past the program's unloading.

#include <string>

namespace radiokit {

/// The full path of the executable or shared library holding the address;
/// empty when no loaded file holds it.
std::string LibraryPathOf(const void* address);

/// Keeps the shared library holding the address loaded until the process
/// ends, whoever unloads it; false when it cannot.
bool PinLibraryOf(const void* address);

}  // namespace radiokit
