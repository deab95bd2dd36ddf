#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "TempProgramDir.h"
#include "data/TProgramDirectory.h"
#include "platform/Files.h"

namespace {

// A machine of the test's own: an installed copy in usr/lib/talvex with its
// data set in usr/share/talvex, a copy of the user's in copy/, and homes.
struct Machine {
  TempProgramDir root;
  Machine() {
    root.Write("usr/lib/talvex/talvex", "exe");
    root.Write("usr/lib/talvex/Devices/VaroSim.dll", "sim 1");
    root.Write("usr/share/talvex/Dravel_INI.txt", "VERSION=1\n");
    root.Write("usr/share/talvex/Dravel_MSGTEMPLATE.txt", "CQ=CQ\n");
    root.Write("usr/share/talvex/Devices/Dravel_DEVICES.txt", "RADIO=Varo,VaroSim.dll\n");
    root.Write("usr/share/talvex/Documents/Talvex_NAMES.txt", "");
    root.Write("copy/talvex", "exe");
    root.Write("copy/Dravel_INI.txt", "VERSION=copy\n");
    root.Write("copy/Devices/VaroSim.dll", "sim copy");
    root.Write("copy/Logs/Dravel_DEFAULTLOG.txt", "old contact\n");
  }
  TProgramDirectoryEnvironment Env(bool writable, const std::string& xdg) const {
    return {xdg.empty() ? "" : root.Path(xdg), root.Path("home"), [writable](const std::string&) { return writable; }};
  }
};

}  // namespace

