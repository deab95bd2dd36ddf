#pragma once
// The one QApplication of a GUI test binary (the program's own kind), created on first use under the
// offscreen platform. Header-only: only GUI test binaries include it.

#include <QApplication>

#include "app/QtApplication.h"
#include <cstdlib>

inline QApplication& EnsureQtApp() {
  static int argc = 1;
  static char name[] = "talvex-tests";
  static char* argv[] = {name, nullptr};
  if (!QApplication::instance()) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    new QtApplication(argc, argv);  // lives until the process ends
  }
  return *static_cast<QApplication*>(QApplication::instance());
}
