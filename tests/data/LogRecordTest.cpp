#include <gtest/gtest.h>

#include <algorithm>

#include "AdifTestReader.h"
#include "data/TLogRecord.h"
#include "platform/DateTime.h"

namespace {

// 2026-12-08 14:23:05 UTC
const double kMoment = platform::EncodeDateTime(2026, 12, 8, 14, 23, 5);

TLogContact Contact(std::initializer_list<std::pair<LogCell, const char*>> cells) {
  TLogContact contact;
  contact.utc = kMoment;
  for (const auto& [cell, text] : cells) contact.cells[cell] = text;
  return contact;
}

std::map<std::string, std::string> OneRecord(const TLogContact& contact) {
  const auto file = ReadAdif(BuildAdifRecord(contact));
  EXPECT_TRUE(file.has_value());
  if (!file || file->records.size() != 1) return {};
  return file->records[0];
}

}  // namespace

TEST(RecordLine, EmptyCellsTakeTheirDefaultsFromOneMoment) {
  EXPECT_EQ(BuildRecordLine(Contact({{kCellStation, "w1aw"}})),
            "2026-12-08::::1423:W1AW:599:599:1423:N/A:N/A:N/A");
  EXPECT_EQ(BuildRecordLine(Contact({{kCellDate, "2026-12-07"},
                                     {kCellFreq, "14025"},
                                     {kCellMode, "CW"},
                                     {kCellPower, "100"},
                                     {kCellUtcOn, "2359"},
                                     {kCellStation, "K1ABC"},
                                     {kCellSentRst, "57"},
                                     {kCellRcvdRst, "559"},
                                     {kCellQth, "Boston"},
                                     {kCellName, "joe"},
                                     {kCellOrgs, "FOC+CWOP"}})),
            "2026-12-07:14025:CW:100:2359:K1ABC:57:559:1423:BOSTON:JOE:FOC+CWOP");
}

TEST(RecordLine, SeparatorsInsideCellsBecomeBlanks) {
  EXPECT_EQ(BuildRecordLine(Contact({{kCellStation, "W1AW"},
                                     {kCellQth, "Newington:CT"},
                                     {kCellName, "a\nb\rc\td"}})),
            "2026-12-08::::1423:W1AW:599:599:1423:NEWINGTON CT:A B C D:N/A");
}

TEST(RecordLine, LongCellsAreCutSoThatAllTwelveFieldsFitWithTheSerialEnd) {
  // 200 characters in each cell in turn, then in all of them at once.
  for (int cell = -1; cell < kLogCells; ++cell) {
    TLogContact contact = Contact({{kCellStation, "W1AW"}});
    for (int c = 0; c < kLogCells; ++c)
      if (c == cell || cell < 0) contact.cells[c] = std::string(200, 'q');
    const std::string line = BuildRecordLine(contact);
    EXPECT_LE(line.size(), 98u) << cell;  // ":;" still fits in 100
    EXPECT_EQ(std::count(line.begin(), line.end(), ':'), 11) << cell << ": " << line;
  }
  // Only the longest fields are cut; blanks around a cell are dropped.
  const std::string line = BuildRecordLine(
      Contact({{kCellStation, " W1AW "}, {kCellQth, std::string(90, 'q').c_str()}, {kCellName, "  "}}));
  EXPECT_EQ(line, "2026-12-08::::1423:W1AW:599:599:1423:" + std::string(53, 'Q') + ":N/A:N/A");
}

TEST(AdifRecord, HoldsEveryFilledCell) {
  const auto r = OneRecord(Contact({{kCellDate, "2026-12-07"},
                                    {kCellFreq, "14025"},
                                    {kCellMode, "cw"},
                                    {kCellPower, "100W"},
                                    {kCellUtcOn, "2359"},
                                    {kCellStation, "k1abc/p"},
                                    {kCellSentRst, "579"},
                                    {kCellRcvdRst, "559"},
                                    {kCellUtcOff, "0002"},
                                    {kCellQth, "Newington: CT <USA>"},
                                    {kCellName, "Joe"},
                                    {kCellOrgs, "FOC+CWOP"}}));
  const std::map<std::string, std::string> expected{
      {"QSO_DATE", "20261207"}, {"TIME_ON", "2359"},   {"TIME_OFF", "0002"},
      {"CALL", "K1ABC/P"},      {"FREQ", "14.025"},    {"BAND", "20m"},
      {"MODE", "CW"},           {"TX_PWR", "100"},     {"RST_SENT", "579"},
      {"RST_RCVD", "559"},      {"QTH", "Newington: CT <USA>"},
      {"NAME", "Joe"},          {"COMMENT", "FOC+CWOP"}};
  EXPECT_EQ(r, expected);
}

