#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "TempProgramDir.h"
#include "data/FixedText.h"
#include "data/TextUtils.h"
#include "platform/DateTime.h"

TEST(TextUtils, CopyTextCutsPadsAndTerminates) {
  char dest[8];
  std::memset(dest, 'x', sizeof dest);
  CopyText(dest, "ABCDEF", 4);
  EXPECT_STREQ(dest, "ABCD");
  CopyText(dest, "AB", 4);
  EXPECT_EQ(std::string(dest, 5), std::string("AB\0\0\0", 5));
  EXPECT_EQ(dest[5], 'x');  // nothing past n + 1 is touched
}

TEST(TextUtils, FixedTextNeverHoldsMoreThanItsWidth) {
  FixedText<4> t("ABCDEF");
  EXPECT_EQ(t.str(), "ABCD");
  t = "XY";
  t += "ZWV";
  EXPECT_EQ(t.str(), "XYZW");
  EXPECT_EQ(t.size(), 4u);
  t.Clear();
  EXPECT_TRUE(t.empty());
}

TEST(TextUtils, FixedTextNeverSplitsAUtf8Character) {
  // "JÜRGEN" with a two-byte Ü: a cut inside it leaves the Ü out whole.
  FixedText<2> cut("J\xc3\x9cRGEN");
  EXPECT_EQ(cut.str(), "J");
  FixedText<3> fits("J\xc3\x9cRGEN");
  EXPECT_EQ(fits.str(), "J\xc3\x9c");
  FixedText<4> appended("AB");
  appended += "\xe2\x82\xac";  // a three-byte euro sign does not fit in two
  EXPECT_EQ(appended.str(), "AB");
  // Latin-1 bytes are no UTF-8 continuation: cut as bytes.
  FixedText<3> latin("Jos\xe9");
  EXPECT_EQ(latin.str(), "Jos");
  EXPECT_EQ(CutLength("\x80\x80\x80\x80\x80", 2), 2u);
}

// One rule for every cut: valid UTF-8 stays whole, anything else is cut as
// bytes. Each case: the text, the width, what is kept.
TEST(TextUtils, CutKeepsUtf8WholeAndCutsOtherBytesAsBytes) {
  const struct { const char* text; std::size_t width; const char* kept; } cases[] = {
      {"W1AW", 2, "W1"},                                    // ASCII
      {"W1AW", 9, "W1AW"},                                  // fits
      {"AB\xc3\x9c", 3, "AB"},                              // 2-byte character at the cut
      {"AB\xe2\x82\xac", 3, "AB"},                          // 3-byte, cut after its lead
      {"AB\xe2\x82\xac", 4, "AB"},                          // 3-byte, cut after its second byte
      {"AB\xf0\x9f\x93\xbb", 5, "AB"},                      // 4-byte, cut after its third byte
      {"AB\xf0\x9f\x93\xbb" "C", 6, "AB\xf0\x9f\x93\xbb"},       // 4-byte fits whole
      {"ABCDEFGHIJKLMNO\xb0", 15, "ABCDEFGHIJKLMNO"},       // Latin-1 degree sign just past the cut
      {"ABCDEFGHIJKLMN\xb0X", 15, "ABCDEFGHIJKLMN\xb0"},    // a Latin-1 0xB0 that fits is kept
      {"Jos\xe9 X", 4, "Jos\xe9"},                           // Latin-1 0xE9 before the cut
      {"Jos\xe9\xe9", 4, "Jos\xe9"},                         // 0xE9 not followed by continuations
      {"A\xc3\xa9\xb0\xb0", 4, "A\xc3\xa9\xb0"},              // continuation bytes after a whole character
      {"\xb0\xb0\xb0\xb0\xb0", 2, "\xb0\xb0"},                 // continuation bytes only
      {"A\xc0\x80Z", 2, "A\xc0"},                            // overlong lead is no character
      {"A\xed\xa0\x80Z", 3, "A\xed\xa0"},                    // a surrogate is no character
      {"A\xf5\x80\x80\x80", 3, "A\xf5\x80"},                  // beyond U+10FFFF
      {"A\xe2\x82", 2, "A\xe2"},                             // a sequence the text ends inside
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::string(c.text)) + " to " + std::to_string(c.width));
    EXPECT_EQ(CutText(c.text, c.width), c.kept);
    char out[32];
    CopyText(out, c.text, c.width);
    EXPECT_STREQ(out, c.kept);
  }
  FixedText<15> name("ABCDEFGHIJKLMNO\xb0");
  EXPECT_EQ(name.str(), "ABCDEFGHIJKLMNO");
}

