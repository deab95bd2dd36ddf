// The radio restart file's format, written and read back.

#include <gtest/gtest.h>

#include <sstream>

#include "TempProgramDir.h"
#include "data/TRadioBand.h"
#include "data/TRadioRestartFile.h"

namespace {
using Texts = std::vector<std::string>;

std::vector<TRadioBand> TwoBands() {
  std::vector<TRadioBand> bands{TRadioBand("40M", 7000, 7300), TRadioBand("20M", 14000, 14350)};
  bands[1].SetLimits({"14000", "14350", "14000", "14150", "14150", "14350", "14000", "14350"});
  return bands;
}
}  // namespace

TEST(RadioRestartFile, WritesTheLinesInTheirOrderAndTheMarkerWithoutALineEnd) {
  TRadioRestartState left;
  left.frequency = 14025000;
  left.tuneStep = 100;
  left.modeIndex = 3;
  left.radioTag = "NRND";
  left.vfoMemories = {"A1,14025000", "B2,-50"};
  EXPECT_EQ(TRadioRestartFile::Format(left, TwoBands()),
            "LEFT_RADIO_FREQUENCY=14025000\n"
            "LEFT_RADIO_TUNESTEP=100\n"
            "LEFT_RADIO_MODE=3\n"
            "LEFT_RADIO_RTSDTR=NRND\n"
            "LEFT_VFO_MEMORY=A1,14025000\n"
            "LEFT_VFO_MEMORY=B2,-50\n"
            "BANDLIMIT=40M,7000,7300,7000,7300,7000,7300,7000,7300\n"
            "BANDLIMIT=20M,14000,14350,14000,14150,14150,14350,14000,14350\n"
            "END_OF_RADIORESTART_FILE=YES");
  // Without a left radio only the bands and the marker.
  EXPECT_EQ(TRadioRestartFile::Format(std::nullopt, {TRadioBand("6M", 50000, 54000)}),
            "BANDLIMIT=6M,50000,54000,50000,54000,50000,54000,50000,54000\n"
            "END_OF_RADIORESTART_FILE=YES");

  TempProgramDir dir;
  const TRadioRestartFile file(dir.Path("Dravel_RADIORESTART.txt"));
  ASSERT_TRUE(file.Write(left, TwoBands()));
  EXPECT_EQ(dir.Read("Dravel_RADIORESTART.txt"), TRadioRestartFile::Format(left, TwoBands()));
  int error = 0;
  EXPECT_FALSE(TRadioRestartFile(dir.Path("NoFolder/x.txt")).Write(left, TwoBands(), &error));
  EXPECT_NE(error, 0);
}

TEST(RadioRestartFile, ReadsWhatItWroteAndTheLinesOtherWritersLeave) {
  TempProgramDir dir;
  dir.Write("r.txt",
            "left_radio_frequency=7025000 \t\r\n"
            "LEFT_RADIO_FREQUENCY=1\n"          // the first line of a key wins
            "LEFT_RADIO_MODE=\n"
            "RIGHT_RADIO_TUNESTEP=10\n"
            "LEFT_VFO_MEMORY=A1,7025000=junk\n"  // the value ends at the next "="
            "xxLEFT_VFO_MEMORY=B2,3\n"           // the key anywhere in the line
            "LEFT_VFO_MEMORY\n"                  // no value: skipped
            "left_vfo_memory=C3,4\n"             // the memory key minds the case
            "RIGHT_VFO_MEMORY=R1,5\n"
            "BANDLIMIT=40m,7000,7300,7000,7125,7125,7300,7000,7300\n"
            "bandlimit=20M,1,2,3,4,5,6,7,8\n"    // the prefix minds the case
            "BANDLIMIT=20M,14000,14350\n"
            "END_OF_RADIORESTART_FILE=YES");
  TRadioRestartFile file(dir.Path("r.txt"));
  ASSERT_TRUE(file.Load());
  EXPECT_EQ(file.Value(TRadioRestartFile::RadioKey(1, "FREQUENCY")), "7025000");
  EXPECT_EQ(file.Value(TRadioRestartFile::RadioKey(1, "MODE")), "");
  EXPECT_EQ(file.Value(TRadioRestartFile::RadioKey(1, "TUNESTEP")), "");
  EXPECT_EQ(file.Value(TRadioRestartFile::RadioKey(2, "TUNESTEP")), "10");
  EXPECT_EQ(TRadioRestartFile::RadioKey(3, "MODE"), "");
  EXPECT_EQ(file.VFOMemoryTexts(1), (Texts{"A1,7025000", "B2,3"}));
  EXPECT_EQ(file.VFOMemoryTexts(2), (Texts{"R1,5"}));
  EXPECT_EQ(file.VFOMemoryTexts(0), Texts{});
  EXPECT_EQ(file.BandLimitTexts(),
            (Texts{"40m,7000,7300,7000,7125,7125,7300,7000,7300", "20M,14000,14350"}));

  // A file written by the writer reads back into the same values.
  TRadioRestartState left{14025000, 100, 3, "PRPD", {"A1,14025000"}};
  ASSERT_TRUE(file.Write(left, TwoBands()));
  ASSERT_TRUE(file.Load());
  EXPECT_EQ(file.Value("LEFT_RADIO_FREQUENCY"), "14025000");
  EXPECT_EQ(file.Value("LEFT_RADIO_RTSDTR"), "PRPD");
  EXPECT_EQ(file.Value(TRadioRestartFile::kMarker).empty(), true);
  EXPECT_EQ(file.Value("END_OF_RADIORESTART_FILE"), "YES");
  EXPECT_EQ(file.VFOMemoryTexts(1), Texts{"A1,14025000"});
  EXPECT_EQ(file.BandLimitTexts().size(), 2u);

  EXPECT_FALSE(TRadioRestartFile(dir.Path("missing.txt")).Load());
}

TEST(RadioRestartFile, OneBandLimitParserForEveryReader) {
  std::string text = "untouched";
  EXPECT_FALSE(ParseBandLimitLine("LEFT_RADIO_MODE=3", text));
  EXPECT_FALSE(ParseBandLimitLine("BandLimit=40M,1", text));
  EXPECT_EQ(text, "untouched");
  ASSERT_TRUE(ParseBandLimitLine("BANDLIMIT=40M,7000,,7300", text));
  EXPECT_EQ(SplitBandLimitText(text), (Texts{"40M", "7000", "7300"}));
  ASSERT_TRUE(ParseBandLimitLine("BANDLIMIT=", text));
  EXPECT_EQ(text, "");
  EXPECT_TRUE(SplitBandLimitText(text).empty());

  // What WriteBandLimitLine writes, the parser gives back as name and limits.
  std::ostringstream out;
  WriteBandLimitLine(out, TwoBands()[1]);
  ASSERT_TRUE(ParseBandLimitLine(out.str(), text));
  EXPECT_EQ(SplitBandLimitText(text),
            (Texts{"20M", "14000", "14350", "14000", "14150", "14150", "14350", "14000", "14350"}));
}
