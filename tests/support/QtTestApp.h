#pragma once
// The one QApplication of a GUI test binary, created on first use under the
// offscreen platform. Header-only: only GUI test binaries include it.

#include <QApplication>
#include <cstdlib>

inline QApplication& EnsureQtApp() {
  static int argc = 1;
  static char name[] = "talvex-tests";
  static char* argv[] = {name, nullptr};
  if (!QApplication::instance()) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    new QApplication(argc, argv);  // lives until the process ends
  }
  return *static_cast<QApplication*>(QApplication::instance());
}