TEST(ProgramDirectory, TheCopysFolderOrTheUsersFolderFilledFromTheRightDataSet) {
  Machine m;
  struct Case {
    const char* module;
    bool writable;
    const char* xdg;
    const char* expectedDir;  // relative to the machine
    const char* expectedIni;  // the ini file's text there
    const char* expectedLib;
  };
  const Case cases[] = {
      // a build's or the user's own copy: today's folder, nothing copied
      {"copy/talvex", true, "xdg", "copy/", "VERSION=copy\n", "sim copy"},
      // the same copy on a folder it cannot write: the user's folder, filled from the copy
      {"copy/talvex", false, "xdg", "xdg/talvex/", "VERSION=copy\n", "sim copy"},
      // no data set to fill the user's folder from: its own folder, as before
      {"bare/talvex", false, "xdg3", "bare/", "", ""},
      // installed: even where it may write (root), the user's folder, from share/ and lib/
      {"usr/lib/talvex/talvex", true, "xdg2", "xdg2/talvex/", "VERSION=1\n", "sim 1"},
      // without XDG_DATA_HOME, the folder under HOME
      {"usr/lib/talvex/talvex", false, "", "home/.local/share/talvex/", "VERSION=1\n", "sim 1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.module) + (c.writable ? " writable" : " read-only"));
    const TProgramDirectory dir = ChooseProgramDirectory(m.root.Path(c.module), m.Env(c.writable, c.xdg));
    EXPECT_EQ(dir.dir, m.root.Path(c.expectedDir));
    std::string problem;
    ASSERT_TRUE(FillProgramDirectory(dir, problem)) << problem;
    EXPECT_EQ(m.root.Read(std::string(c.expectedDir) + "Dravel_INI.txt"), c.expectedIni);
    EXPECT_EQ(m.root.Read(std::string(c.expectedDir) + "Devices/VaroSim.dll"), c.expectedLib);
    for (const char* folder : {"Documents", "Logs", "Devices"}) {
      if (dir.IsPerUser()) {
        EXPECT_TRUE(std::filesystem::is_directory(dir.dir + folder)) << folder;
      }
    }
  }
  // The copy's executable stays behind; its contacts came along.
  EXPECT_FALSE(m.root.Exists("xdg/talvex/talvex"));
  EXPECT_EQ(m.root.Read("xdg/talvex/Logs/Dravel_DEFAULTLOG.txt"), "old contact\n");
  EXPECT_EQ(m.root.Read("xdg2/talvex/Devices/Dravel_DEVICES.txt"), "RADIO=Varo,VaroSim.dll\n");
  // Writability is what the process may really do: not even root makes files in /proc.
  EXPECT_TRUE(platform::CanWriteFolder(m.root.Dir()));
  EXPECT_FALSE(platform::CanWriteFolder("/proc/"));
  EXPECT_FALSE(platform::CanWriteFolder(m.root.Path("missing/")));
  // A relative XDG_DATA_HOME is not one: the folder under HOME.
  TProgramDirectoryEnvironment relative = m.Env(false, "");
  relative.xdgDataHome = "relative/data";
  EXPECT_EQ(ChooseProgramDirectory(m.root.Path("usr/lib/talvex/talvex"), relative).dir,
            m.root.Path("home/.local/share/talvex/"));
}

TEST(ProgramDirectory, LaterStartsKeepTheOperatorsFilesAndTakeAnUpgradedProgram) {
  Machine m;
  const TProgramDirectory dir = ChooseProgramDirectory(m.root.Path("usr/lib/talvex/talvex"), m.Env(false, "xdg"));
  std::string problem;
  ASSERT_TRUE(FillProgramDirectory(dir, problem)) << problem;

  // The operator works: a real radio, own names and messages, contacts, options.
  const char* operatorsFiles[][2] = {
      {"Devices/Dravel_DEVICES.txt", "RADIO=Varo,HamlibRadio.dll,19200,3073,-,RIG,250\n"},
      {"Documents/Talvex_NAMES.txt", "W1AW,HIRAM,1,FOC\n"},
      {"Dravel_MSGTEMPLATE.txt", "CQ=CQ TEST\n"},
      {"Logs/Dravel_DEFAULTLOG.txt", "2024-01-01:14025.0:CW\n"},
      {"Dravel_RESTART.txt", "END_OF_RESTART_FILE=YES"},
      {"Devices/HamlibRadio_CONFIG.txt", "MODEL=3073\n"},
  };
  for (const auto& file : operatorsFiles) m.root.Write(std::string("xdg/talvex/") + file[0], file[1]);
  // The package is upgraded: new libraries, ini file and shipped documents.
  m.root.Write("usr/lib/talvex/Devices/VaroSim.dll", "sim 2");
  m.root.Write("usr/lib/talvex/Devices/HamlibRadio.dll", "hamlib 2");
  m.root.Write("usr/share/talvex/Dravel_INI.txt", "VERSION=2\n");
  m.root.Write("usr/share/talvex/Documents/Talvex_NAMES.txt", "SHIPPED\n");
  m.root.Write("usr/share/talvex/Documents/Talvex_Help.html", "help 2");
  m.root.Write("usr/share/talvex/Devices/Dravel_DEVICES.txt", "RADIO=Varo,VaroSim.dll,2\n");

  ASSERT_TRUE(FillProgramDirectory(ChooseProgramDirectory(m.root.Path("usr/lib/talvex/talvex"), m.Env(false, "xdg")),
                                   problem))
      << problem;
  for (const auto& file : operatorsFiles) EXPECT_EQ(m.root.Read(std::string("xdg/talvex/") + file[0]), file[1]) << file[0];
  EXPECT_EQ(m.root.Read("xdg/talvex/Devices/VaroSim.dll"), "sim 2");
  EXPECT_EQ(m.root.Read("xdg/talvex/Devices/HamlibRadio.dll"), "hamlib 2");
  EXPECT_EQ(m.root.Read("xdg/talvex/Dravel_INI.txt"), "VERSION=2\n");
  EXPECT_EQ(m.root.Read("xdg/talvex/Documents/Talvex_Help.html"), "help 2");  // new to the operator
  EXPECT_FALSE(m.root.Exists("xdg/talvex/Dravel_INI.txt.tmp"));

  // A folder that cannot be made is told, with the folder.
  m.root.Write("blocked", "a file where the folder should be");
  TProgramDirectory blocked = dir;
  blocked.dir = m.root.Path("blocked/talvex/");
  EXPECT_FALSE(FillProgramDirectory(blocked, problem));
  EXPECT_NE(problem.find(m.root.Path("blocked/talvex/")), std::string::npos) << problem;
}
