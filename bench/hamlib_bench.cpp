// How long HamlibRadio.dll makes its caller wait, against a real rigctld
// (Hamlib's dummy rig) on 127.0.0.1: every getter and DISCONNECTRADIO while
// rigctld hangs (SIGSTOP), CONNECTRADIO, how soon a knob turned by another
// client reaches the program, and how exactly a message's over event keeps
// the Morse time.
//   hamlib_bench [rounds]     (run from the build folder)

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "RigctldProcess.h"
#include "platform/Event.h"
#include "radio/TRadioLib.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double Timed(const std::function<void()>& f) {
  auto t = Clock::now();
  f();
  return Ms(Clock::now() - t);
}

struct Figures {
  std::vector<double> values;
  void Add(double v) { values.push_back(v); }
  void Print(const char* what) {
    if (values.empty()) return;
    std::sort(values.begin(), values.end());
    std::printf("%-44s n=%-5zu median %8.3f ms   p99 %8.3f ms   max %8.3f ms\n", what, values.size(),
                values[values.size() / 2], values[std::min(values.size() - 1, values.size() * 99 / 100)],
                values.back());
  }
};

bool WaitFor(const std::function<bool()>& condition, int guardMs = 30000) {
  auto giveUp = Clock::now() + std::chrono::milliseconds(guardMs);
  while (!condition()) {
    if (Clock::now() > giveUp) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  const std::string dir = std::filesystem::temp_directory_path() / "hamlib_bench";
  std::filesystem::create_directories(dir);
  const std::string library = dir + "/HamlibRadio.dll";
  std::filesystem::copy_file(std::string(TALVEX_DEVICES_DIR) + "/HamlibRadio.dll", library,
                             std::filesystem::copy_options::overwrite_existing);
  RigctldProcess rigctld(dir + "/rigctld.log");
  if (!rigctld.Running()) {
    std::fprintf(stderr, "rigctld did not start\n");
    return 1;
  }
  const std::string text = "Varo,HamlibRadio,9600,2," + rigctld.Address() + ",RIG,100,NRND";

  Figures connect, disconnectHung, gettersHung, nothing, knob, over;
  for (int round = 0; round < rounds; ++round) {
    platform::EventHandle change = platform::NewEvent();
    platform::EventHandle start = platform::NewEvent();
    platform::EventHandle stop = platform::NewEvent();
    TRadioLib lib(library);
    std::string port = "COM4";
    lib.LoadRadioLib();
    connect.Add(Timed([&] { lib.ConnectRadio(1, text, change, port, true); }));
    lib.SetMsgEventHandles(1, start, stop);
    if (!WaitFor([&] { return lib.GetFrequency(1) != 0; })) return 1;

    // A knob turned by another client, until the radio change event.
    for (int i = 0; i < 5; ++i) {
      while (platform::WaitForEvent(change, 0) == platform::WaitResult::Signalled) {
      }
      int hz = 14000000 + round * 1000 + i * 10;
      rigctld.Rigctl("F " + std::to_string(hz));
      auto t = Clock::now();
      WaitFor([&] { return lib.GetFrequency(1) == hz; });
      knob.Add(Ms(Clock::now() - t));
    }

    // PARIS at 60 WPM is 1000 ms.
    if (round < 3) {
      rigctld.Rigctl("L KEYSPD 60");
      WaitFor([&] { return lib.GetKeyerSpeed(1) == 60; });
      while (platform::WaitForEvent(start, 0) == platform::WaitResult::Signalled) {
      }
      while (platform::WaitForEvent(stop, 0) == platform::WaitResult::Signalled) {
      }
      lib.SetMsgAtIndex(1, 0, "PARIS ");
      lib.SendMsgAtIndex(1, 0);
      platform::WaitForEvent(start, 30000);
      auto t = Clock::now();
      platform::WaitForEvent(stop, 30000);
      over.Add(Ms(Clock::now() - t) - 1000.0);
    }

    // rigctld hangs: the getters, then DISCONNECTRADIO at a random moment
    // of the worker's time-outs.
    rigctld.Pause();
    auto until = Clock::now() + std::chrono::milliseconds(700 + round * 397 % 3000);
    while (Clock::now() < until) {
      gettersHung.Add(Timed([&] {
        lib.GetFrequency(1);
        lib.GetMode(1);
        lib.GetOutputPower(1);
        lib.GetKeyerSpeed(1);
        lib.GetRitIsOn(1);
        lib.GetRitFreq(1);
        lib.GetBaudRate(1, 6);
        lib.ReadFrequency(1);
      }));
      // The same loop timing nothing: what the machine's scheduling adds.
      nothing.Add(Timed([] {}));
    }
    disconnectHung.Add(Timed([&] { lib.DisconnectRadio(1); }));
    rigctld.Resume();
    for (auto e : {change, start, stop}) platform::CloseEvent(e);
  }

  // Serial models on a pseudo-terminal that never answers: DISCONNECTRADIO
  // at any moment of the opens and their time-outs.
  Figures disconnectSilent[2];
  const int serialModels[2] = {3073, 1035};  // IC-7300, FT-991
  for (int m = 0; m < 2; ++m) {
    int master = posix_openpt(O_RDWR | O_NOCTTY);
    grantpt(master);
    unlockpt(master);
    const std::string pty = ptsname(master);
    for (int round = 0; round < rounds; ++round) {
      platform::EventHandle change = platform::NewEvent();
      TRadioLib lib(library);
      std::string port = "COM4";
      lib.ConnectRadio(1, "Varo,HamlibRadio,9600," + std::to_string(serialModels[m]) + "," + pty + ",RIG,100", change, port,
                       true);  // no RTS/DTR tag: a pseudo-terminal has no such lines
      std::this_thread::sleep_for(std::chrono::milliseconds(100 + round * 331 % 3000));
      disconnectSilent[m].Add(Timed([&] { lib.DisconnectRadio(1); }));
      platform::CloseEvent(change);
    }
    close(master);
  }

  connect.Print("CONNECTRADIO (rigctld up)");
  gettersHung.Print("8 getters in a row, rigctld stopped");
  nothing.Print("nothing, timed in the same loop");
  disconnectHung.Print("DISCONNECTRADIO + unload, rigctld stopped");
  knob.Print("rigctl F until GETFREQUENCY shows it (100 ms)");
  over.Print("over event minus the 1000 ms of PARIS");
  disconnectSilent[0].Print("DISCONNECTRADIO, IC-7300 on a silent port");
  disconnectSilent[1].Print("DISCONNECTRADIO, FT-991 on a silent port");
  std::filesystem::remove_all(dir);
  return 0;
}
