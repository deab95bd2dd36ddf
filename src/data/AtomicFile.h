#pragma once
// The two safe ways this program writes files. A file that holds state is
// replaced whole: written to a temporary file in the same folder, synced to
// the disk and renamed over the old one, so a crash leaves either the old
// file or the new one, never half of one. A log file is only appended to,
// and each append reaches the disk before the call returns.

#include <string>
#include <string_view>

/// Replaces the file at path with exactly text. False (and the old file, if
/// any, untouched; no temporary left behind) when any step fails.
bool WriteFileAtomically(const std::string& path, std::string_view text);

/// Appends exactly text to the file at path, creating it when missing, and
/// syncs the data to the disk. False when the file cannot be opened or the
/// text cannot be written completely.
bool AppendFileDurably(const std::string& path, std::string_view text);
