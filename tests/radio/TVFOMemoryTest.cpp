#include <gtest/gtest.h>

#include "radio/TVFOMemory.h"

TEST(TVFOMemory, ReadsItsTextForm) {
  struct Case {
    const char* text;
    const char* name;
    int value;
  } cases[] = {
      {"A,14025000", "A", 14025000},
      {"MEMORY,7025000", "MEMO", 7025000},  // the name is cut to 4 characters
      {"B,-1500", "B", -1500},
      {"C", "C", 0},                        // no value
      {"D,", "D", 0},
      {"E,12abc", "E", 0},                  // not a number
      {"F,99999999999", "F", 0},            // not a 32-bit number
      {"G, 3525000 ", "G", 3525000},
      {"H,1,2", "H", 1},                    // further pieces are ignored
      {",7025000", "", 7025000},            // an empty name keeps its value
      {"", "", 0},
  };
  for (const Case& c : cases) {
    TVFOMemory m = TVFOMemory::FromText(c.text);
    EXPECT_EQ(m.Name().str(), c.name) << c.text;
    EXPECT_EQ(m.Value(), c.value) << c.text;
  }
}

TEST(TVFOMemory, WritesItsTextFormCutToTheLength) {
  EXPECT_EQ(TVFOMemory("A", 14025000).ToText(), "A,14025000");
  EXPECT_EQ(TVFOMemory("VFOB", -2147483647 - 1).ToText(), "VFOB,-21474836");  // 14 characters
  EXPECT_EQ(TVFOMemory("A", 14025000).ToText(5), "A,140");
  EXPECT_EQ(TVFOMemory("LONGER", 1).ToText(), "LONG,1");
  TVFOMemory roundTrip = TVFOMemory::FromText(TVFOMemory("M1", 50125000).ToText());
  EXPECT_EQ(roundTrip, TVFOMemory("M1", 50125000));
}
