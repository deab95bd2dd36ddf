// Loading and looking up a large operator names file.
//
//   names_bench [N ...]      (default: 1000000 5000000)
//
// Writes a names file of N lines (every tenth line repeats an earlier call in
// other letter case; two-field and four-field lines, FOC and CWOP clubs),
// then reports the load time (best of three fresh loads), the resident
// memory the loaded list takes per operator and the process's peak, and the
// mean time of one lookup for calls in the list and calls not in it.

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
#include "data/TOperatorList.h"

namespace {

using Clock = std::chrono::steady_clock;

std::string Lower(std::string text) {
  for (auto& c : text) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
  return text;
}

// A line of /proc/self/status in KiB ("VmRSS", "VmHWM"); 0 when unknown.
long StatusKib(const char* key) {
  std::ifstream status("/proc/self/status");
  std::string line;
  const std::string prefix = std::string(key) + ":";
  while (std::getline(status, line))
    if (line.rfind(prefix, 0) == 0) return std::strtol(line.c_str() + prefix.size(), nullptr, 10);
  return 0;
}

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

void Run(std::size_t lines, const std::string& path) {
  std::mt19937 random(12345);
  std::vector<std::string> calls;
  {
    std::ofstream out(path, std::ios::binary);
    for (std::size_t i = 0; i < lines; ++i) {
      std::string call;
      if (i % 10 == 9 && !calls.empty()) {
        call = Lower(calls[random() % calls.size()]);
      } else {
        call = CallOf(calls.size() * 7919 + 17);
        calls.push_back(call);
      }
      switch (i % 4) {
        case 0: out << call << ",Name" << i % 1000 << "\n"; break;
        case 1: out << call << ", Op " << i % 977 << "  \r\n"; break;
        case 2: out << call << ",Name" << i % 991 << "," << 1 + i % 30000 << ",FOC\n"; break;
        default: out << call << ",Name" << i % 983 << "," << 1 + i % 40000 << ", cwop\n"; break;
      }
    }
  }

  double best = 1e9;
  std::size_t count = 0;
  long listKib = 0;
  TOperatorList list;
  for (int round = 0; round < 3; ++round) {
    const long before = StatusKib("VmRSS");
    TOperatorList fresh;
    const auto start = Clock::now();
    if (!fresh.LoadNamesFile(path)) {
      std::fprintf(stderr, "cannot read %s\n", path.c_str());
      std::exit(1);
    }
    best = std::min(best, Seconds(Clock::now() - start));
    count = fresh.size();
    if (round == 0) listKib = StatusKib("VmRSS") - before;
    if (round == 2) list = std::move(fresh);
  }

  // Hits in mixed case, in random order; misses of the same shape.
  std::vector<std::string> hits, misses;
  for (int i = 0; i < 200000; ++i) {
    std::string call = calls[random() % calls.size()];
    if (i % 2) call = Lower(call);
    hits.push_back(call);
    misses.push_back(CallOf((calls.size() + i) * 7919 + 18));
  }
  std::size_t found = 0;
  auto start = Clock::now();
  for (const auto& call : hits) found += list.Lookup(call, 23, true, true) != "N/A,N/A";
  const double hitTime = Seconds(Clock::now() - start) / hits.size();
  std::size_t missed = 0;
  start = Clock::now();
  for (const auto& call : misses) missed += list.Lookup(call, 23, true, true) == "N/A,N/A";
  const double missTime = Seconds(Clock::now() - start) / misses.size();

  std::printf("N = %8zu lines, %8zu operators: load %.3f s (best of 3); resident %.0f MB for the "
              "list, %.0f bytes per operator, process peak %.0f MB; lookup hit %.3f us, "
              "miss %.3f us (found %zu/%zu, missed %zu/%zu)\n",
              lines, count, best, listKib / 1024.0, count ? listKib * 1024.0 / count : 0.0,
              StatusKib("VmHWM") / 1024.0, hitTime * 1e6, missTime * 1e6, found, hits.size(), missed,
              misses.size());
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::size_t> sizes;
  for (int i = 1; i < argc; ++i) sizes.push_back(std::strtoull(argv[i], nullptr, 10));
  if (sizes.empty()) sizes = {1000000, 5000000};
  const std::string path =
      (std::filesystem::temp_directory_path() / ("names_bench_" + std::to_string(::getpid()) + ".txt")).string();
  for (std::size_t n : sizes) Run(n, path);
  std::filesystem::remove(path);
  return 0;
}
