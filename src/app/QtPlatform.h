#pragma once
// The Qt side of the platform layer: message boxes and the main-thread
// hand-over, installed once the QApplication exists.

namespace talvexqt {

/// Installs the Qt message sink and the Synchronize runner. With the
/// environment variable TALVEX_MESSAGE_LOG set, messages are written to
/// standard error ("message: <text>") and answered with the default button
/// instead of showing a box, so that the real program can run unattended.
void InstallQtPlatform();
/// Restores the plain sink and runner (before the QApplication goes).
void RemoveQtPlatform();
/// Called when the message loop has ended: from then on a hand-over from
/// another thread is dropped (its message written to standard error) instead
/// of waiting for a loop that will not run again.
void CloseHandOvers();

}  // namespace talvexqt
