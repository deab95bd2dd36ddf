// The delivery crash trial: a child logs contacts as the program does (the
// line appended to the default log, then the serial I/O logging port fed
// from the journal) and is killed with SIGKILL at a random moment; in some
// runs the logging port is there, in others it is not. Every run starts on
// the files the last one left, as a restarted program does. At the end the
// far end of the line must have received every logged contact, in order,
// with no gap, and a contact again only right after itself: the one line a
// kill caught between its send and the position written after it, once per
// such kill.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <poll.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "../serial/SerialTestTexts.h"
#include "PseudoTerminal.h"
#include "RecordingMessageSink.h"
#include "TempProgramDir.h"
#include "data/TContactLog.h"
#include "data/TLogJournal.h"
#include "data/TextFile.h"
#include "serial/TSioLogController.h"

namespace {

constexpr int kContacts = 200;
constexpr int kMaxRuns = 600;  // a bound: the trial ends, whatever the kills do
constexpr unsigned kSeed = 20261210;
constexpr int kMaxDelayMicroseconds = 1500;

// The dialog is never shown: logging is resumed from the stored texts.
struct NoDialog : TSioLogDialog {
  void SetStoredTexts(const TSerialTexts&) override {}
  void CentreOnMainWindow() override {}
  void ShowModal() override {}
  bool ConnectPressed() const override { return false; }
  bool DisconnectPressed() const override { return false; }
  TSerialTexts SelectedTexts() const override { return {}; }
  std::string PortText() const override { return {}; }
  bool AdifSelected() const override { return false; }
  bool ArrlSelected() const override { return true; }
  void SetLoggingButtons(bool) override {}
};

std::string LineOf(int n) { return "2026-12-10:7025:CW:5:1200:W1AW:599:599:1201:Q" + std::to_string(n) + ":N/A:N/A"; }

// A program run: logging resumed on COM7, then contacts n, n+1, ... logged
// until kContacts, a byte written to progress after each; with no progress
// to report (-1), it returns once everything waiting was sent.
void ProgramRunOn(const TempProgramDir& dir, int progress) {
  RecordingMessageSink sink;  // "Error opening comm port." when the port is not there
  TLogJournal journal(dir.Path("Logs/Dravel_DEFAULTLOG.txt"), dir.Path("Logs/Talvex_DELIVERY.txt"));
  journal.Track(TLogJournal::kSerialTarget);
  NoDialog dialog;
  TSioLogController sio(dialog, dir.Path("Devices/Dravel_PORTS.txt"));
  sio.AttachJournal(&journal);
  TSioLogSettings settings{.texts = Texts("COM7", "115200", "1", "8", "None")};
  sio.ResumeSerialIoLogging(true, settings);
  if (progress < 0) return;
  std::vector<std::string> lines;
  LoadTextLines(journal.LogFile(), lines);
  TContactLog log;
  for (int n = static_cast<int>(lines.size()); n < kContacts; ++n) {
    log.AppendLine(journal.LogFile(), LineOf(n));
    sio.DeliverWaiting(true);
    if (write(progress, "c", 1) != 1) _exit(2);
  }
  for (;;) pause();  // logged all: wait for the kill
}

// The far end of the line while it is plugged in: everything it receives.
class FarEnd {
 public:
  explicit FarEnd(const TempProgramDir& dir) {
    dir.Write("Devices/Dravel_PORTS.txt", "COM7=" + m_pty.Device() + "\n");
    m_reader = std::thread([this] {
      for (int waiting; (waiting = m_pty.Pending()) > 0 || !m_stop;)
        if (waiting > 0)
          m_received += m_pty.Receive(static_cast<std::size_t>(waiting));
        else
          std::this_thread::sleep_for(std::chrono::milliseconds(1));
    });
  }
  /// Unplugged: what it received.
  std::string Unplug() {
    m_stop = true;
    m_reader.join();
    return m_received;
  }

 private:
  PseudoTerminal m_pty;
  std::string m_received;  // the reader's until it is joined
  std::atomic<bool> m_stop{false};
  std::thread m_reader;
};

}  // namespace

