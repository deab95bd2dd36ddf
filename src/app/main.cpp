// The entry point and the composition root: the one place that knows every
// layer. It makes sure one copy runs, creates the application object, has it
// read its data files, creates the long-lived forms and hands each the
// objects it works on, runs the message loop and takes it all down again.
// Returns 0 on every path.

#include <QApplication>
#include <cstdio>
#include <exception>
#include <memory>

#include "platform/AppTitle.h"
#include "app/QtPlatform.h"
#include "app/QtSingleInstance.h"
#include "app/TTalvexApp.h"
#include "mainform/TfmRCatMain.h"
#include "platform/MessageSink.h"
#include "platform/QtText.h"

namespace {

void ShowException(const char* what) {
  platform::ShowMessage(std::string("Exception: ") + (what ? what : "unknown error"));
}

int RunProgram(QApplication& app, QtSingleInstance& instance) {
  TalvexApp = new TTalvexApp;
  std::unique_ptr<TfmRCatMain> mainForm;
  try {
    if (TalvexApp->OpenDataFiles()) {
      app.setApplicationDisplayName(platform::ToQString(kAppTitle));
      mainForm = std::make_unique<TfmRCatMain>(*TalvexApp);
      QObject::connect(&instance, &QtSingleInstance::raiseRequested, mainForm.get(),
                       &TfmRCatMain::BringToFront);
      mainForm->show();
      std::fprintf(stderr, "Talvex: main window shown\n");
      app.exec();
      talvexqt::CloseHandOvers();
    }
  } catch (const std::exception& e) {
    ShowException(e.what());
  } catch (...) {
    ShowException(nullptr);
  }
  mainForm.reset();
  delete TalvexApp;
  TalvexApp = nullptr;
  return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);  // the command line is not used
  app.setApplicationName(platform::ToQString(kAppTitle));
  talvexqt::InstallQtPlatform();
  int result = 0;
  {
    QtSingleInstance instance(platform::ToQString(kInstanceName));
    if (instance.BecomeFirstOrRaiseOther()) {
      try {
        result = RunProgram(app, instance);
      } catch (...) {
        result = 0;
      }
    }
  }
  talvexqt::RemoveQtPlatform();
  return result;
}
