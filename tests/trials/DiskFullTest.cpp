// A disk that runs full and a Logs folder the operator may not write to:
// the contact stays in the line and is reported with the file and the
// reason, no log holds half of it, and a state file that cannot be written
// keeps its old text.

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <filesystem>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "../data/AdifTestReader.h"
#include "RecordingMessageSink.h"
#include "TempProgramDir.h"
#include "app/TTalvexApp.h"
#include "data/TRadioRestartFile.h"
#include "platform/DateTime.h"
#include "platform/Files.h"

namespace fs = std::filesystem;

namespace {

const double kUtc = platform::EncodeDateTime(2026, 5, 21, 14, 23, 5);

// A 64 KiB tmpfs mounted over a folder while it lives.
class SmallDisk {
 public:
  explicit SmallDisk(std::string dir) : m_dir(std::move(dir)) {
    m_mounted = ::mount("tmpfs", m_dir.c_str(), "tmpfs", 0, "size=64k,mode=0755") == 0;
    m_error = errno;
  }
  ~SmallDisk() {
    if (m_mounted) ::umount2(m_dir.c_str(), MNT_DETACH);
  }
  bool Mounted() const { return m_mounted; }
  std::string Why() const { return std::strerror(m_error); }

 private:
  std::string m_dir;
  bool m_mounted = false;
  int m_error = 0;
};

// Writes the file until the disk has no byte left; true when it ran full.
bool FillDisk(const std::string& path) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) return false;
  const std::string block(4096, 'F');
  while (::write(fd, block.data(), block.size()) > 0) {}
  while (::write(fd, "F", 1) > 0) {}
  const bool full = errno == ENOSPC;
  ::close(fd);
  return full;
}

void SetContact(TTalvexApp& app, const char* call) {
  app.LogLine().SetCell(kCellStation, call);
  app.LogLine().SetCell(kCellQth, "BOSTON");
}

}  // namespace

TEST(DiskFull, TheContactStaysInTheLineAndNoFileIsHalfWritten) {
  TempProgramDir dir;
  SmallDisk disk(dir.Dir());
  if (!disk.Mounted()) GTEST_SKIP() << "cannot mount a small tmpfs here (" << disk.Why() << "); needs root";
  fs::create_directory(dir.Path("Logs"));
  RecordingMessageSink sink;
  TTalvexApp app;
  const std::string defaultLog = app.Files().defaultLogFile.str(), localLog = dir.Path("Logs/local.adi");
  app.SetLocalLogFile(localLog);
  app.SetLocalLogType(kLogTypeAdif);
  app.SetLocalLogging(true);
  ASSERT_TRUE(app.WriteRestartFile());
  const std::string oldRestart = dir.Read("Dravel_RESTART.txt");
  const TRadioRestartFile radioRestart(app.Files().radioRestartFile.str());
  ASSERT_TRUE(radioRestart.Write(std::nullopt, DefaultBands()));
  const std::string oldRadioRestart = ReadWholeFile(app.Files().radioRestartFile.str());

  // Both logs end a few bytes short of a page: the next record takes a new
  // page, so a write that runs out of space gets part of it onto the disk.
  const std::string oldDefault = std::string(4000, 'x') + "\n" + std::string(4096 - 4001 - 20, 'y') + "\n";
  const std::string oldLocal = "Talvex log " + std::string(4096 - 20 - 18, '.') + "\n<EOH>\n";
  ASSERT_EQ(oldLocal.size(), 4096u - 20);
  dir.Write("Logs/Dravel_DEFAULTLOG.txt", oldDefault);
  dir.Write("Logs/local.adi", oldLocal);
  ASSERT_TRUE(FillDisk(dir.Path("filler")));

  SetContact(app, "W1AW");
  EXPECT_EQ(app.LogTheQso(kUtc, {}), TLogLine::Logged::kKept);
  EXPECT_TRUE(app.LogLine().HoldsUnloggedContact());
  EXPECT_EQ(dir.Read("Logs/Dravel_DEFAULTLOG.txt"), oldDefault);
  EXPECT_EQ(dir.Read("Logs/local.adi"), oldLocal);
  EXPECT_EQ(sink.Messages(), (std::vector<std::string>{
                                 "Could not write the log file " + defaultLog + ": No space left on device",
                                 "Could not write the log file " + localLog + ": No space left on device"}));

  // The state files keep their old text, and no temporary file is left.
  app.SetDisplayOption(TDisplayOption::kDisableAltF4, true);
  EXPECT_FALSE(app.WriteRestartFile());
  EXPECT_EQ(dir.Read("Dravel_RESTART.txt"), oldRestart);
  int error = 0;
  TRadioRestartState left;
  left.vfoMemories.assign(50, "M,14025000");
  EXPECT_FALSE(radioRestart.Write(left, DefaultBands(), &error));
  EXPECT_EQ(error, ENOSPC);
  EXPECT_EQ(ReadWholeFile(app.Files().radioRestartFile.str()), oldRadioRestart);
  EXPECT_FALSE(dir.Exists("Dravel_RESTART.txt.tmp") || dir.Exists("Dravel_RADIORESTART.txt.tmp"));

  // Space again: the kept contact goes in whole, and the next one after it.
  fs::remove(dir.Path("filler"));
  EXPECT_EQ(app.LogTheQso(kUtc, {}), TLogLine::Logged::kLogged);
  SetContact(app, "K1ABC");
  EXPECT_EQ(app.LogTheQso(kUtc, {}), TLogLine::Logged::kLogged);
  const std::string nowDefault = dir.Read("Logs/Dravel_DEFAULTLOG.txt");
  EXPECT_EQ(nowDefault.substr(0, oldDefault.size()), oldDefault);
  EXPECT_EQ(nowDefault.substr(oldDefault.size()),
            "2026-05-21::::1423:W1AW:599:599:1423:BOSTON:N/A:N/A\n"
            "2026-05-21::::1423:K1ABC:599:599:1423:BOSTON:N/A:N/A\n");
  const auto adif = ReadAdif(dir.Read("Logs/local.adi"));
  ASSERT_TRUE(adif);
  ASSERT_EQ(adif->records.size(), 2u);
  EXPECT_EQ(adif->records[0].at("CALL"), "W1AW");
  EXPECT_EQ(adif->records[1].at("CALL"), "K1ABC");
  EXPECT_TRUE(app.WriteRestartFile());
  EXPECT_NE(dir.Read("Dravel_RESTART.txt"), oldRestart);
}

