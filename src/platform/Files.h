#pragma once
// The file operations the program builds its files on. A file that holds
// state is replaced whole: written to a temporary file beside it, synced to
// the disk and renamed over the old one, so a crash leaves either the old
// file or the new one, never half of one. A log file is only appended to,
// and each append reaches the disk before the call returns.
//
// Every operation answers false on failure and, when asked, the system's
// error code (for WithSystemError and KindOfSystemError, SystemError.h) in
// *error; 0 when there is no code.
//
// Only ordinary files are read or replaced, and a log is appended to an
// ordinary file or a device: a folder is refused with a code of kind
// IsFolder, anything else (a FIFO, a socket; a device, for reading) with
// one of kind Refused. No operation waits
// for a peer to open a FIFO, and no read runs on without end (a device).

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/FileHandle.h"

namespace platform {

/// Reads the whole file into text (empty on failure).
bool ReadFileText(const std::string& path, std::string& text, int* error = nullptr);

/// Opens an ordinary file for reading; an invalid handle on failure.
FileHandle OpenFileForReading(const std::string& path, int* error = nullptr);

/// Reads up to size bytes from the file's position: the count, 0 at the
/// end, -1 on an error.
long ReadFromFile(const FileHandle& file, char* buffer, std::size_t size, int* error = nullptr);

/// Replaces the file at path with exactly text. The temporary file is always
/// "<path>.tmp", so whatever happens (the process killed at any point
/// included) at most one temporary file lies beside the file, and the next
/// write replaces it. On failure the old file, if any, is untouched and the
/// temporary file removed. One writer per file at a time.
bool WriteFileAtomically(const std::string& path, std::string_view text, int* error = nullptr);

/// The temporary file WriteFileAtomically writes before its rename.
std::string TemporaryFileOf(const std::string& path);

/// Appends exactly text to the file at path, creating it when missing, and
/// syncs the data to the disk (and, for a file the append created, its
/// folder's entry). On failure (the file cannot be opened, the disk is
/// full, an I/O error) the file is cut back to what it held before the call
/// (a file the call created is removed), so no fragment is left for the
/// next append to be glued onto.
bool AppendFileDurably(const std::string& path, std::string_view text, int* error = nullptr);

/// Whether a new file can be made in the folder, found by making one and
/// removing it again: what the process may really do there (read-only
/// mounts, ACLs and root's rights included), which mode bits alone do not
/// tell. False for a missing folder.
bool CanWriteFolder(const std::string& dir);

}  // namespace platform
