// The default log indexed by call: counts, the last contact, dupes on band
// and mode, and a log that grows behind the index's back.

#include <gtest/gtest.h>

#include "TempProgramDir.h"
#include "data/TWorkedIndex.h"

TEST(WorkedIndex, LookupGivesHistoryAndDupesOnBandAndMode) {
  TempProgramDir dir;
  dir.Write("Logs/log.txt",
            "2026-10-01:14025:CW:100:1200:W1AW:599:599:1201:N/A:HIRAM:FOC\n"
            "2026-10-02:7025:CW:100:1300:K9XYZ:599:599:1301:N/A:N/A:N/A\r\n"
            "2026-11-28:14025:CW:100:1423:w1aw :599:599:1424:N/A:HIRAM:FOC\n"
            "2026-11-29:21200:PH:100:0900:K9XYZ:59:59:0901:N/A:N/A:N/A\n"
            "2026-11-30::::0800:G4BBB:599:599:0801:N/A:N/A:N/A\n"  // no radio: no band, no mode
            "not a record line\n"
            "2026-12-01:14025:CW:100:1000::599:599\n"                // no call
            "2026-12-02:7030:cw:100:1500:W1AW:599:599:1501:N/A:HIRAM:FOC");  // no line end
  TWorkedIndex index;
  ASSERT_TRUE(index.Load(dir.Path("Logs/log.txt")));
  EXPECT_EQ(index.Calls(), 3u);
  EXPECT_EQ(index.Lines(), 6u);

  const struct {
    const char* call;
    const char* freq;
    const char* mode;
    const char* text;
  } cases[] = {
      {"W1AW", "14030", "CW", "DUPE 20M CW"},
      {" w1aw ", "14025.5", "cw", "DUPE 20M CW"},  // blanks and case of the call, a fraction of a kHz
      {"W1AW", "7001", "CW", "DUPE 40M CW"},        // the last line counts, in lower case
      {"W1AW", "14250", "PH", "worked 3\u00d7 \u2014 last 2026-12-02 7030 CW"},
      {"W1AW", "", "", "worked 3\u00d7 \u2014 last 2026-12-02 7030 CW"},  // no radio: never a dupe
      {"K9XYZ", "21300", "PH", "DUPE 15M PH"},
      {"K9XYZ", "21300", "CW", "worked 2\u00d7 \u2014 last 2026-11-29 21200 PH"},
      {"G4BBB", "14025", "CW", "worked 1\u00d7 \u2014 last 2026-11-30"},
      {"W1AW/P", "14025", "CW", ""},  // another call
      {"N0NEW", "14025", "CW", ""},
  };
  for (const auto& c : cases) {
    const TWorkedSummary worked = index.Lookup(c.call, c.freq, c.mode);
    EXPECT_EQ(WorkedText(worked), c.text) << c.call << " " << c.freq << " " << c.mode;
  }

  // The log grows (the program's own append, mending the torn end first, or
  // a radio library's grid): a refresh reads only what is new.
  dir.Write("Logs/log.txt", ReadWholeFile(dir.Path("Logs/log.txt")) +
                                "\n2026-12-03:3530:CW:5:2200:N0NEW:599:599:2201:N/A:N/A:N/A\n");
  EXPECT_TRUE(index.Refresh());
  EXPECT_EQ(WorkedText(index.Lookup("n0new", "3550", "CW")), "DUPE 80M CW");
  EXPECT_EQ(index.Lookup("W1AW", "", "").count, 3u);
  // Replaced by a shorter file: indexed again from its start.
  dir.Write("Logs/log.txt", "2026-12-04:14025:CW:100:1000:K1ABC:599:599:1001:N/A:N/A:N/A\n");
  EXPECT_TRUE(index.Refresh());
  EXPECT_EQ(index.Calls(), 1u);
  EXPECT_EQ(index.Lookup("W1AW", "14025", "CW").count, 0u);

  // A log not written yet is an empty one.
  EXPECT_FALSE(index.Load(dir.Path("Logs/none.txt")));
  EXPECT_EQ(WorkedText(index.Lookup("K1ABC", "14025", "CW")), "");
}
