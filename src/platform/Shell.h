#pragma once
// Opening documents and web addresses with the desktop's own program
// (ShellExecuteA with the verb "open").

#include <functional>
#include <string>

namespace platform {

/// Hands the file or address to the desktop; false when that could not start.
bool ShellOpen(const std::string& target);
/// The GUI may install its own opener; tests install a recorder. Empty restores xdg-open.
void SetShellOpener(std::function<bool(const std::string&)> opener);

}  // namespace platform