TEST(TextUtils, SplitFieldsDropsEmptyPieces) {
  EXPECT_EQ(SplitFields("=a==b=", "="), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(SplitFields("k=v,w", "=,"), (std::vector<std::string>{"k", "v", "w"}));
  EXPECT_TRUE(SplitFields("", "=").empty());
  EXPECT_TRUE(SplitFields("===", "=").empty());
}

TEST(TextUtils, TrimAndReadInteger) {
  EXPECT_EQ(Trim("\t COM3 \r\n"), "COM3");
  EXPECT_EQ(Trim("   "), "");
  EXPECT_EQ(ReadInteger("12s"), 12);
  EXPECT_EQ(ReadInteger("  -7"), -7);
  EXPECT_EQ(ReadInteger("+5x"), 5);
  EXPECT_EQ(ReadInteger("x"), 0);
  EXPECT_EQ(ReadInteger(""), 0);
  EXPECT_EQ(ReadInteger("99999999999999"), 2147483647);
  EXPECT_TRUE(SameText("Com3", "cOM3"));
  EXPECT_FALSE(SameText("COM3", "COM30"));
}

TEST(TextUtils, IsCallsignTable) {
  struct Case {
    const char* text;
    bool expected;
  } cases[] = {
      {"K1", false},          {"W1AW", true},       {"KA1", false},     {"K1A/2", true},
      {"ABC", false},         {"12A", false},       {"K1/2", true},     {"K1ABCDEFGH", true},
      {"K1ABCDEFGHI", false}, {"w1aw", true},       {"", false},        {"AB1", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsCallsign(c.text), c.expected) << c.text;
}

TEST(TextUtils, ReplacePlaceholderTable) {
  struct Case {
    const char* text;
    const char* expected;
  } cases[] = {
      {"@", "V"}, {"@@", "V"}, {"@ x @", "V x V"}, {"x@@y", "xVy"}, {"no mark", "no mark"}, {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ReplacePlaceholder(c.text, '@', "V", 100), c.expected) << c.text;
  EXPECT_EQ(ReplacePlaceholder("TU @", '@', "A@B", 100), "TU A B");
  EXPECT_EQ(ReplacePlaceholder("@ @ @", '@', "LONGCALL", 12), "LONGCALL LON");
  // The cut keeps a prefix of the whole expansion, even where a character
  // that does not fit is dropped.
  EXPECT_EQ(ReplacePlaceholder(std::string(98, 'x') + "\xE2\x82\xAC@", '@', "K1ABC", 100), std::string(98, 'x'));
}

TEST(TextUtils, NormaliseComListKeepsRealPortsOnceInOrder) {
  std::vector<std::string> list{"COM10", "COM2", "COM2", "LPT1", "COM255", "com7", "COM03", "COM0"};
  NormaliseComList(list);
  EXPECT_EQ(list, (std::vector<std::string>{"COM0", "COM2", "COM7", "COM10"}));
}

TEST(TextUtils, FormatKhzDropsTheRemainderAndCuts) {
  EXPECT_EQ(FormatKhz(14025999, 10), "14025");
  EXPECT_EQ(FormatKhz(144000000, 5), "14400");
  EXPECT_EQ(FormatKhz(999, 10), "0");
}

TEST(TextUtils, DatesAndFileTimes) {
  EXPECT_DOUBLE_EQ(ParseUsDateTime("03/07/2026 09:05:04"), platform::EncodeDateTime(2026, 3, 7, 9, 5, 4));
  EXPECT_DOUBLE_EQ(ParseUsDateTime("12/31/1999"), platform::EncodeDateTime(1999, 12, 31));
  EXPECT_EQ(ParseUsDateTime("13/01/2026 00:00:00"), 0.0);
  EXPECT_EQ(ParseUsDateTime("garbage"), 0.0);
  double now = UtcNow();
  EXPECT_DOUBLE_EQ(now * 86400.0, std::round(now * 86400.0));  // whole seconds
  EXPECT_NEAR(now, platform::UtcClock(), 2.0 / 86400.0);

  EXPECT_EQ(FileDateTime("/nonexistent"), 0.0);
  TempProgramDir dir;
  dir.Write("f.txt", "x");
  double t = FileDateTime(dir.Path("f.txt"));
  platform::DateTimeParts p = platform::DecodeDateTime(t);
  EXPECT_EQ(p.second % 2, 0);  // packed file times keep even seconds
  EXPECT_NEAR(t, platform::LocalClock(), 5.0 / 86400.0);
}
