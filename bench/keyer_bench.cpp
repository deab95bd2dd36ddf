// How exactly the keyer keeps Morse time on this machine, through VaroSim.dll
// loaded by the program's binding: "PARIS " at 20 WPM is 3000 ms, measured by
// the keyer itself (start event to over event) and by the program's side
// (woken by the start event, then by the over event); and the Auto CQ pause
// of 1 s, from an over event to the next start event.
// Then, through HamlibRadio.dll over rigctld's dummy rig, for each keyer kind
// that runs here (the radio's CAT keyer, a real cwdaemon on its null device
// started on 127.0.0.1, the tests' fake WinKeyer on a pseudo-terminal):
// 10 x PARIS at 20 and 40 WPM against 60 s x 10 / WPM, the delay from the
// last element (the fake WinKeyer's own clock) to the over event, and from
// a stop to the over event and to the keyer's clear buffer.
//   keyer_bench [rounds] [--kinds-only]     (run from the build folder)

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "CwdaemonProcess.h"
#include "FakeWinKeyer.h"
#include "RigctldProcess.h"
#include "TempProgramDir.h"
#include "VaroSimProbe.h"
#include "platform/Event.h"
#include "radio/TRadioLib.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

struct Figures {
  std::vector<double> values;
  void Print(const char* what, double expected) {
    if (values.empty()) return;
    std::sort(values.begin(), values.end());
    std::printf("%-36s n=%-3zu expected %7.1f ms  min %8.2f  median %8.2f  max %8.2f ms\n", what, values.size(),
                expected, values.front(), values[values.size() / 2], values.back());
  }
};

bool Wakes(const platform::Event& event) { return event.Wait(60000) == platform::WaitResult::Signalled; }

void DrainAll(const platform::Event& a, const platform::Event& b) {
  while (a.Wait(0) == platform::WaitResult::Signalled || b.Wait(0) == platform::WaitResult::Signalled) {
  }
}

