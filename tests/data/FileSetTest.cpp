#include <gtest/gtest.h>

#include "data/TFileSet.h"

TEST(FileSet, TheIniKeyTableCompletesTheFoldersItNames) {
  TFileSet files;
  files.Build("/opt/talvex/talvex");
  EXPECT_EQ(files.programDir.str(), "/opt/talvex/");
  EXPECT_EQ(files.PortsFile(), "/opt/talvex/Devices/Dravel_PORTS.txt");
  files.ApplyIniEntry("restart_file", "mine.txt");
  files.ApplyIniEntry("NAMES_HISTORY_FILE", "names.txt");
  files.ApplyIniEntry("FREQ_ALLOCATION_GENERAL", "general.txt");
  files.ApplyIniEntry("OSTREL_URL", " http://maker.example ");  // values are not trimmed
  files.ApplyIniEntry("VERSION", "12345678901234567890");
  files.ApplyIniEntry("DEVICES_FILE", "elsewhere.txt");  // not a key of the ini file
  EXPECT_EQ(files.restartFile.str(), "/opt/talvex/mine.txt");
  EXPECT_EQ(files.namesFile.str(), "/opt/talvex/Documents/names.txt");
  EXPECT_EQ(files.allocationGeneralFile.str(), "/opt/talvex/Documents/general.txt");
  EXPECT_EQ(files.makerUrl.str(), " http://maker.example ");
  EXPECT_EQ(files.version.str(), "12345678901234");
  EXPECT_EQ(files.devicesFile.str(), "/opt/talvex/Devices/Dravel_DEVICES.txt");

  // Building again moves the program's own files and keeps what the ini file set.
  files.Build("/srv/t/talvex");
  EXPECT_EQ(files.restartFile.str(), "/srv/t/Dravel_RESTART.txt");
  EXPECT_EQ(files.namesFile.str(), "/opt/talvex/Documents/names.txt");
}
