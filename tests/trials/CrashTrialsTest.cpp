// Crash trials: a child process logs contacts (or replaces a state file)
// through the program's own steps and reports each one after the call has
// returned; the parent kills it with SIGKILL at a random moment and then
// checks the files. Every trial starts a fresh child on the files the last
// one left, as a program restarted after a crash does.
//
// What a trial proves is the process-crash half of the durability rules: a
// contact reported as logged is in both logs, whole and once, whatever
// moment the program dies at; a state file is the whole old or the whole
// new text. (Power loss is the other half; it needs the disk's own help and
// is not tried here.)

#include <algorithm>
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <functional>
#include <random>
#include <set>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "../data/AdifTestReader.h"
#include "RecordingMessageSink.h"
#include "TempProgramDir.h"
#include "app/TTalvexApp.h"
#include "data/TRadioRestartFile.h"
#include "data/TextFile.h"
#include "platform/DateTime.h"
#include "platform/Files.h"

namespace fs = std::filesystem;

namespace {

constexpr int kTrials = 200;
constexpr unsigned kSeed = 20260521;
// Kills land anywhere from the child's start to a few steps in (a step that
// syncs takes some milliseconds on a disk, less on tmpfs).
constexpr int kMaxDelayMicroseconds = 40000;

const double kUtc = platform::EncodeDateTime(2026, 5, 21, 14, 23, 5);

// The contact numbered n: its number is its QTH.
std::string QthOf(int n) { return "Q" + std::to_string(n); }

// A child that runs step(i) for i = 0, 1, ... and writes i to the pipe after
// each step returned true; it writes -1 first, once it is ready. Returns
// the numbers the child reported before the kill.
std::vector<int> RunAndKill(const std::function<bool(int)>& step, std::mt19937& random) {
  int fds[2];
  if (pipe(fds) != 0) return {};
  const pid_t child = fork();
  if (child == 0) {
    close(fds[0]);
    int ready = -1;
    if (write(fds[1], &ready, sizeof ready) != sizeof ready) _exit(2);
    for (int i = 0;; ++i) {
      if (!step(i)) _exit(3);
      if (write(fds[1], &i, sizeof i) != sizeof i) _exit(2);
    }
  }
  close(fds[1]);
  int ready = 0;
  if (child < 0 || read(fds[0], &ready, sizeof ready) != sizeof ready) {
    close(fds[0]);
    ADD_FAILURE() << "the child did not start";
    return {};
  }
  std::this_thread::sleep_for(
      std::chrono::microseconds(std::uniform_int_distribution<int>(0, kMaxDelayMicroseconds)(random)));
  kill(child, SIGKILL);
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFSIGNALED(status)) << "the child ended on its own, status " << status;
  std::vector<int> reported;
  for (int n; read(fds[0], &n, sizeof n) == sizeof n;) reported.push_back(n);
  close(fds[0]);
  return reported;
}

std::vector<std::string> TemporaryFiles(const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir))
    if (entry.path().extension() == ".tmp") names.push_back(entry.path().filename().string());
  return names;
}

}  // namespace

