// The default log as the journal: what delivery costs on a large log.
//
//   journal_bench [LINES [WAITING]]      (default: 200000 1000)
//
// Writes a default log of LINES record lines, then reports:
//   - the window's once-a-second look when nothing waits (Waiting and Feed
//     on a target that is up to date), mean of many;
//   - delivering WAITING lines to a target that takes them all (one state
//     file written after each line, as a crash needs), lines per second;
//   - finding a position again after an edit moved every line (the whole
//     log read once).
// The temporary folder is removed at the end.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "data/TLogJournal.h"
#include "platform/Files.h"

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::string LineOf(long n) {
  return "2026-12-10:14025:CW:100:1200:K" + std::to_string(n) + "AB:599:599:1201:N/A:N/A:N/A";
}

}  // namespace

int main(int argc, char** argv) {
  const long lines = argc > 1 ? std::atol(argv[1]) : 200000;
  const long waiting = argc > 2 ? std::atol(argv[2]) : 1000;
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("talvex-journal-bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  const std::string log = (dir / "Dravel_DEFAULTLOG.txt").string(), state = (dir / "Talvex_DELIVERY.txt").string();
  {
    std::ofstream out(log, std::ios::binary);
    for (long n = 0; n < lines; ++n) out << LineOf(n) << '\n';
  }
  TLogJournal journal(log, state);
  journal.Track("SERIAL");

  constexpr int kLooks = 2000;
  auto start = Clock::now();
  for (int i = 0; i < kLooks; ++i) {
    journal.Feed("SERIAL", [](const std::string&) { return true; });
    journal.Waiting("SERIAL");
  }
  std::printf("log of %ld lines (%.1f MB): one look with nothing waiting %.1f us\n", lines,
              static_cast<double>(std::filesystem::file_size(log)) / 1e6, MillisecondsSince(start) * 1000 / kLooks);

  std::string more;
  for (long n = 0; n < waiting; ++n) more += LineOf(lines + n) + "\n";
  platform::AppendFileDurably(log, more);
  start = Clock::now();
  const std::size_t sent = journal.Feed("SERIAL", [](const std::string&) { return true; });
  const double ms = MillisecondsSince(start);
  std::printf("%zu waiting lines delivered in %.0f ms: %.0f lines/s (a state file written after each)\n", sent, ms,
              sent * 1000.0 / ms);

  // The operator removed the log's first line in an editor: every offset moved.
  std::string edited;
  for (long n = 1; n < lines + waiting; ++n) edited += LineOf(n) + "\n";
  platform::WriteFileAtomically(log, edited);
  start = Clock::now();
  journal.Waiting("SERIAL");
  std::printf("the position found again after the first line was removed: %.1f ms\n", MillisecondsSince(start));
  std::filesystem::remove_all(dir);
  return 0;
}
