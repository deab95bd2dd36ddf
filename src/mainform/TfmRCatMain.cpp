#include "mainform/TfmRCatMain.h"

#include <cstdio>

#include "platform/AppTitle.h"
#include "data/TextUtils.h"
#include "platform/DateTime.h"
#include "platform/ProgramPath.h"
#include "platform/QtText.h"

TfmRCatMain::TfmRCatMain(TTalvexApp& app, QWidget* parent) : QMainWindow(parent), m_app(app) {
  setObjectName("fmRCatMain");
  setWindowTitle(BuildCaption(platform::ProgramPath()));
  resize(720, 300);
}

QString TfmRCatMain::BuildCaption(const std::string& programPath) {
  const std::string built = platform::FormatDateTime("dd-mmm-yyyy hh:nn]", FileDateTime(programPath));
  return platform::ToQString(std::string(kAppTitle) + ": " + " [Built: " + built);
}

void TfmRCatMain::BringToFront() {
  setWindowState(windowState() & ~Qt::WindowMinimized);
  show();
  raise();
  activateWindow();
  std::fprintf(stderr, "Talvex: main window raised for a second copy\n");
}
