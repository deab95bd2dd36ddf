#include <gtest/gtest.h>

#include "platform/DateTime.h"

using namespace platform;

TEST(DateTime, DayCountsFromTheToolkitEpoch) {
  EXPECT_DOUBLE_EQ(EncodeDateTime(1899, 12, 30), 0.0);
  EXPECT_DOUBLE_EQ(EncodeDateTime(1900, 1, 1), 2.0);
  EXPECT_DOUBLE_EQ(EncodeDateTime(2000, 1, 1, 12), 36526.5);
  DateTimeParts p = DecodeDateTime(EncodeDateTime(2026, 12, 8, 17, 57, 26));
  EXPECT_EQ(p.year, 2026);
  EXPECT_EQ(p.month, 12);
  EXPECT_EQ(p.day, 8);
  EXPECT_EQ(p.hour, 17);
  EXPECT_EQ(p.minute, 57);
  EXPECT_EQ(p.second, 26);
  EXPECT_EQ(p.dayOfWeek, 2);  // a Tuesday
}

TEST(DateTime, FormatsThePatternsTheProgramUses) {
  double t = EncodeDateTime(2026, 3, 7, 9, 5, 4);
  EXPECT_EQ(FormatDateTime("yyyy-mm-dd", t), "2026-03-07");
  EXPECT_EQ(FormatDateTime("hhnn", t), "0905");
  EXPECT_EQ(FormatDateTime("dd-mmm-yyyy hh:nn", t), "07-Mar-2026 09:05");
  EXPECT_EQ(FormatDateTime("ddd mmm dd hh:nn:ss yyyy: ", t), "Sat Mar 07 09:05:04 2026: ");
  EXPECT_EQ(FormatDateTime("dd-mmm-yyyy hh:nn]", t), "07-Mar-2026 09:05]");
  EXPECT_EQ(FormatDateTime("mm'/'dd'/'yyyy", t), "03/07/2026");
  EXPECT_EQ(FormatDateTime("hh':'mm':'ss", t), "09:05:04");  // mm after hh is minutes
}

TEST(DateTime, ClocksAgreeWithTheSystemAndMissingFilesGiveZero) {
  double utc = UtcClock();
  EXPECT_GT(utc, EncodeDateTime(2020, 1, 1));
  EXPECT_LT(utc, EncodeDateTime(2100, 1, 1));
  EXPECT_EQ(FileModificationTime("/nonexistent/file"), 0.0);
  EXPECT_GT(FileModificationTime("/proc/self/exe"), 0.0);
}
