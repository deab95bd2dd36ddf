// Club rosters into the names file: both formats read, the preview's parts,
// a merge that only appends, and files that are refused. Every call here is
// fictional.

#include <gtest/gtest.h>

#include <filesystem>

#include "TempProgramDir.h"
#include "data/TOperatorList.h"
#include "data/TRosterImport.h"

namespace {

constexpr int kToday = 20261201;

std::string Calls(const TRoster& roster) {
  std::string calls;
  for (const TRosterEntry& entry : roster.entries)
    calls += entry.call + "/" + entry.name + "/" + entry.number + "/" + std::to_string(entry.validTo) + " ";
  return calls;
}

std::string BadLines(const TRoster& roster) {
  std::string bad;
  for (const TRosterBadLine& line : roster.bad) bad += std::to_string(line.line) + ": " + line.reason + "\n";
  return bad;
}

}  // namespace

TEST(RosterImport, EachFormatIsReadFromItsFirstLines) {
  TempProgramDir dir;
  const struct {
    const char* file;
    std::string text;
    TRosterFormat format;
    TClub club;
    const char* calls;
    const char* bad;
  } cases[] = {
      {"CWOPS_3600.txt",
       "# CWops members, fictional\n"
       "!!Order!!,Call,Name,Exch1,UserText,\n"
       "# a comment between the lines\n"
       "K1ABC,John,1234,\n"
       "q9tst,Ann ,77,seen 2020\n"
       "K1ABC,Jack,999\n"  // a call twice: the first line holds
       "Z9ZZZ,Smith, Bob,55\n"
       "\n"
       "!!Order!!,Exch1,Call\n"  // a second order line: other columns
       "88,X7QQX\n"
       "89,12345\n"
       "MA,Y8QQY\n",
       TRosterFormat::kCallHistory, TClub::kCwop, "K1ABC/John/1234/0 Q9TST/Ann/77/0 X7QQX//88/0 ",
       "7: the member number \"Bob\" is not a number above 0\n"
       "11: \"12345\" fails the call sign test\n"
       "12: the member number \"MA\" is not a number above 0\n"},
      {"history.txt", "!!Order!!,Call,Name\nK1ABC,John\nK2ABC,Jim,extra\n", TRosterFormat::kCallHistory,
       TClub::kUnknown, "K1ABC/John//0 ",
       "3: more fields than the order line names (a comma inside a name?)\n"},
      {"foc.csv",
       "# 2026-11-01\n"
       "callsign,member_id,valid_from,valid_to\n"
       "K1ABC,1234,20200101,\n"
       "N0END,999,20100101,20241231\n"
       "W9REN,500,20100101,20231231\n"
       "W9REN,500,20240101,20271231\n"  // renewed: the longer membership holds
       "K2BAD,12,2020-13-01,\n"
       "K3BAD,,20200101,20301231\n"
       "K4BAD,1,20200101,20301231,x\n",
       TRosterFormat::kMembershipList, TClub::kFoc, "K1ABC//1234/0 N0END//999/20241231 W9REN//500/20271231 ",
       "7: valid_from \"2020-13-01\" is not a date (yyyyMMdd)\n8: no member number\n"
       "9: more fields than the header names\n"},
      {"members.txt", "CALL;NUMBER;FROM;TO\nk1abc;1234;20200101;20301231\nK2AB,C;5;;\n", TRosterFormat::kMembershipList,
       TClub::kUnknown, "K1ABC//1234/20301231 ", "3: \"K2AB,C\" holds a comma, which the names file keeps between fields\n"},
  };
  for (const auto& c : cases) {
    dir.Write(c.file, c.text);
    TRoster roster;
    std::string failure;
    ASSERT_TRUE(ReadRoster(dir.Path(c.file), roster, failure)) << c.file << ": " << failure;
    EXPECT_EQ(roster.format, c.format) << c.file;
    EXPECT_EQ(roster.club, c.club) << c.file;
    EXPECT_EQ(Calls(roster), c.calls) << c.file;
    EXPECT_EQ(BadLines(roster), c.bad) << c.file;
  }
}

