#include <gtest/gtest.h>

#include <algorithm>

#include "RecordingMessageSink.h"
#include "TempProgramDir.h"
#include "radio/TRadioStartup.h"

namespace {
const char* kDevices =
    "# Talvex devices file\r\n"
    "RADIO=Varo,Radio,38400,a,b,c,d\r\n"
    "RADIO =Spaced,S.dll,9600,a,b,c,d\n"
    "radio=Short,,Lib,,4800,a\n"
    "RADIO=VARO,Other,1200,a,b,c,d\n"
    "RADIO=Alpha,VaroLib.DLL,4800,w,x,y,z,extra\n"
    "OTHER=Zeta,Z,1,2,3,4,5\n"
    "RADIO=\n"
    "no equals here\n";
}  // namespace

TEST(RadioStartup, ConnectionTextAndLibraryFollowTheEntry) {
  TempProgramDir dir;
  dir.Write("Devices/Dravel_DEVICES.txt", kDevices);
  TRadioStartup startup;
  ASSERT_TRUE(startup.ReadDevicesFile(dir.Path("Devices/Dravel_DEVICES.txt")));

  std::string text;
  ASSERT_TRUE(startup.GetConnectionText("Varo,Radio", "9600", text, 59));
  EXPECT_EQ(text, "Varo,Radio,9600,a,b,c,d");
  ASSERT_TRUE(startup.GetConnectionText("Varo,Radio", "default", text, 59));
  EXPECT_EQ(text, "Varo,Radio,38400,a,b,c,d");
  ASSERT_TRUE(startup.GetConnectionText("Varo,Radio", "9600", text, 10));
  EXPECT_EQ(text, "Varo,Radio");
  // The connection text is cut by the one rule: Latin-1 bytes that fit stay.
  dir.Write("Devices/Latin.txt", "RADIO=Caf\xe9,Lib,9600,\xb0,b,c,\xc3\x9c\n");
  TRadioStartup latin;
  latin.ReadDevicesFile(dir.Path("Devices/Latin.txt"));
  ASSERT_TRUE(latin.GetConnectionText("Caf\xe9", "9600", text, 14));
  EXPECT_EQ(text, "Caf\xe9,Lib,9600,");
  ASSERT_TRUE(latin.GetConnectionText("Caf\xe9", "9600", text, 21));  // inside the UTF-8 \xc3\x9c
  EXPECT_EQ(text, "Caf\xe9,Lib,9600,\xb0,b,c,");

  std::string lib = "unchanged";
  ASSERT_TRUE(startup.GetLibraryFileName("Varo,Radio", lib));
  EXPECT_EQ(lib, "Radio.dll");
  // ".DLL" in upper case does not count: ".dll" is appended.
  ASSERT_TRUE(startup.GetLibraryFileName("Alpha", lib));
  EXPECT_EQ(lib, "VaroLib.DLL.dll");
}

TEST(RadioStartup, LookupWalksWholeEntriesInSortedOrder) {
  TempProgramDir dir;
  dir.Write("Devices/Dravel_DEVICES.txt", kDevices);
  TRadioStartup startup;
  startup.ReadDevicesFile(dir.Path("Devices/Dravel_DEVICES.txt"));
  // "VARO" differs from "Varo" only in case: the first one read is kept.
  EXPECT_EQ(startup.RadioNames(), (std::vector<std::string>{"Alpha", "Short", "Varo"}));
  // "Varo" is also inside Alpha's library name, and Alpha sorts first.
  std::string lib;
  ASSERT_TRUE(startup.GetLibraryFileName("Varo", lib));
  EXPECT_EQ(lib, "VaroLib.DLL.dll");
  std::string text;
  ASSERT_TRUE(startup.GetConnectionText("Varo", "9600", text, 59));
  EXPECT_EQ(text, "Alpha,VaroLib.DLL,9600,w,x,y,z");
  // The substring test is case-sensitive.
  EXPECT_FALSE(startup.GetLibraryFileName("varo", lib));
  // An empty field drops out and leaves too few fields for a connection text.
  text = "unchanged";
  EXPECT_FALSE(startup.GetConnectionText("Short", "9600", text, 59));
  EXPECT_EQ(text, "unchanged");
  EXPECT_TRUE(startup.GetLibraryFileName("Short", lib));
  EXPECT_EQ(lib, "Lib.dll");
  EXPECT_FALSE(startup.GetLibraryFileName("Spaced", lib));  // "RADIO =" is not an entry
  EXPECT_FALSE(startup.GetLibraryFileName("Zeta", lib));
}

TEST(RadioStartup, ReadingAddsToWhatIsHeldAndAMissingFileIsReportedByEachSide) {
  TempProgramDir dir;
  dir.Write("Devices/a.txt", "RADIO=One,L1,1,a,b,c,d\n");
  dir.Write("Devices/b.txt", "RADIO=Two,L2,1,a,b,c,d\n");
  TRadioPairStartup pair;
  EXPECT_TRUE(pair.ReadDevicesFile(dir.Path("Devices/a.txt")));
  EXPECT_TRUE(pair.ReadDevicesFile(dir.Path("Devices/b.txt")));
  EXPECT_EQ(pair.Left().RadioNames(), (std::vector<std::string>{"One", "Two"}));
  EXPECT_EQ(pair.Right().RadioNames(), (std::vector<std::string>{"One", "Two"}));

  RecordingMessageSink sink;
  EXPECT_FALSE(pair.ReadDevicesFile(dir.Path("Devices/missing.txt")));
  EXPECT_EQ(sink.Messages(),
            (std::vector<std::string>{"Could not open the radios file", "Could not open the radios file"}));
}

TEST(RadioStartup, PortsAreSortedAsText) {
  TempProgramDir dir;
  dir.Write("Devices/Dravel_PORTS.txt", "COM2=/dev/null\nCOM10=/dev/null\nCOM255=/dev/null\n");
  TRadioPairStartup pair;
  EXPECT_GE(pair.ListPorts(dir.Path("Devices/Dravel_PORTS.txt")), 3);
  const auto& ports = pair.Right().Ports();
  ASSERT_GE(ports.size(), 2u);
  auto at10 = std::find(ports.begin(), ports.end(), "COM10");
  auto at2 = std::find(ports.begin(), ports.end(), "COM2");
  ASSERT_NE(at10, ports.end());
  ASSERT_NE(at2, ports.end());
  EXPECT_LT(at10, at2);  // text order: COM10 before COM2
  EXPECT_EQ(std::find(ports.begin(), ports.end(), "COM255"), ports.end());
}
