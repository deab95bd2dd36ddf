// The real main window over the simulated Varo radio.
//
//   window_bench latency [N]     (default 10000)
//     The sim sets the radio change event N times, each with a new
//     frequency; reports the time from the set to the FREQ cell holding the
//     new value (median, p99, max), measured on the main thread's loop.
//   window_bench idle [SECONDS] [PORT-DEVICE]   (default 60)
//     The sim connected (and serial I/O logging running on the pseudo-
//     terminal PORT-DEVICE when given, for example one that socat or a test
//     made): CPU per cent of one core and wake-ups per second of the whole
//     process, over SECONDS.
//
// Run with QT_QPA_PLATFORM=offscreen (or under Xvfb); set QT_NO_GLIB=1 to
// compare Qt's own event loop with the glib loop that Debian's Qt uses.

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QTableWidget>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <sys/resource.h>
#include <thread>
#include <vector>

#include "TempProgramDir.h"
#include "app/QtApplication.h"
#include "app/QtPlatform.h"
#include "app/TTalvexApp.h"
#include "mainform/TfmRCatMain.h"
#include "platform/Module.h"

namespace {

using Clock = std::chrono::steady_clock;
using ControlFn = int (*)(const char*, int);

// Answers the resume dialog with "Resume" (radio ticked) once it shows.
void ResumeWhenAsked() {
  auto* timer = new QTimer;
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, [timer] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    timer->stop();
    timer->deleteLater();
    if (auto* box = dialog->findChild<QCheckBox*>(QStringLiteral("ckbResumeRadioPort"))) box->setChecked(true);
    if (auto* button = dialog->findChild<QAbstractButton*>(QStringLiteral("bnResume"))) button->click();
  });
  timer->start();
}

struct Station {
  TempProgramDir dir;
  std::unique_ptr<TTalvexApp> app;
  std::unique_ptr<TfmRCatMain> window;
  platform::Module sim;
  ControlFn control = nullptr;

  explicit Station(const std::string& sioPort) {
    dir.Write("Dravel_INI.txt", "VERSION=bench\nNAMES_HISTORY_FILE=Talvex_NAMES.txt\n");
    dir.Write("Devices/Dravel_DEVICES.txt", "RADIO=Varo,VaroSim.dll,38400,8N,1,NOHANDSHAKE,20\n");
    std::string ports = "COM7=/dev/null\n";
    if (!sioPort.empty()) ports += "COM8=" + sioPort + "\n";
    dir.Write("Devices/Dravel_PORTS.txt", ports);
    dir.Write("Documents/Talvex_NAMES.txt", "");
    std::string restart = "RADIO_COM_PORT=COM7\nRADIO_BAUD=38400\n";
    if (!sioPort.empty()) restart += "SIOLOG_COM_PORT=COM8\nSIOLOG_BAUD_RATE=9600\n";
    dir.Write("Dravel_RESTART.txt", restart + "END_OF_RESTART_FILE=YES");
    std::filesystem::copy_file(std::string(TALVEX_DEVICES_DIR) + "/VaroSim.dll",
                               dir.Path("Devices/VaroSim.dll"));
    std::string error;
    sim = platform::Module::Load(dir.Path("Devices/VaroSim.dll"), &error);
    control = reinterpret_cast<ControlFn>(sim.Symbol("VAROSIM_CONTROL"));
    app = std::make_unique<TTalvexApp>();
    app->OpenDataFiles();
    window = std::make_unique<TfmRCatMain>(*app);
    ResumeWhenAsked();
    window->show();
    window->FormActivate();
  }
};

double Percentile(std::vector<double> values, double p) {
  std::sort(values.begin(), values.end());
  const std::size_t at = std::min(values.size() - 1, static_cast<std::size_t>(p * values.size()));
  return values[at];
}

