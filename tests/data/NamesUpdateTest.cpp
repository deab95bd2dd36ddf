// The names data editor's file side: which typed calls are new, which rows
// reach the names file, and what a file that cannot take them keeps.

#include <gtest/gtest.h>

#include <filesystem>

#include "TempProgramDir.h"
#include "data/TNamesUpdate.h"

TEST(NamesUpdate, StatusAndWrittenRowsFollowTheFileAcrossLetterCase) {
  TempProgramDir dir;
  const std::string before = "k7zzx,ANN\r\nQ9TST,BOB,123,FOC\nnot a call,X";  // no last line end
  dir.Write("Documents/names.txt", before);
  const std::string path = dir.Path("Documents/names.txt");
  TNamesUpdate names;
  names.LoadKnownCalls(path);

  struct Case {
    TNamesRow row;
    const char* status;  // after typing the call over the row's status
    bool written;
  } cases[] = {
      {{"K7ZZX", "ANNE", "NEW CALL"}, "DUPE CALL", false},   // known, other case
      {{"q9tst", "BO", ""}, "DUPE CALL", false},
      {{"X9QQX", "CARL", ""}, "NEW CALL", true},
      {{"Y8QQY", "D", ""}, "NEW CALL", false},               // one-letter name
      {{"Y8QQ1", "EVE", "NEW CALL"}, "NEW CALL", false},     // not a call: status kept, skipped
      {{"Z7QQZ", "FAY", "new call"}, "NEW CALL", true},
  };
  std::vector<TNamesRow> rows;
  for (const Case& c : cases) {
    TNamesRow row = c.row;
    row.status = names.StatusFor(row.call, row.status);
    EXPECT_EQ(row.status, c.status) << row.call;
    EXPECT_EQ(TNamesUpdate::IsWritten(row), c.written) << row.call;
    rows.push_back(row);
  }
  EXPECT_TRUE(TNamesUpdate::HasMissingNames(rows));
  EXPECT_EQ(TNamesUpdate::NewLines(rows), "X9QQX,CARL\nZ7QQZ,FAY\n");
  rows[2].name = "CA\nRL";
  EXPECT_EQ(TNamesUpdate::Refusal(rows), "The name \"CA\nRL\" holds a line break, which ends a line of the names file. Nothing was written.");
  rows[2].name = "CARL";

  // Added to the end, after a line end of its own; the next load knows them.
  std::string failure;
  ASSERT_TRUE(TNamesUpdate::AppendLines(path, TNamesUpdate::NewLines(rows), failure)) << failure;
  const std::string after = before + "\nX9QQX,CARL\nZ7QQZ,FAY\n";
  EXPECT_EQ(dir.Read("Documents/names.txt"), after);
  names.LoadKnownCalls(path);
  EXPECT_TRUE(names.IsKnown("x9qqx") && names.IsKnown("K7ZZX"));

  // The temporary file's place is taken by a folder: the write cannot happen.
  std::filesystem::create_directory(path + ".tmp");
  EXPECT_FALSE(TNamesUpdate::AppendLines(path, "Y8QQY,DAN\n", failure));
  EXPECT_EQ(failure.rfind("Could not write the names file " + path + ": ", 0), 0u) << failure;
  EXPECT_EQ(dir.Read("Documents/names.txt"), after);
}
