#pragma once
// The Qt side of the platform layer: message boxes and the poster of the
// main-thread hand-over (platform/HandOver.h), installed once the
// QApplication exists.

namespace talvexqt {

/// Installs the Qt message sink and the main-thread poster. With the
/// environment variable TALVEX_MESSAGE_LOG set, messages are written to
/// standard error ("message: <text>") and answered with the default button
/// instead of showing a box, so that the real program can run unattended.
/// A box belongs to the main thread: one asked from another thread is a
/// broken thread rule (platform/ThreadChecks.h), written to standard error
/// and answered with the default button where the rules are not checked.
void InstallQtPlatform();
/// Restores the plain sink and removes the poster (before the QApplication goes).
void RemoveQtPlatform();

}  // namespace talvexqt
