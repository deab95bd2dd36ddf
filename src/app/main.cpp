// The entry point and the composition root: the one place that knows every
// layer. It makes sure one copy runs, creates the application object, has it
// read its data files, creates the long-lived forms and hands each the
// objects it works on, runs the message loop and takes it all down again.
// Returns 0 on every path.

#include <cstdio>
#include <exception>
#include <functional>
#include <memory>

#include "app/QtApplication.h"
#include "platform/AppTitle.h"
#include "platform/EndSignals.h"
#include "app/QtPlatform.h"
#include "app/TTalvexApp.h"
#include "mainform/TfmRCatMain.h"
#include "platform/QtText.h"
#include "platform/SingleInstance.h"
#include "platform/WindowGone.h"

namespace {

void RunProgram(QApplication& app, std::function<void()>& raiseRequested) {
  std::unique_ptr<TfmRCatMain> mainForm;
  try {
    TalvexApp = new TTalvexApp;
    if (TalvexApp->OpenDataFiles()) {
      mainForm = std::make_unique<TfmRCatMain>(*TalvexApp);
      raiseRequested = [&mainForm] { mainForm->BringToFront(); };
      // A request to end from outside (a logout, kill, Ctrl+C), and a window
      // destroyed by another program, close the window as its close box does.
      platform::EndSignalWatch endRequests([&mainForm] { mainForm->CloseAtEndRequest(); });
      platform::WindowGoneWatch windowGone(*mainForm, [&mainForm] { mainForm->CloseAtEndRequest(); });
      mainForm->show();
      mainForm->activateWindow();
      std::fprintf(stderr, "Talvex: main window shown\n");
      app.exec();
      // A window closed some other way than by its close event still
      // writes its files and stops its threads.
      mainForm->FormClose();
    }
  } catch (const std::exception& e) {
    ShowException(e.what());
  } catch (...) {
    ShowException(nullptr);
  }
  raiseRequested = nullptr;
  mainForm.reset();
  delete TalvexApp;
  TalvexApp = nullptr;
}

}  // namespace

int main(int argc, char* argv[]) {
  QtApplication app(argc, argv);  // the command line is not used
  app.setApplicationName(platform::ToQString(kAppTitle));
  talvexqt::InstallQtPlatform();
  {
    // A later copy's request to come to the front reaches the main window
    // once there is one.
    std::function<void()> raiseRequested;
    platform::SingleInstance instance(kInstanceName);
    if (instance.BecomeFirstOrRaiseOther([&raiseRequested] {
          if (raiseRequested) raiseRequested();
        })) {
      try {
        RunProgram(app, raiseRequested);
      } catch (...) {
      }
    }
  }
  talvexqt::RemoveQtPlatform();
  return 0;
}
