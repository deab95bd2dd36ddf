#include <gtest/gtest.h>

#include <sstream>

#include "data/TRadioBand.h"

TEST(RadioBand, SetLimitsClampsOperatorLimitsIntoTheFccEdges) {
  TRadioBand band("40M", 7000, 7300);
  band.SetLimits({"7000", "7300", "6900", "7125", "7125", "7400", "7000x", "junk"});
  EXPECT_EQ(band.cwMin, 7000);  // raised to the FCC min
  EXPECT_EQ(band.cwMax, 7125);
  EXPECT_EQ(band.phMax, 7300);  // lowered to the FCC max
  EXPECT_EQ(band.ryMin, 7000);  // "7000x" reads its leading digits
  EXPECT_EQ(band.ryMax, 7000);  // no digits: 0, raised to the FCC min
  EXPECT_EQ(band.cwMinHz, 7000000);
  EXPECT_EQ(band.phMaxHz, 7300000);

  // FCC min above FCC max: every operator limit ends at the FCC max.
  band.SetLimits({"7300", "7000", "7100", "7200", "0", "9999", "7150", "7150"});
  for (int32_t v : {band.cwMin, band.cwMax, band.phMin, band.phMax, band.ryMin, band.ryMax})
    EXPECT_EQ(v, 7000);

  // A limit far out of range must not overflow its Hz copy.
  band.SetLimits({"0", "99999999", "0", "0", "0", "0", "0", "0"});
  EXPECT_EQ(band.fccMaxHz, 2147483647);
}

TEST(RadioBand, TextFormsRoundTrip) {
  TRadioBand band("20M", 14000, 14350);
  band.SetLimits({"14000", "14350", "14000", "14150", "14150", "14350", "14000", "14350"});
  EXPECT_EQ(band.FormatLimits(100), "14000,14350,14000,14150,14150,14350,14000,14350");
  EXPECT_EQ(band.FormatLimits(11), "14000,14350");
  std::ostringstream line;
  WriteBandLimitLine(line, band);
  EXPECT_EQ(line.str(), "BANDLIMIT=20M,14000,14350,14000,14150,14150,14350,14000,14350");

  TRadioBand other("20M", 14000, 14350);
  other.ParseLimits("14000,14350,14010,,14100");  // empty pieces dropped, missing ones kept
  EXPECT_EQ(other.cwMin, 14010);
  EXPECT_EQ(other.cwMax, 14100);
  EXPECT_EQ(other.phMin, 14000);
  EXPECT_EQ(other.cwMinHz, 14000000);  // ParseLimits leaves the Hz copies
}

TEST(RadioBand, ModeIndexesPickTheirLimits) {
  TRadioBand band("20M", 14000, 14350);
  band.SetLimits({"14000", "14350", "14001", "14002", "14003", "14004", "14005", "14006"});
  for (int ph : {0, 1, 4, 5}) EXPECT_EQ(band.GetMinForMode(ph), 14003) << ph;
  for (int cw : {3, 6}) EXPECT_EQ(band.GetMaxForMode(cw), 14002) << cw;
  for (int ry : {2, 7, -1, 99}) EXPECT_EQ(band.GetMinForMode(ry), 14005) << ry;
}

TEST(RadioBand, BandOfFrequencyIncludesBothEdges) {
  EXPECT_EQ(BandOfFrequency(3500), 80);
  EXPECT_EQ(BandOfFrequency(4000), 80);
  EXPECT_EQ(BandOfFrequency(3499), 0);
  EXPECT_EQ(BandOfFrequency(4001), 0);
  EXPECT_EQ(BandOfFrequency(1800), 160);
  EXPECT_EQ(BandOfFrequency(5000), 0);
  EXPECT_EQ(BandOfFrequency(148000), 2);
  auto bands = DefaultBands();
  ASSERT_EQ(bands.size(), 11u);
  EXPECT_EQ(bands[2].name.str(), "40M");
  EXPECT_EQ(bands[10].fccMaxHz, 148000000);
}
