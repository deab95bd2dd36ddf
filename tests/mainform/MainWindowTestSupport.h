#pragma once
// A real main window over the simulated Varo radio, in a program directory
// of the test's own, and the means to drive it: pumping the event loop
// until something holds, and answering the modal dialogs the window opens.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QTableWidget>
#include <QThread>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "QtTestApp.h"
#include "RecordingMessageSink.h"
#include "TempProgramDir.h"
#include "VaroSimProbe.h"
#include "app/QtPlatform.h"
#include "app/TTalvexApp.h"
#include "mainform/TfmRCatMain.h"

/// Processes events until pred holds or about ten seconds pass; answers pred.
inline bool PumpUntil(const std::function<bool()>& pred, int limitMs = 10000) {
  for (int waited = 0; waited < limitMs; waited += 2) {
    if (pred()) return true;
    QApplication::processEvents(QEventLoop::AllEvents, 2);
    QThread::msleep(1);
  }
  return pred();
}

/// Processes events for a while (for "nothing happens" checks).
inline void PumpFor(int ms) {
  PumpUntil([] { return false; }, ms);
}

/// Runs fn on the next modal dialog the window opens (once it is shown).
inline void OnNextModal(std::function<void(QDialog&)> fn) {
  auto* timer = new QTimer;
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, [timer, fn] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog || !dialog->isVisible()) return;
    timer->stop();
    timer->deleteLater();
    fn(*dialog);
  });
  timer->start();
}

inline void Click(QWidget& parent, const char* name) {
  auto* button = parent.findChild<QAbstractButton*>(QString::fromLatin1(name));
  ASSERT_NE(button, nullptr) << name;
  button->click();
}

inline void SetBox(QWidget& parent, const char* name, bool checked) {
  auto* box = parent.findChild<QCheckBox*>(QString::fromLatin1(name));
  ASSERT_NE(box, nullptr) << name;
  box->setChecked(checked);
}

/// A program directory with the data set the window needs: the ini file,
/// the devices file naming VaroSim.dll, a port table mapping COM7 and COM8
/// to device files that exist, and (optionally) a restart file.
class WindowProgram {
 public:
  WindowProgram() {
    EnsureQtApp();
    talvexqt::InstallQtPlatform();
    platform::SetMessageSink(&messages);  // the recorder, not Qt's boxes
    dir.Write("Dravel_INI.txt", "VERSION=test\nNAMES_HISTORY_FILE=Talvex_NAMES.txt\n");
    dir.Write("Devices/Dravel_DEVICES.txt", "RADIO=Varo,VaroSim.dll,38400,8N,1,NOHANDSHAKE,20\n");
    dir.Write("Devices/Dravel_PORTS.txt", "COM7=/dev/null\nCOM8=/dev/zero\n");
    dir.Write("Documents/Talvex_NAMES.txt", "");
    dir.Write("Dravel_MSGTEMPLATE.txt",
              "MSG=CQ,CQ CQ DE N0CALL K\nMSG=MSG1,@ DE N0CALL\nMSG=MSG2,@ UR $ $ NAME !\n"
              "MSG=MSG3,TU @\nMSG=MSG4,AGN?\nMSG=73,73 @ TU\nAUTOCQ_DELAY=3\n");
    std::filesystem::copy_file(std::string(TALVEX_DEVICES_DIR) + "/VaroSim.dll",
                               dir.Path("Devices/VaroSim.dll"));
    sim = std::make_unique<VaroSimProbe>(dir.Path("Devices/VaroSim.dll"));
    sim->ClearTrace();
  }
  ~WindowProgram() {
    window.reset();  // its listeners stop while the way to the main thread is there
    talvexqt::RemoveQtPlatform();
  }

  /// A restart file whose options are the given KEY=value lines.
  void WriteRestartFile(const std::string& lines) {
    dir.Write("Dravel_RESTART.txt", lines + "END_OF_RESTART_FILE=YES");
  }

  /// Creates the application object and reads its files, then the window.
  TfmRCatMain& Start() {
    app = std::make_unique<TTalvexApp>();
    EXPECT_TRUE(app->OpenDataFiles());
    window = std::make_unique<TfmRCatMain>(*app);
    return *window;
  }

  /// Starts and shows the window; the resume dialog, when it comes, is
  /// answered by resume (null: not expected).
  TfmRCatMain& ShowAndResume(std::function<void(QDialog&)> resume) {
    Start();
    bool shown = false;
    if (resume) {
      OnNextModal([&shown, resume](QDialog& dialog) {
        shown = true;
        resume(dialog);
      });
    }
    window->show();
    window->FormActivate();
    EXPECT_EQ(shown, static_cast<bool>(resume));
    return *window;
  }

  QString Cell(int column) const {
    return window->findChild<QTableWidget*>(QStringLiteral("sgLog"))->item(1, column)->text();
  }

  void Close() {
    if (window) window->close();
  }

  RecordingMessageSink messages;  // before the app: it sees every message
  TempProgramDir dir;
  std::unique_ptr<VaroSimProbe> sim;
  std::unique_ptr<TTalvexApp> app;
  std::unique_ptr<TfmRCatMain> window;
};

/// The options of a previous run with the radio on COM7.
inline const char* kRestartOnCom7 =
    "RADIO_COM_PORT=COM7\nRADIO_BAUD=19200\nSIOLOG_COM_PORT=COM9\nWANTS_MSG_BUTTONS=YES\n"
    "WANTS_KEYBOARD=NO\nWANTS_LOGGRID=NO\nWANTS_AUTO_CQ=NO\nSHOW_CWO_MEMBERS=YES\n"
    "SHOW_FOC_MEMBERS=NO\n";
