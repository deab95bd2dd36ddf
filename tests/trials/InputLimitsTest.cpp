// The data-file start-up with inputs out of the ordinary: a FIFO nobody
// writes to or a folder in a data file's place, a 10 MB line without a line
// end, 100,000 devices, 10,000 template lines. The start goes on (or stops
// with its message, for the ini and devices files) and never waits.

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <sys/stat.h>

#include "RecordingMessageSink.h"
#include "TempProgramDir.h"
#include "app/TTalvexApp.h"
#include "radio/TRadioStartup.h"

namespace fs = std::filesystem;

namespace {

struct Installed {
  TempProgramDir dir;
  RecordingMessageSink sink;
  Installed() {
    dir.Write("Dravel_INI.txt", "VERSION=0.1.0\nNAMES_HISTORY_FILE=names.txt\n");
    dir.Write("Devices/Dravel_DEVICES.txt", "RADIO=Varo,VaroSim,9600,A,B,C,D\n");
    dir.Write("Dravel_RESTART.txt", "AUTO_CQ_DELAY=5\nEND_OF_RESTART_FILE=YES");
    dir.Write("Documents/names.txt", "W1AW,Hiram\n");
    dir.Write("Dravel_MSGTEMPLATE.txt", "MSG=CQ,CQ TEST\n");
  }
};

// Every data file the start reads, and whether the start must stop without it.
struct DataFile {
  const char* path;
  bool needed;
};
constexpr DataFile kDataFiles[] = {
    {"Dravel_INI.txt", true},           {"Devices/Dravel_DEVICES.txt", true},
    {"Devices/Dravel_PORTS.txt", false}, {"Dravel_RESTART.txt", false},
    {"Documents/names.txt", false},     {"Dravel_MSGTEMPLATE.txt", false},
};

}  // namespace

TEST(InputLimits, AFifoOrFolderInADataFilesPlaceIsReportedOrSkipped) {
  for (const DataFile& file : kDataFiles) {
    for (const bool fifo : {true, false}) {
      SCOPED_TRACE(std::string(file.path) + (fifo ? " as a FIFO" : " as a folder"));
      Installed p;
      const std::string path = p.dir.Path(file.path);
      fs::remove(path);
      ASSERT_TRUE(fifo ? mkfifo(path.c_str(), 0644) == 0 : fs::create_directory(path));
      TTalvexApp app;
      EXPECT_EQ(app.OpenDataFiles(), !file.needed);
      if (file.needed) {
        EXPECT_FALSE(p.sink.Messages().empty());
      } else {
        EXPECT_EQ(app.RadioPairStartup().Left().RadioNames(), std::vector<std::string>{"Varo"});
      }
    }
  }
}

TEST(InputLimits, ATenMegabyteLineWithoutALineEndIsTakenLikeAnyOtherLine) {
  const std::string longLine(10 << 20, 'A');
  for (const DataFile& file : kDataFiles) {
    SCOPED_TRACE(file.path);
    Installed p;
    p.dir.Write(file.path, p.dir.Read(file.path) + longLine);
    TTalvexApp app;
    EXPECT_TRUE(app.OpenDataFiles());
    EXPECT_EQ(app.LookupOperator("W1AW"), "Hiram,N/A");
    EXPECT_EQ(app.RadioPairStartup().Left().RadioNames(), std::vector<std::string>{"Varo"});
  }
}

TEST(InputLimits, AHundredThousandDevicesAndTenThousandTemplateLines) {
  Installed p;
  // In no order, as a merged or hand-kept file may be; one entry twice in
  // other letter case, which counts once.
  std::vector<std::string> lines;
  for (int i = 0; i < 100000; ++i) lines.push_back("RADIO=Radio" + std::to_string(i) + ",Lib,9600,A,B,C,D");
  std::shuffle(lines.begin(), lines.end(), std::mt19937(7));
  std::string devices;
  for (const auto& line : lines) devices += line + "\n";
  p.dir.Write("Devices/Dravel_DEVICES.txt", devices + "radio=RADIO17,LIB,9600,A,B,C,D\n");
  std::string templates;
  for (int i = 0; i < 10000; ++i) templates += "MSG=M" + std::to_string(i) + ",TEXT " + std::to_string(i) + "\n";
  p.dir.Write("Dravel_MSGTEMPLATE.txt", templates + "AUTOCQ_DELAY=8\n");

  TTalvexApp app;
  ASSERT_TRUE(app.OpenDataFiles());
  const TRadioStartup& left = app.RadioPairStartup().Left();
  ASSERT_EQ(left.RadioEntries().size(), 100000u);
  EXPECT_TRUE(std::is_sorted(left.RadioNames().begin(), left.RadioNames().end(), [](const auto& a, const auto& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return std::toupper(x) < std::toupper(y); });
  }));
  EXPECT_EQ(app.RadioPairStartup().Right().RadioEntries().size(), 100000u);
  std::string fileName;
  ASSERT_TRUE(app.RadioPairStartup().GetLibraryFileName("Radio99999", fileName));
  EXPECT_EQ(fileName, "Lib.dll");
  EXPECT_EQ(app.Messages()[5].text.str(), "TEXT 5");
  EXPECT_EQ(app.Options().autoCqDelay, 8);
}
