#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "TempProgramDir.h"
#include "platform/Files.h"
#include "platform/SystemError.h"

namespace fs = std::filesystem;

namespace {
std::vector<std::string> Entries(const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}
}  // namespace

TEST(Files, ReplacesWholeFilesAndAppendsExactly) {
  TempProgramDir dir;
  const std::string path = dir.Path("state.txt");
  ASSERT_TRUE(platform::WriteFileAtomically(path, "old text that is longer"));
  ASSERT_TRUE(platform::WriteFileAtomically(path, "new"));
  EXPECT_EQ(dir.Read("state.txt"), "new");
  ASSERT_TRUE(platform::WriteFileAtomically(path, ""));
  EXPECT_TRUE(dir.Exists("state.txt"));
  EXPECT_EQ(dir.Read("state.txt"), "");
  EXPECT_FALSE(platform::WriteFileAtomically("", "x"));
  EXPECT_FALSE(dir.Exists("state.txt.tmp"));

  ASSERT_TRUE(platform::AppendFileDurably(dir.Path("log.txt"), "a"));
  ASSERT_TRUE(platform::AppendFileDurably(dir.Path("log.txt"), std::string("b\0c", 3)));
  EXPECT_EQ(dir.Read("log.txt"), std::string("ab\0c", 4));
  int error = 0;
  EXPECT_FALSE(platform::AppendFileDurably(dir.Path("Logs"), "x", &error));  // a folder
  EXPECT_EQ(error, EISDIR);
  EXPECT_FALSE(platform::AppendFileDurably(dir.Path("Nowhere/log.txt"), "x", &error));
  EXPECT_EQ(error, ENOENT);

  std::string text = "left alone";
  EXPECT_FALSE(platform::ReadFileText(dir.Path("missing.txt"), text, &error));
  EXPECT_EQ(error, ENOENT);
  EXPECT_EQ(text, "");
  EXPECT_FALSE(platform::ReadFileText(dir.Path("Logs"), text, &error));
  ASSERT_TRUE(platform::ReadFileText(dir.Path("log.txt"), text, &error));
  EXPECT_EQ(text, std::string("ab\0c", 4));
  EXPECT_EQ(error, 0);
}

TEST(Files, AFailedReplaceLeavesTheOldFileAndNoTemporaryFile) {
  TempProgramDir dir;
  // A temporary file of an earlier write that was killed is simply replaced.
  dir.Write("state.txt.tmp", "half of a killed wri");
  ASSERT_TRUE(platform::WriteFileAtomically(dir.Path("state.txt"), "whole"));
  EXPECT_EQ(dir.Read("state.txt"), "whole");
  EXPECT_FALSE(dir.Exists("state.txt.tmp"));

  // The rename over a folder fails: the folder stays, the temporary goes.
  fs::create_directory(dir.Path("Folder"));
  dir.Write("Folder/inside.txt", "x");
  int error = 0;
  EXPECT_FALSE(platform::WriteFileAtomically(dir.Path("Folder"), "text", &error));
  EXPECT_NE(error, 0);
  EXPECT_TRUE(fs::is_directory(dir.Path("Folder")));
  EXPECT_FALSE(dir.Exists("Folder.tmp"));
}

// A writer killed at any point leaves the file whole (old or new) and at
// most one temporary file beside it, however often it is killed.
TEST(Files, KilledWritersLeaveAtMostOneTemporaryFile) {
  TempProgramDir dir;
  const std::string folder = dir.Path("State");
  fs::create_directory(folder);
  const std::string path = folder + "/state.txt";
  const std::string texts[] = {std::string(300000, 'A') + "END", std::string(200000, 'B') + "END"};
  ASSERT_TRUE(platform::WriteFileAtomically(path, texts[0]));
  for (int round = 0; round < 30; ++round) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (unsigned i = 0;; ++i) platform::WriteFileAtomically(path, texts[i % 2]);
    }
    // Let it get somewhere in its loop; where it is when killed is up to chance.
    std::this_thread::sleep_for(std::chrono::microseconds(200 * (round % 7)));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    const auto names = Entries(folder);
    ASSERT_GE(names.size(), 1u);
    ASSERT_LE(names.size(), 2u) << "round " << round;
    EXPECT_EQ(names[0], "state.txt");
    if (names.size() == 2) {
      EXPECT_EQ(names[1], "state.txt.tmp");
    }
    const std::string now = ReadWholeFile(path);
    EXPECT_TRUE(now == texts[0] || now == texts[1]) << "round " << round << ": " << now.size() << " bytes";
  }
  ASSERT_TRUE(platform::WriteFileAtomically(path, "after"));
  EXPECT_EQ(Entries(folder), std::vector<std::string>{"state.txt"});
}

// A FIFO nobody writes to, or a folder, in a file's place: every operation
// answers at once, with a code the user's message can name.
TEST(Files, FifosAndFoldersAreRefusedWithoutWaiting) {
  TempProgramDir dir;
  ASSERT_EQ(mkfifo(dir.Path("fifo").c_str(), 0644), 0);
  ASSERT_EQ(mkfifo(dir.Path("state.txt.tmp").c_str(), 0644), 0);
  fs::create_directory(dir.Path("folder"));
  struct Case {
    const char* what;
    bool (*run)(const std::string&, int*);
    const char* file;
    int code;
  };
  const auto read = [](const std::string& p, int* e) { std::string t; return platform::ReadFileText(p, t, e); };
  const auto append = [](const std::string& p, int* e) { return platform::AppendFileDurably(p, "x\n", e); };
  const auto replace = [](const std::string& p, int* e) { return platform::WriteFileAtomically(p, "x", e); };
  const Case cases[] = {
      {"read a FIFO", read, "fifo", EINVAL},
      {"read a folder", read, "folder", EISDIR},
      {"append to a FIFO", append, "fifo", EINVAL},
      {"append to a folder", append, "folder", EISDIR},
      {"replace through a FIFO temporary", replace, "state.txt", EINVAL},
  };
  for (const Case& c : cases) {
    int error = 0;
    EXPECT_FALSE(c.run(dir.Path(c.file), &error)) << c.what;
    EXPECT_EQ(error, c.code) << c.what;
  }
  EXPECT_FALSE(dir.Exists("state.txt"));
  EXPECT_FALSE(platform::OpenFileForReading(dir.Path("fifo")).Valid());
}

TEST(SystemError, FailuresHaveTheKindsTheProgramTellsApart) {
  using platform::SystemErrorKind;
  TempProgramDir dir;
  std::string text;
  int error = 0;
  EXPECT_FALSE(platform::ReadFileText(dir.Path("missing.txt"), text, &error));
  EXPECT_EQ(platform::KindOfSystemError(error), SystemErrorKind::NotFound);
  EXPECT_FALSE(platform::ReadFileText(dir.Path("Logs"), text, &error));
  EXPECT_EQ(platform::KindOfSystemError(error), SystemErrorKind::IsFolder);
  for (SystemErrorKind kind : {SystemErrorKind::None, SystemErrorKind::NotFound, SystemErrorKind::Busy,
                               SystemErrorKind::TimedOut, SystemErrorKind::IsFolder, SystemErrorKind::Refused,
                               SystemErrorKind::Io, SystemErrorKind::Other})
    EXPECT_EQ(platform::KindOfSystemError(platform::SystemErrorOf(kind)), kind) << static_cast<int>(kind);
}
