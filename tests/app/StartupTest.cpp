// The real executable, started as a user would: single instance, missing ini.

#include <gtest/gtest.h>

#include <filesystem>
#include <csignal>
#include <set>
#include <unistd.h>

#include "ProgramRun.h"
#include "TempProgramDir.h"

namespace fs = std::filesystem;

namespace {

// A program directory with a copy of the built executable and the data set.
struct InstalledProgram {
  TempProgramDir dir;
  std::string exe;
  std::string instance;

  explicit InstalledProgram(bool withIni) {
    fs::copy(TALVEX_SOURCE_DIR "/dist", dir.Dir(), fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    for (const auto& entry : fs::directory_iterator(TALVEX_DEVICES_DIR))
      fs::copy(entry.path(), dir.Path("Devices/") + entry.path().filename().string(),
               fs::copy_options::overwrite_existing);
    exe = dir.Path("talvex");
    fs::copy_file(TALVEX_PROGRAM_DIR "/talvex", exe);
    if (!withIni) fs::remove(dir.Path("Dravel_INI.txt"));
    instance = "talvex-test-" + std::to_string(getpid()) + "-" + std::to_string(++counter);
  }
  std::vector<std::string> Env() const {
    return {"QT_QPA_PLATFORM=offscreen", "TALVEX_MESSAGE_LOG=1", "TALVEX_INSTANCE_NAME=" + instance};
  }
  std::set<std::string> Listing() const {
    std::set<std::string> names;
    for (const auto& e : fs::recursive_directory_iterator(dir.Dir()))
      names.insert(e.path().string() + "@" +
                   std::to_string(fs::last_write_time(e.path()).time_since_epoch().count()));
    return names;
  }
  static inline int counter = 0;
};

}  // namespace

TEST(Startup, MissingIniShowsTwoMessagesAndEndsWithExitZero) {
  InstalledProgram program(false);
  const std::string err = program.dir.Path("stderr.txt");
  ProgramRun run(program.exe, program.Env(), err);
  int code = -1;
  ASSERT_TRUE(run.Wait(30000, &code));
  EXPECT_EQ(code, 0);
  const std::string text = ReadWholeFile(err);
  EXPECT_NE(text.find("message: COULD NOT OPEN INI FILE\nmessage: Ini file is missing\n"), std::string::npos)
      << text;
  EXPECT_EQ(text.find("main window shown"), std::string::npos);
}

TEST(Startup, SecondCopyRaisesTheFirstAndExitsWithoutTouchingFiles) {
  InstalledProgram program(true);
  const std::string firstErr = program.dir.Path("first.txt");
  const std::string secondErr = "/tmp/talvex-second-" + program.instance + ".txt";

  // A failed start (no ini) leaves nothing behind that stops a later start.
  fs::rename(program.dir.Path("Dravel_INI.txt"), program.dir.Path("ini.bak"));
  {
    ProgramRun failed(program.exe, program.Env(), program.dir.Path("failed.txt"));
    int code = -1;
    ASSERT_TRUE(failed.Wait(30000, &code));
  }
  fs::rename(program.dir.Path("ini.bak"), program.dir.Path("Dravel_INI.txt"));

  ProgramRun first(program.exe, program.Env(), firstErr);
  ASSERT_TRUE(WaitForText(firstErr, "main window shown", 30000)) << ReadWholeFile(firstErr);

  const auto before = program.Listing();
  {
    ProgramRun second(program.exe, program.Env(), secondErr);
    int code = -1;
    ASSERT_TRUE(second.Wait(30000, &code));
    EXPECT_EQ(code, 0);
  }
  EXPECT_TRUE(WaitForText(firstErr, "main window raised", 30000)) << ReadWholeFile(firstErr);
  EXPECT_EQ(ReadWholeFile(secondErr).find("main window shown"), std::string::npos);
  auto after = program.Listing();
  // the first copy's own stderr file grows; nothing else may change
  std::erase_if(after, [&](const std::string& s) { return s.rfind(firstErr, 0) == 0; });
  auto beforeFiltered = before;
  std::erase_if(beforeFiltered, [&](const std::string& s) { return s.rfind(firstErr, 0) == 0; });
  EXPECT_EQ(beforeFiltered, after);
  fs::remove(secondErr);
  // A copy killed outright leaves its socket behind; the next start takes it over.
  first.Kill();
  ProgramRun next(program.exe, program.Env(), program.dir.Path("next.txt"));
  EXPECT_TRUE(WaitForText(program.dir.Path("next.txt"), "main window shown", 30000))
      << ReadWholeFile(program.dir.Path("next.txt"));
  next.Kill();
}

TEST(Startup, TwoCopiesStartedTogetherLeaveOneRunning) {
  InstalledProgram program(true);
  const std::string errA = program.dir.Path("a.txt");
  const std::string errB = "/tmp/talvex-b-" + program.instance + ".txt";
  ProgramRun a(program.exe, program.Env(), errA);
  ProgramRun b(program.exe, program.Env(), errB);
  // One of them ends at once with exit code 0; the other keeps running.
  int code = -1;
  bool aEnded = false, bEnded = false;
  for (int i = 0; i < 300 && !aEnded && !bEnded; ++i) {
    aEnded = a.Wait(50, &code);
    if (!aEnded) bEnded = b.Wait(50, &code);
  }
  ASSERT_TRUE(aEnded || bEnded);
  EXPECT_EQ(code, 0);
  ProgramRun& survivor = aEnded ? b : a;
  const std::string survivorErr = aEnded ? errB : errA;
  EXPECT_TRUE(WaitForText(survivorErr, "main window shown", 30000)) << ReadWholeFile(survivorErr);
  EXPECT_FALSE(survivor.Wait(0, &code));  // running, its window shown, the other copy gone
  survivor.Kill();
  fs::remove(errB);
}

TEST(Startup, ALogoutClosesTheWindowTheNormalWayAndExitsZero) {
  InstalledProgram program(true);
  const std::string err = program.dir.Path("err.txt");
  ProgramRun run(program.exe, program.Env(), err);
  ASSERT_TRUE(WaitForText(err, "main window shown", 30000)) << ReadWholeFile(err);
  ASSERT_EQ(kill(run.Pid(), SIGTERM), 0);
  int code = -1;
  ASSERT_TRUE(run.Wait(30000, &code)) << ReadWholeFile(err);
  EXPECT_EQ(code, 0);
  // Both state files are whole, their end markers last.
  EXPECT_TRUE(ReadWholeFile(program.dir.Path("Dravel_RESTART.txt")).ends_with("END_OF_RESTART_FILE=YES"));
  EXPECT_TRUE(ReadWholeFile(program.dir.Path("Dravel_RADIORESTART.txt")).ends_with("END_OF_RADIORESTART_FILE=YES"));
}
