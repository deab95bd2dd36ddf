// The contact in progress: the rules each keystroke applies, the time stamps
// of a selection, and logging to the default and local logs and the serial
// port, with a log that refuses the line.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/TLogLine.h"
#include "data/TextUtils.h"
#include "platform/DateTime.h"

namespace {

std::string Lookup(std::string_view call) {
  const std::string upper = UpperCase(call);
  if (upper == "W1AW") return "Hiram,FOC";
  if (upper == "K9XYZ") return "N/A,CWOP";
  return "N/A,N/A";
}

struct Logs {
  bool defaultWorks = true;
  std::vector<std::string> defaultLog, localLog, serial;
  TLogTargets Targets() {
    return {.appendDefault = [this](const std::string& line) {
              if (defaultWorks) defaultLog.push_back(line);
              return defaultWorks;
            },
            .appendLocal = [this](const TLogContact& c) {
              localLog.push_back(c.cells[kCellStation]);
              return true;
            },
            .sendSerial = [this](const std::string& line) { serial.push_back(line); }};
  }
};

}  // namespace

TEST(LogLine, EachKeystrokeAppliesTheRulesOfItsCell) {
  struct Case {
    int column;
    const char* typed;
    bool detailsChanged;
    const char* station;
    const char* rst;
    const char* name;
    const char* nameCell;
    const char* orgsCell;
  };
  // One line typed into in this order: each case sees what the earlier left.
  const Case cases[] = {
      {kCellStation, "w1", false, "", "599", "", "", ""},           // too short
      {kCellStation, "w1aw", true, "W1AW", "599", "HIRAM", "Hiram", "FOC"},
      {kCellStation, "w1aw1", false, "W1AW", "599", "HIRAM", "Hiram", "FOC"},  // not a call: unchanged
      {kCellStation, "k9xyz", true, "K9XYZ", "599", "", "", "CWOP"},
      {kCellStation, "g4bbb", true, "G4BBB", "599", "", "", ""},
      {kCellSentRst, "57", true, "G4BBB", "599", "", "", ""},       // not 3 characters: 599
      {kCellSentRst, "579", true, "G4BBB", "579", "", "", ""},
      {kCellName, "joe", true, "G4BBB", "579", "JOE", "joe", ""},
      {kCellQth, "Boston", false, "G4BBB", "579", "JOE", "joe", ""},
  };
  TLogLine line;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    EXPECT_EQ(line.Edit(c.column, c.typed, Lookup), c.detailsChanged);
    EXPECT_EQ(line.Cell(c.column), c.typed);  // the cell keeps what was typed
    EXPECT_EQ(line.StationWorked(), c.station);
    EXPECT_EQ(line.SentRst(), c.rst);
    EXPECT_EQ(line.Name(), c.name);
    EXPECT_EQ(line.Cell(kCellName), c.nameCell);
    EXPECT_EQ(line.Cell(kCellOrgs), c.orgsCell);
  }
}

TEST(LogLine, SelectingUtcOnAndUtcOffStampsTheTime) {
  TLogLine line;
  const double utc = platform::EncodeDateTime(2026, 12, 9, 7, 5, 0);
  line.Select(kCellUtcOn, utc);
  EXPECT_EQ(line.Cell(kCellDate), "2026-12-09");
  EXPECT_EQ(line.Cell(kCellUtcOn), "0705");
  line.Select(kCellUtcOff, utc + 1.0 / 24);
  EXPECT_EQ(line.Cell(kCellUtcOff), "0805");
  line.Select(kCellQth, utc);
  EXPECT_EQ(line.Cell(kCellQth), "");
}

TEST(LogLine, LoggingWritesEachLogOnceSendsOnceAndClearsForTheNextContact) {
  const double utc = platform::EncodeDateTime(2026, 12, 9, 7, 5, 0);
  TLogLine line;
  Logs logs;
  line.SetCell(kCellFreq, "14025");
  line.Edit(kCellStation, "2BBB", Lookup);
  EXPECT_EQ(line.Log(utc, logs.Targets()), TLogLine::Logged::kNoCall);
  EXPECT_TRUE(logs.defaultLog.empty() && logs.localLog.empty() && logs.serial.empty());

  line.Edit(kCellStation, "w1aw", Lookup);
  line.Edit(kCellQth, "boston", Lookup);
  // The default log refuses the line: it stays, the local log has it once.
  logs.defaultWorks = false;
  EXPECT_EQ(line.Log(utc, logs.Targets()), TLogLine::Logged::kKept);
  EXPECT_EQ(line.Cell(kCellStation), "w1aw");
  logs.defaultWorks = true;
  EXPECT_EQ(line.Log(utc, logs.Targets()), TLogLine::Logged::kLogged);
  const std::string expected = "2026-12-09:14025:::0705:W1AW:599:599:0705:BOSTON:HIRAM:FOC";
  EXPECT_EQ(logs.defaultLog, std::vector<std::string>{expected});
  EXPECT_EQ(logs.localLog, std::vector<std::string>{"w1aw"});
  EXPECT_EQ(logs.serial, std::vector<std::string>{expected});

  // Cleared for the next contact; the radio's values stay.
  for (int c : {kCellDate, kCellUtcOn, kCellStation, kCellQth, kCellName, kCellOrgs})
    EXPECT_EQ(line.Cell(c), "") << c;
  EXPECT_EQ(line.Cell(kCellFreq), "14025");
  EXPECT_EQ(line.StationWorked(), "");
  EXPECT_EQ(line.SentRst(), "599");
  EXPECT_EQ(line.Log(utc, logs.Targets()), TLogLine::Logged::kNoCall);
}