bool WaitFor(const std::function<bool()>& condition) {
  const auto giveUp = Clock::now() + std::chrono::seconds(30);
  while (!condition()) {
    if (Clock::now() > giveUp) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

// One keyer kind through HamlibRadio.dll over rigctld.
int BenchKind(const char* kind, int rounds) {
  TempProgramDir dir;
  const std::string library = dir.Path("Devices/HamlibRadio.dll");
  std::filesystem::copy_file(DevicesFile("HamlibRadio.dll"), library);
  RigctldProcess rigctld(dir.Path("rigctld.log"));
  std::unique_ptr<CwdaemonProcess> cwdaemon;
  std::unique_ptr<FakeWinKeyer> winKeyer;
  std::string keying = "RIG";
  if (std::strcmp(kind, "cwdaemon") == 0) {
    cwdaemon = std::make_unique<CwdaemonProcess>();
    if (!cwdaemon->Running()) {
      std::printf("%s: cwdaemon does not run here\n", kind);
      return 0;
    }
    keying = "CWDAEMON:" + std::to_string(cwdaemon->Port());
  } else if (std::strcmp(kind, "WinKeyer") == 0) {
    winKeyer = std::make_unique<FakeWinKeyer>();
    dir.Write("Devices/Dravel_PORTS.txt", "COM9=" + winKeyer->Device() + "\n");
    keying = "WINKEYER:COM9";
  }
  platform::Event change, start, over;
  TRadioLib lib(library);
  std::string port = "COM4";
  if (!rigctld.Running() ||
      !lib.ConnectRadio(1, "Varo,HamlibRadio,9600,2," + rigctld.Address() + "," + keying + ",100,NRND",
                        change.Handle(), port, true)) {
    std::fprintf(stderr, "%s: cannot connect over rigctld\n", kind);
    return 1;
  }
  lib.SetMsgEventHandles(1, start.Handle(), over.Handle());
  // Let the keyer open (host mode, first reply) before timing.
  std::this_thread::sleep_for(std::chrono::milliseconds(1500));
  std::string tenParis;
  for (int i = 0; i < 10; ++i) tenParis += "PARIS ";
  for (int wpm : {20, 40}) {
    rigctld.Rigctl("L KEYSPD " + std::to_string(wpm));
    if (!WaitFor([&] { return lib.GetKeyerSpeed(1) == wpm; })) return 1;
    lib.SetMsgAtIndex(1, 0, tenParis);
    Figures message, endDelay;
    for (int i = 0; i < rounds; ++i) {
      DrainAll(start, over);
      lib.SendMsgAtIndex(1, 0);
      if (!Wakes(start)) return 1;
      const auto started = Clock::now();
      if (!Wakes(over)) return 1;
      const auto overAt = Clock::now();
      message.values.push_back(Ms(overAt - started));
      if (winKeyer) endDelay.values.push_back(Ms(overAt - winKeyer->When("keyed " + tenParis)));
    }
    const double expected = 60000.0 * 10 / wpm;
    char what[80];
    std::snprintf(what, sizeof what, "%s: 10 x PARIS at %d WPM", kind, wpm);
    message.Print(what, expected);
    if (!message.values.empty())
      std::printf("%-36s median off PARIS by %+.2f %%\n", "", (message.values[message.values.size() / 2] / expected - 1) * 100);
    std::snprintf(what, sizeof what, "%s: last element to over, %d WPM", kind, wpm);
    endDelay.Print(what, 0);
  }
  // Stop in the middle of a message.
  Figures stopOver, stopClear;
  for (int i = 0; i < rounds; ++i) {
    DrainAll(start, over);
    lib.SendMsgAtIndex(1, 0);
    if (!Wakes(start)) return 1;
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    const auto stopAt = Clock::now();
    lib.StopAutoRepeatMessage(1);
    if (!Wakes(over)) return 1;
    stopOver.values.push_back(Ms(Clock::now() - stopAt));
    if (winKeyer && WaitFor([&] { return winKeyer->When("clear") > stopAt; }))
      stopClear.values.push_back(Ms(winKeyer->When("clear") - stopAt));
  }
  char what[80];
  std::snprintf(what, sizeof what, "%s: stop to over event", kind);
  stopOver.Print(what, 0);
  std::snprintf(what, sizeof what, "%s: stop to keyer's clear buffer", kind);
  stopClear.Print(what, 0);
  lib.DisconnectRadio(1);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  if (argc > 2 && std::strcmp(argv[2], "--kinds-only") == 0) {
    for (const char* kind : {"CAT", "cwdaemon", "WinKeyer"})
      if (BenchKind(kind, rounds) != 0) return 1;
    return 0;
  }
  const std::string path = DevicesFile("VaroSim.dll");
  platform::Event change, logRequest, start, over;
  TRadioLib lib(path);
  VaroSimProbe probe(path);
  std::string port = "COM4";
  if (!lib.ConnectRadio(1, "Varo,VaroSim,38400,a,b,c,d,NRND", change.Handle(), port, true)) {
    std::fprintf(stderr, "cannot connect %s\n", path.c_str());
    return 1;
  }
  lib.SetLogRequestEventHandle(1, logRequest.Handle());
  lib.SetMsgEventHandles(1, start.Handle(), over.Handle());
  lib.SetMsgAtIndex(1, 0, "PARIS ");
  probe.Control("SPEED=20");

  Figures keyer, seen, pause;
  for (int i = 0; i < rounds; ++i) {
    while (start.Wait(0) == platform::WaitResult::Signalled || over.Wait(0) == platform::WaitResult::Signalled) {
    }
    lib.SendMsgAtIndex(1, 0);
    if (!Wakes(start)) return 1;
    const auto started = Clock::now();
    if (!Wakes(over)) return 1;
    seen.values.push_back(Ms(Clock::now() - started));
    keyer.values.push_back(probe.Query("LASTKEYINGMS"));
  }
  keyer.Print("keyer's own measure, PARIS 20 WPM", 3000);
  seen.Print("program's side, PARIS 20 WPM", 3000);

  lib.SetMsgAtIndex(1, 0, "E");
  probe.Control("SPEED=60");
  lib.SetAutoRepeatDelayTime(1, "1");
  lib.SetAutoRepeatStatus(1, true);
  lib.SendMsgAtIndex(1, 0);
  if (!Wakes(start)) return 1;
  for (int i = 0; i < rounds; ++i) {
    if (!Wakes(over)) return 1;
    const auto overAt = Clock::now();
    if (!Wakes(start)) return 1;
    pause.values.push_back(Ms(Clock::now() - overAt));
  }
  lib.SetAutoRepeatStatus(1, false);
  lib.StopAutoRepeatMessage(1);
  pause.Print("Auto CQ pause, delay 1 s", 1000);
  lib.DisconnectRadio(1);
  for (const char* kind : {"CAT", "cwdaemon", "WinKeyer"})
    if (BenchKind(kind, rounds) != 0) return 1;
  return 0;
}