TEST(DeliveryCrashTrial, EveryContactReachesTheLoggingPortInOrderWithAtMostOneRepeatPerKill) {
  TempProgramDir dir;
  std::mt19937 random(kSeed);
  const auto started = std::chrono::steady_clock::now();
  std::string received;
  int runs = 0, runsWithPort = 0, stalled = 0;
  for (std::size_t before = 0; runs < kMaxRuns; ++runs) {
    std::vector<std::string> logged;
    LoadTextLines(dir.Path("Logs/Dravel_DEFAULTLOG.txt"), logged);
    if (logged.size() >= kContacts) break;
    // A busy machine slows the runs down: the kills wait longer while runs log nothing.
    stalled = logged.size() > before ? 0 : stalled + 1;
    before = logged.size();
    std::unique_ptr<FarEnd> farEnd;
    if (random() % 2 == 0) {
      farEnd = std::make_unique<FarEnd>(dir);
      ++runsWithPort;
    } else {
      dir.Write("Devices/Dravel_PORTS.txt", "COM7=" + dir.Path("unplugged-tty") + "\n");
    }
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    if (child == 0) {
      if (write(ready[1], "r", 1) != 1) _exit(2);
      ProgramRunOn(dir, ready[1]);
      _exit(0);
    }
    ASSERT_GT(child, 0);
    // Started, then up to two contacts logged, then a random moment inside the next steps.
    char r = 0;
    EXPECT_EQ(read(ready[0], &r, 1), 1);
    pollfd next{ready[0], POLLIN, 0};
    for (int steps = std::uniform_int_distribution<int>(0, 2)(random); steps > 0 && poll(&next, 1, 2000) == 1; --steps)
      EXPECT_EQ(read(ready[0], &r, 1), 1);
    const int delay = kMaxDelayMicroseconds * (1 + stalled);
    std::this_thread::sleep_for(std::chrono::microseconds(std::uniform_int_distribution<int>(0, delay)(random)));
    kill(child, SIGKILL);
    for (int fd : ready) close(fd);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "run " << runs << " ended on its own, status " << status;
    if (farEnd) received += farEnd->Unplug();
  }
  ASSERT_LT(runs, kMaxRuns) << "the contacts were not all logged";
  {
    // The last start, the port plugged in, sends what still waited.
    FarEnd farEnd(dir);
    ProgramRunOn(dir, -1);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    received += farEnd.Unplug();
  }

  // What the far end read: a carriage return at each opening, then lines ended by ":;".
  std::erase(received, '\r');
  std::vector<std::string> lines;
  std::size_t end = 0;
  for (std::size_t start = 0; (end = received.find(":;", start)) != std::string::npos; start = end + 2)
    lines.push_back(received.substr(start, end - start));
  EXPECT_TRUE(received.ends_with(":;")) << "a line cut short";
  // In order, no gap; a line again only right after itself. Each repeat is
  // owed to a kill of a run that had the port, after it sent a line and
  // before it wrote the position (two such kills in a row: twice again).
  int next = 0, repeats = 0, mostTimes = 1;
  std::map<int, int> times;
  for (const std::string& line : lines) {
    const bool again = next > 0 && line == LineOf(next - 1);
    ASSERT_TRUE(again || (next < kContacts && line == LineOf(next))) << "after contact " << next - 1 << ": " << line;
    repeats += again;
    mostTimes = std::max(mostTimes, ++times[again ? next - 1 : next++]);
  }
  const int gaps = kContacts - next;
  EXPECT_EQ(gaps, 0);
  EXPECT_LE(repeats, runsWithPort);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  std::printf("[ trials   ] delivery: %d contacts, %d runs killed (%d with the port plugged in), "
              "%zu lines received, %d repeats (a line at most %d times), %d gaps, %.1f s (seed %u)\n",
              kContacts, runs, runsWithPort, lines.size(), repeats, mostTimes, gaps, seconds, kSeed);
}
