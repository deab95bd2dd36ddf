// How exactly the keyer keeps Morse time on this machine, through VaroSim.dll
// loaded by the program's binding: "PARIS " at 20 WPM is 3000 ms, measured by
// the keyer itself (start event to over event) and by the program's side
// (woken by the start event, then by the over event); and the Auto CQ pause
// of 1 s, from an over event to the next start event.
//   keyer_bench [rounds]     (run from the build folder)

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

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

bool Wakes(const platform::Event& event) { return event.Wait(30000) == platform::WaitResult::Signalled; }

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
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
  return 0;
}