TEST(CrashTrials, EveryReportedContactIsInBothLogsWholeAndOnce) {
  TempProgramDir dir;
  RecordingMessageSink sink;
  const std::string localLog = dir.Path("Logs/local.adi");
  std::mt19937 random(kSeed);
  const auto started = std::chrono::steady_clock::now();

  // The record line of contact n, as the default log must hold it.
  const auto lineOf = [](int n) {
    TLogLine line;
    line.SetCell(kCellStation, "W1AW");
    line.SetCell(kCellQth, QthOf(n));
    return line.RecordLine(kUtc);
  };

  std::set<int> reported, inFlight;  // every trial's reports; the contact each was killed in
  int logged = 0, tornTails = 0, caughtInLog = 0;
  for (int trial = 0; trial < kTrials; ++trial) {
    const int first = trial * 100000;  // each run's contacts have numbers of their own
    const auto got = RunAndKill(
        [&](int i) {
          static TTalvexApp* app = [&] {
            auto* a = new TTalvexApp;  // a restarted program: the child ends by SIGKILL
            a->SetLocalLogFile(localLog);
            a->SetLocalLogType(kLogTypeAdif);
            a->SetLocalLogging(true);
            return a;
          }();
          app->LogLine().SetCell(kCellStation, "W1AW");
          app->LogLine().SetCell(kCellQth, QthOf(first + i));
          return app->LogTheQso(kUtc, {}) == TLogLine::Logged::kLogged;
        },
        random);
    for (int i : got) reported.insert(first + i);
    inFlight.insert(first + static_cast<int>(got.size()));
    logged += static_cast<int>(got.size());

    // The default log: whole lines of known contacts, in order, each once;
    // a contact no run reported only where a run was killed. A kill in the
    // middle of a line may leave its first part, at the end; the next run
    // starts on a new line, so such a part stays a line of its own.
    std::string text = ReadWholeFile(dir.Path("Logs/Dravel_DEFAULTLOG.txt"));
    if (!text.empty() && text.back() != '\n') ++tornTails;
    std::vector<int> inDefault;
    caughtInLog = 0;
    for (const auto& line : SplitTextLines(text)) {
      const auto q = line.find(":Q");
      const int n = q == std::string::npos ? -1 : std::atoi(line.c_str() + q + 2);
      if (line != lineOf(n)) {
        const bool torn = std::any_of(inFlight.begin(), inFlight.end(),
                                      [&](int m) { return lineOf(m).rfind(line, 0) == 0; });
        ASSERT_TRUE(torn) << "trial " << trial << ": a foreign line: " << line;
        continue;
      }
      ASSERT_TRUE(reported.count(n) || inFlight.count(n)) << "trial " << trial << ": " << n;
      ASSERT_TRUE(inDefault.empty() || n > inDefault.back()) << "trial " << trial << ": " << n << " twice or out of order";
      inDefault.push_back(n);
      caughtInLog += !reported.count(n);
    }

    // The local log: one header, then one whole record per contact.
    // The part of a record a kill left at the end is cut by the next run,
    // so it may only be there now, after the last whole record.
    std::string localText = ReadWholeFile(localLog);
    const auto lastEor = localText.rfind("<EOR>");
    if (lastEor != std::string::npos && localText.find('<', lastEor + 5) != std::string::npos) {
      ++tornTails;
      localText.resize(lastEor + 5);
    }
    const auto adif = ReadAdif(localText);
    ASSERT_TRUE(adif) << "trial " << trial << ": the local log does not read as ADIF; it ends\n"
                      << localText.substr(localText.size() > 600 ? localText.size() - 600 : 0);
    std::vector<int> inLocal;
    for (const auto& record : adif->records) {
      ASSERT_EQ(record.count("QTH"), 1u) << "trial " << trial;
      inLocal.push_back(std::atoi(record.at("QTH").c_str() + 1));
      ASSERT_EQ(record.at("CALL"), "W1AW");
      ASSERT_TRUE(reported.count(inLocal.back()) || inFlight.count(inLocal.back()));
      ASSERT_TRUE(inLocal.size() == 1 || inLocal.back() > inLocal[inLocal.size() - 2]);
    }
    EXPECT_LE(adif->headerEnds, 1);
    for (const std::vector<int>* log : {&inDefault, &inLocal}) {
      const std::set<int> held(log->begin(), log->end());
      for (int n : reported) ASSERT_TRUE(held.count(n)) << "trial " << trial << ": reported contact " << n << " lost";
    }
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  std::printf("[ trials   ] contacts: %d kills, %d contacts reported and found in both logs, "
              "%d more in the default log by kills before their report, %d torn tails, %.1f s (seed %u)\n",
              kTrials, logged, caughtInLog, tornTails, seconds, kSeed);
  EXPECT_GT(logged, 0) << "every kill came before the child got to log";
}

namespace {

// Kills a child that replaces a state file with texts[0], texts[1], ... in
// turn, kTrials times; after every kill the file holds the text of the last
// reported write or of the one after it, and at most one temporary file lies
// beside it.
void StateFileTrials(const char* name, const std::string& path, const std::string (&texts)[2],
                     const std::function<bool(int)>& write) {
  ASSERT_TRUE(platform::WriteFileAtomically(path, texts[1]));
  std::mt19937 random(kSeed);
  const auto started = std::chrono::steady_clock::now();
  int written = 0, caughtInWrite = 0;
  int last = 1;  // the text the file held when the trial began
  for (int trial = 0; trial < kTrials; ++trial) {
    const auto got = RunAndKill(write, random);
    written += static_cast<int>(got.size());
    const int done = got.empty() ? last : got.back() % 2;
    const int next = got.empty() ? 0 : (got.back() + 1) % 2;
    const std::string now = ReadWholeFile(path);
    ASSERT_TRUE(now == texts[done] || now == texts[next])
        << name << " trial " << trial << ": " << now.size() << " bytes, neither text";
    caughtInWrite += now != texts[done];
    last = now == texts[0] ? 0 : 1;
    const auto temporaries = TemporaryFiles(fs::path(path).parent_path().string());
    ASSERT_LE(temporaries.size(), 1u) << name << " trial " << trial;
    if (!temporaries.empty()) {
      EXPECT_EQ(temporaries[0], fs::path(path).filename().string() + ".tmp");
    }
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  std::printf("[ trials   ] %s: %d kills, %d writes reported, %d kills after the new text was in place "
              "but before the report, %.1f s (seed %u)\n",
              name, kTrials, written, caughtInWrite, seconds, kSeed);
  EXPECT_GT(written, 0) << "every kill came before the child got to write";
}

}  // namespace

TEST(CrashTrials, RestartFileIsAlwaysTheWholeOldOrNewText) {
  TempProgramDir dir;
  // The two contents differ in length and in their early lines.
  TRestartSettings a, b;
  a.localLogFile = "/a/short.adi";
  b.localLogFile = std::string(200, 'b');
  b.disableAltF4 = b.wantLogGrid = true;
  const std::string texts[2] = {TRestartFile::Format(a), TRestartFile::Format(b)};
  TTalvexApp app;
  StateFileTrials("restart file", app.Files().restartFile.str(), texts, [&](int i) {
    app.SetLocalLogFile(i % 2 ? b.localLogFile.str() : a.localLogFile.str());
    app.SetDisplayOption(TDisplayOption::kDisableAltF4, i % 2);
    app.RememberPanels({.logGrid = i % 2 == 1});
    return app.WriteRestartFile();
  });
}

TEST(CrashTrials, RadioRestartFileIsAlwaysTheWholeOldOrNewText) {
  TempProgramDir dir;
  TRadioRestartState left;
  left.frequency = 7025000;
  left.radioTag = "RTS";
  for (int m = 0; m < 20; ++m) left.vfoMemories.push_back("M" + std::to_string(m) + ",14025000");
  const std::vector<TRadioBand> bands = DefaultBands();
  const std::optional<TRadioRestartState> states[2] = {left, std::nullopt};
  const std::string texts[2] = {TRadioRestartFile::Format(states[0], bands),
                                TRadioRestartFile::Format(states[1], bands)};
  const TRadioRestartFile file(dir.Path("Dravel_RADIORESTART.txt"));
  StateFileTrials("radio restart file", dir.Path("Dravel_RADIORESTART.txt"), texts,
                  [&](int i) { return file.Write(states[i % 2], bands); });
}