TEST(RosterImport, MergeOnlyAppendsAndKeepsTheOperatorsLines) {
  TempProgramDir dir;
  const std::string names = dir.Path("Documents/names.txt");
  const std::string handWritten =
      "k1abc,Johnny\n"         // known, no club yet: the operator's name stays
      "W9OLD,Olga,321,CWOP\n"  // a member the roster no longer holds
      "N0END,Ned,5,FOC\n"
      "Q9TST,Ann,77,CWOP";     // no line end
  dir.Write("Documents/names.txt", handWritten);
  dir.Write("cwops.csv",
            "# 2026-11-01\ncallsign,member_id,valid_from,valid_to\n"
            "K1ABC,1234,20200101,\n"
            "Q9TST,77,20200101,20301231\n"
            "X7QQX,88,20200101,20301231\n"
            "N0END,999,20100101,20241231\n"     // ended, and no CWOP member here: not added
            "W9OLD,321,20100101,20251130\n");  // ended yesterday
  TRoster roster;
  std::string failure;
  ASSERT_TRUE(ReadRoster(dir.Path("cwops.csv"), roster, failure)) << failure;
  ASSERT_EQ(roster.club, TClub::kCwop);

  TOperatorList before;
  ASSERT_TRUE(before.LoadNamesFile(names));
  const TRosterPlan plan = PlanRosterMerge(roster, TClub::kCwop, kToday, before);
  EXPECT_EQ(plan.newCalls, std::vector<std::string>{"X7QQX,N/A,88,CWOP"});
  EXPECT_EQ(plan.newMemberships, std::vector<std::string>{"K1ABC,Johnny,1234,CWOP"});
  EXPECT_EQ(plan.ended, std::vector<std::string>{"N0END (CWOP 999, ended 2024-12-31)"});
  EXPECT_EQ(plan.noLongerCurrent,
            std::vector<std::string>{"W9OLD: CWOP 321 in the names file; the roster's CWOP 321, ended 2025-11-30"});
  EXPECT_EQ(plan.alreadyThere, 1u);
  const std::string preview = DescribeRosterPlan(roster, TClub::kCwop, plan, names);
  EXPECT_NE(preview.find("Import adds 2 lines to the end of the names file " + names), std::string::npos) << preview;

  std::size_t added = 0;
  ASSERT_TRUE(MergeRoster(names, roster, TClub::kCwop, kToday, added, failure)) << failure;
  EXPECT_EQ(added, 2u);
  EXPECT_EQ(dir.Read("Documents/names.txt"), handWritten + "\nK1ABC,Johnny,1234,CWOP\nX7QQX,N/A,88,CWOP\n");
  TOperatorList after;
  ASSERT_TRUE(after.LoadNamesFile(names));
  EXPECT_EQ(after.Lookup("K1ABC", 23, true, true), "Johnny,CWOP");
  EXPECT_EQ(after.Lookup("x7qqx", 23, true, true), "N/A,CWOP");  // the grid leaves NAME empty
  EXPECT_EQ(after.Lookup("W9OLD", 23, true, true), "Olga,CWOP");
  // The same roster again adds nothing.
  ASSERT_TRUE(MergeRoster(names, roster, TClub::kCwop, kToday, added, failure));
  EXPECT_EQ(added, 0u);

  // Read as a FOC list instead: other memberships, the operator's FOC member
  // the roster ends is reported, not removed.
  const TRosterPlan foc = PlanRosterMerge(roster, TClub::kFoc, kToday, after);
  EXPECT_EQ(foc.newMemberships.size(), 3u);
  EXPECT_EQ(foc.noLongerCurrent, std::vector<std::string>{"N0END: FOC 5 in the names file; the roster's FOC 999, ended 2024-12-31"});
}

TEST(RosterImport, BadFilesAreRefusedAndTheNamesFileIsUnchanged) {
  TempProgramDir dir;
  const std::string names = dir.Path("Documents/names.txt");
  const std::string kept = "K1ABC,John\n";
  dir.Write("Documents/names.txt", kept);
  dir.Write("notes.txt", "Call,Name\nK1ABC,John\n");
  dir.Write("big.txt", "!!Order!!,Call,Name,Exch1\n" + std::string(5000000, '#'));
  dir.Write("binary.csv", std::string("callsign,member_id,valid_from,valid_to\n") + '\0' + '\x01');
  const struct {
    const char* file;
    const char* message;
  } cases[] = {
      {"notes.txt", " is not a roster Talvex can read: neither a call-history file"},
      {"big.txt", " is 4.8 MB: a roster file is at most 4 MB. Nothing was imported."},
      {"binary.csv", " is not a roster Talvex can read"},
      {"missing.txt", "Could not read the roster file "},
  };
  for (const auto& c : cases) {
    TRoster roster;
    std::string failure;
    EXPECT_FALSE(ReadRoster(dir.Path(c.file), roster, failure)) << c.file;
    EXPECT_NE(failure.find(c.message), std::string::npos) << failure;
    EXPECT_NE(failure.find(dir.Path(c.file)), std::string::npos) << failure;
  }

  // A names file that cannot be replaced keeps every line.
  dir.Write("cwops.txt", "!!Order!!,Call,Name,Exch1\nX7QQX,Xena,88\n");
  TRoster roster;
  std::string failure;
  ASSERT_TRUE(ReadRoster(dir.Path("cwops.txt"), roster, failure));
  std::filesystem::create_directory(names + ".tmp");
  std::size_t added = 0;
  EXPECT_FALSE(MergeRoster(names, roster, TClub::kCwop, kToday, added, failure));
  EXPECT_EQ(failure.rfind("Could not write the names file " + names, 0), 0u) << failure;
  EXPECT_EQ(dir.Read("Documents/names.txt"), kept);
}