int Latency(int count) {
  Station station("");
  if (!station.app->IsRadioConnected(1) || !station.control) {
    std::fprintf(stderr, "the simulated radio did not connect\n");
    return 1;
  }
  auto* grid = station.window->findChild<QTableWidget*>(QStringLiteral("sgLog"));
  std::mutex mutex;
  std::condition_variable seen;
  QString expected;
  Clock::time_point shownAt;
  bool shown = false;
  QObject::connect(grid, &QTableWidget::itemChanged, [&](QTableWidgetItem* item) {
    if (item->row() != 1 || item->column() != 1) return;
    std::lock_guard lock(mutex);
    if (!shown && item->text() == expected) {
      shownAt = Clock::now();
      shown = true;
      seen.notify_all();
    }
  });
  std::vector<double> micros;
  micros.reserve(count);
  std::thread radio([&] {
    for (int i = 0; i < count; ++i) {
      const long long hz = 7000000 + 1000LL * (i % 2 == 0 ? i : i + 100000);
      {
        std::lock_guard lock(mutex);
        expected = QString::number(hz / 1000);
        shown = false;
      }
      const auto setAt = Clock::now();
      station.control(("FREQ=" + std::to_string(hz)).c_str(), 1);
      std::unique_lock lock(mutex);
      if (!seen.wait_for(lock, std::chrono::seconds(5), [&] { return shown; })) {
        std::fprintf(stderr, "no update for %lld Hz\n", hz);
        break;
      }
      micros.push_back(std::chrono::duration<double, std::micro>(shownAt - setAt).count());
    }
    QMetaObject::invokeMethod(qApp, [] { qApp->quit(); }, Qt::QueuedConnection);
  });
  qApp->exec();
  radio.join();
  station.window->close();
  if (micros.empty()) return 1;
  std::printf("event loop: %s\n", std::getenv("QT_NO_GLIB") ? "Qt's own (QT_NO_GLIB=1)" : "glib");
  std::printf("radio change to FREQ cell, %zu changes: median %.0f us, p99 %.0f us, max %.0f us\n",
              micros.size(), Percentile(micros, 0.5), Percentile(micros, 0.99),
              *std::max_element(micros.begin(), micros.end()));
  return 0;
}

// Voluntary and involuntary context switches of every thread of the process.
long long WakeUps() {
  long long total = 0;
  DIR* tasks = opendir("/proc/self/task");
  if (!tasks) return 0;
  while (dirent* entry = readdir(tasks)) {
    if (entry->d_name[0] == '.') continue;
    std::ifstream status(std::string("/proc/self/task/") + entry->d_name + "/status");
    std::string line;
    while (std::getline(status, line))
      if (line.rfind("voluntary_ctxt_switches:", 0) == 0 || line.rfind("nonvoluntary_ctxt_switches:", 0) == 0)
        total += std::atoll(line.substr(line.find(':') + 1).c_str());
  }
  closedir(tasks);
  return total;
}

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

int Idle(int seconds, const std::string& port) {
  Station station(port);
  if (!station.app->IsRadioConnected(1)) {
    std::fprintf(stderr, "the simulated radio did not connect\n");
    return 1;
  }
  // Settle, then measure a quiet station.
  QTimer::singleShot(2000, [] { qApp->quit(); });
  qApp->exec();
  const double cpu0 = CpuSeconds();
  const long long wake0 = WakeUps();
  const auto t0 = Clock::now();
  QTimer::singleShot(seconds * 1000, [] { qApp->quit(); });
  qApp->exec();
  const double wall = std::chrono::duration<double>(Clock::now() - t0).count();
  const double cpu = CpuSeconds() - cpu0;
  const long long wakes = WakeUps() - wake0;
  std::printf("idle over %.0f s%s: CPU %.3f %% of one core, %.1f wake-ups/s\n", wall,
              port.empty() ? "" : " with serial I/O logging", 100.0 * cpu / wall, wakes / wall);
  station.window->close();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  setenv("TALVEX_MESSAGE_LOG", "1", 0);  // boxes go to standard error
  QtApplication qtApp(argc, argv);
  talvexqt::InstallQtPlatform();
  const std::string mode = argc > 1 ? argv[1] : "latency";
  int result = 2;
  if (mode == "latency") result = Latency(argc > 2 ? std::atoi(argv[2]) : 10000);
  if (mode == "idle") result = Idle(argc > 2 ? std::atoi(argv[2]) : 60, argc > 3 ? argv[3] : "");
  talvexqt::RemoveQtPlatform();
  return result;
}
