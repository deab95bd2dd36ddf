// Indexing a large default log by call, and the worked-before lookup.
//
//   worked_bench [N ...]      (default: 1000000)
//
// Writes a default log of N record lines (calls drawn from N/10 distinct
// ones, so a call is worked ten times on average, on 10 bands in 3 modes),
// then reports the time to index it from the file (best of three fresh
// loads) and the mean time of one lookup, alone and with its key-row text,
// for calls in the log (some of them dupes) and calls not in it.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

#include "BenchCalls.h"
#include "data/TWorkedIndex.h"

namespace {

using Clock = std::chrono::steady_clock;

const char* const kFreqs[] = {"1830", "3530", "7025", "10110", "14025", "18080", "21025", "24900", "28025", "50090"};
const char* const kModes[] = {"CW", "PH", "RY"};

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

void Run(std::size_t lines, const std::string& path) {
  std::mt19937 random(12345);
  const std::size_t distinct = std::max<std::size_t>(1, lines / 10);
  {
    std::ofstream out(path, std::ios::binary);
    for (std::size_t i = 0; i < lines; ++i) {
      const std::size_t call = random() % distinct;
      out << "2026-" << 10 + i % 3 << "-" << 10 + i % 19 << ":" << kFreqs[random() % 10] << ":"
          << kModes[random() % 3] << ":100:1423:" << CallOf(call * 7919 + 17) << ":599:599:1425:N/A:NAME"
          << call % 1000 << ":N/A\n";
    }
  }
  const auto bytes = std::filesystem::file_size(path);

  double best = 1e9;
  TWorkedIndex index;
  for (int round = 0; round < 3; ++round) {
    TWorkedIndex fresh;
    const auto start = Clock::now();
    if (!fresh.Load(path)) {
      std::fprintf(stderr, "cannot read %s\n", path.c_str());
      std::exit(1);
    }
    best = std::min(best, Seconds(Clock::now() - start));
    if (round == 2) index = std::move(fresh);
  }

  std::vector<std::string> hits, misses;
  for (int i = 0; i < 200000; ++i) {
    hits.push_back(CallOf((random() % distinct) * 7919 + 17));
    misses.push_back(CallOf((distinct + i) * 7919 + 18));
  }
  // The lookup alone, then with the key row's text made from it.
  std::size_t worked = 0, dupes = 0, textBytes = 0;
  auto start = Clock::now();
  for (std::size_t i = 0; i < hits.size(); ++i) {
    const TWorkedSummary summary = index.Lookup(hits[i], kFreqs[i % 10], kModes[i % 3]);
    worked += summary.count > 0;
    dupes += summary.dupe;
  }
  const double hitTime = Seconds(Clock::now() - start) / hits.size();
  start = Clock::now();
  for (std::size_t i = 0; i < hits.size(); ++i)
    textBytes += WorkedText(index.Lookup(hits[i], kFreqs[i % 10], kModes[i % 3])).size();
  const double textTime = Seconds(Clock::now() - start) / hits.size();
  std::size_t missed = 0;
  start = Clock::now();
  for (const auto& call : misses) missed += index.Lookup(call, "14025", "CW").count == 0;
  const double missTime = Seconds(Clock::now() - start) / misses.size();

  std::printf("N = %8zu lines (%.0f MB), %8zu calls: index %.3f s (best of 3); lookup of a worked call "
              "%.3f us (%.3f us with its text; %zu/%zu worked, %zu dupes), of a new call %.3f us (%zu/%zu) [%zu]\n",
              index.Lines(), bytes / 1e6, index.Calls(), best, hitTime * 1e6, textTime * 1e6, worked, hits.size(),
              dupes, missTime * 1e6, missed, misses.size(), textBytes % 10);
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::size_t> sizes;
  for (int i = 1; i < argc; ++i) sizes.push_back(std::strtoull(argv[i], nullptr, 10));
  if (sizes.empty()) sizes = {1000000};
  const std::string path =
      (std::filesystem::temp_directory_path() / ("worked_bench_" + std::to_string(::getpid()) + ".txt")).string();
  for (std::size_t n : sizes) Run(n, path);
  std::filesystem::remove(path);
  return 0;
}