// The program runs as an ordinary user whose Logs folder (and program
// folder) it may not write: the contact stays in the line, each log is
// reported with its path and the reason, and the restart file keeps its text.
TEST(DiskFull, ReadOnlyLogsFolderForAnOrdinaryUser) {
  TempProgramDir dir;
  RecordingMessageSink sink;
  dir.Write("Dravel_RESTART.txt", "OLD");
  ASSERT_EQ(chmod(dir.Dir().c_str(), 0755), 0);
  ASSERT_EQ(chmod(dir.Path("Logs").c_str(), 0555), 0);
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    close(fds[0]);
    std::string report;
    if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0)) {
      report = "SKIP cannot become the user nobody (65534)";
    } else {
      TTalvexApp app;
      app.SetLocalLogFile(dir.Path("Logs/local.adi"));
      app.SetLocalLogType(kLogTypeAdif);
      app.SetLocalLogging(true);
      SetContact(app, "W1AW");
      const bool kept = app.LogTheQso(kUtc, {}) == TLogLine::Logged::kKept && app.LogLine().HoldsUnloggedContact();
      const bool restartRefused = !app.WriteRestartFile();
      report = std::string(kept ? "KEPT" : "NOT KEPT") + (restartRefused ? " REFUSED" : " WRITTEN");
      for (const auto& message : sink.Messages()) report += "\n" + message;
    }
    const bool sent = write(fds[1], report.data(), report.size()) == static_cast<ssize_t>(report.size());
    _exit(sent ? 0 : 1);
  }
  close(fds[1]);
  std::string report;
  char buffer[4096];
  for (ssize_t n; (n = read(fds[0], buffer, sizeof buffer)) > 0;) report.append(buffer, static_cast<std::size_t>(n));
  close(fds[0]);
  int status = 0;
  waitpid(child, &status, 0);
  if (report.starts_with("SKIP")) GTEST_SKIP() << report.substr(5);
  EXPECT_EQ(report, "KEPT REFUSED\n"
                    "Could not write the log file " + dir.Path("Logs/Dravel_DEFAULTLOG.txt") + ": Permission denied\n"
                    "Could not write the log file " + dir.Path("Logs/local.adi") + ": Permission denied");
  EXPECT_TRUE(fs::is_empty(dir.Path("Logs")));
  EXPECT_EQ(dir.Read("Dravel_RESTART.txt"), "OLD");
  EXPECT_FALSE(dir.Exists("Dravel_RESTART.txt.tmp"));
}
