#pragma once
// The full path of the running program, as GetModuleFileNameA gives it.

#include <string>

namespace platform {

/// The path of the running executable, or the override when one is set.
std::string ProgramPath();
/// Tests point the program at a directory of their own; empty clears it.
void SetProgramPathOverride(const std::string& path);

/// The separator that ends a directory in the file set.
constexpr char kPathSeparator = '/';

}  // namespace platform