TEST(AdifRecord, EmptyCellsGetTheRecordLineDefaultsOrAreLeftOut) {
  // Date, times and reports as the record line has them; what the line
  // writes as N/A (or leaves empty) is left out.
  const auto r = OneRecord(Contact({{kCellStation, "W1AW"}}));
  const std::map<std::string, std::string> expected{
      {"QSO_DATE", "20261208"}, {"TIME_ON", "1423"},    {"TIME_OFF", "1423"},
      {"CALL", "W1AW"},         {"RST_SENT", "599"},    {"RST_RCVD", "599"}};
  EXPECT_EQ(r, expected);
  // Cells that are not a date, a time or a number.
  const auto odd = OneRecord(Contact({{kCellStation, "W1AW"},
                                      {kCellDate, "yesterday"},
                                      {kCellUtcOn, "2460"},
                                      {kCellFreq, "abc"},
                                      {kCellPower, "max"}}));
  EXPECT_EQ(odd.at("QSO_DATE"), "20261208");
  EXPECT_EQ(odd.at("TIME_ON"), "1423");
  EXPECT_EQ(odd.count("FREQ") + odd.count("BAND") + odd.count("TX_PWR"), 0u);
}

TEST(AdifRecord, ModesAndBandsFollowAdif) {
  struct Case {
    const char* mode;
    const char* adifMode;
    const char* submode;
  } modes[] = {{"CW", "CW", ""}, {"CW-R", "CW", ""}, {"PH", "SSB", ""}, {"USB", "SSB", "USB"},
               {"lsb", "SSB", "LSB"}, {"RY", "RTTY", ""}, {"FSK", "RTTY", ""},
               {"AM", "AM", ""}, {"FM", "FM", ""}, {"PSK31", "PSK31", ""}};
  for (const auto& c : modes) {
    const auto r = OneRecord(Contact({{kCellStation, "W1AW"}, {kCellMode, c.mode}}));
    EXPECT_EQ(r.at("MODE"), c.adifMode) << c.mode;
    EXPECT_EQ(r.count("SUBMODE") ? r.at("SUBMODE") : "", c.submode) << c.mode;
  }
  struct Freq {
    const char* khz;
    const char* mhz;
    const char* band;
  } freqs[] = {{"1800", "1.800", "160m"}, {"3573.5", "3.5735", "80m"}, {"7000", "7.000", "40m"},
               {"10136", "10.136", "30m"}, {"14350", "14.350", "20m"}, {"18100", "18.100", "17m"},
               {"21074", "21.074", "15m"}, {"24915", "24.915", "12m"}, {"28074", "28.074", "10m"},
               {"50313", "50.313", "6m"}, {"144174", "144.174", "2m"}, {"5000", "5.000", ""}};
  for (const auto& f : freqs) {
    const auto r = OneRecord(Contact({{kCellStation, "W1AW"}, {kCellFreq, f.khz}}));
    EXPECT_EQ(r.at("FREQ"), f.mhz) << f.khz;
    EXPECT_EQ(r.count("BAND") ? r.at("BAND") : "", f.band) << f.khz;
  }
}

TEST(AdifRecord, HeaderNamesTheProgramAndTheMoment) {
  const auto file = ReadAdif(BuildAdifHeader("0.1.0", kMoment) +
                             BuildAdifRecord(Contact({{kCellStation, "W1AW"}})));
  ASSERT_TRUE(file.has_value());
  EXPECT_EQ(file->headerEnds, 1);
  EXPECT_FALSE(file->preamble.empty());
  const std::map<std::string, std::string> expected{{"ADIF_VER", "3.1.4"},
                                                    {"PROGRAMID", "Talvex"},
                                                    {"PROGRAMVERSION", "0.1.0"},
                                                    {"CREATED_TIMESTAMP", "20261208 142305"}};
  EXPECT_EQ(file->header, expected);
  EXPECT_EQ(file->records.size(), 1u);
}
