#include <gtest/gtest.h>

#include "AdifTestReader.h"
#include "RecordingMessageSink.h"
#include "TempProgramDir.h"
#include "data/AtomicFile.h"
#include "data/TContactLog.h"
#include "platform/DateTime.h"

namespace {
TLogContact Contact(const char* call, const char* name = "") {
  TLogContact contact;
  contact.utc = platform::EncodeDateTime(2026, 12, 8, 14, 23, 5);
  contact.cells[kCellStation] = call;
  contact.cells[kCellName] = name;
  return contact;
}
}  // namespace

TEST(ContactLog, LinesAreAppended) {
  TempProgramDir dir;
  RecordingMessageSink sink;
  TContactLog log;
  const std::string path = dir.Path("Logs/log.txt");
  EXPECT_TRUE(log.AppendLine(path, "FIRST"));
  EXPECT_TRUE(log.AppendLine(path, "SECOND"));
  EXPECT_EQ(ReadWholeFile(path), "FIRST\nSECOND\n");
  EXPECT_TRUE(sink.Messages().empty());
}

TEST(ContactLog, AdifFileGetsOneHeaderAndOneRecordPerContact) {
  TempProgramDir dir;
  TContactLog log;
  const std::string path = dir.Path("Logs/mine.adi");
  dir.Write("Logs/mine.adi", "");  // an empty file is new
  ASSERT_TRUE(log.AppendAdif(path, Contact("W1AW", "Hiram"), "0.1.0"));
  ASSERT_TRUE(log.AppendAdif(path, Contact("k1abc"), "0.1.0"));
  TContactLog nextRun;  // a later run appends to the same file
  ASSERT_TRUE(nextRun.AppendAdif(path, Contact("G4BBB"), "0.1.0"));

  const auto file = ReadAdif(ReadWholeFile(path));
  ASSERT_TRUE(file.has_value()) << ReadWholeFile(path);
  EXPECT_EQ(file->headerEnds, 1);
  EXPECT_EQ(file->header.at("PROGRAMID"), "Talvex");
  ASSERT_EQ(file->records.size(), 3u);
  EXPECT_EQ(file->records[0].at("CALL"), "W1AW");
  EXPECT_EQ(file->records[0].at("NAME"), "Hiram");
  EXPECT_EQ(file->records[1].at("CALL"), "K1ABC");
  EXPECT_EQ(file->records[2].at("CALL"), "G4BBB");
}

TEST(ContactLog, UnwritableFileIsReportedOncePerPath) {
  TempProgramDir dir;
  RecordingMessageSink sink;
  TContactLog log;
  const std::string missing = dir.Path("NoSuchFolder/log.txt");
  EXPECT_FALSE(log.AppendLine(missing, "A"));
  EXPECT_FALSE(log.AppendLine(missing, "B"));
  EXPECT_FALSE(log.AppendAdif(missing, Contact("W1AW"), "1"));
  EXPECT_FALSE(log.AppendLine("", "C"));
  EXPECT_TRUE(log.AppendLine(dir.Path("Logs/ok.txt"), "D"));
  EXPECT_EQ(sink.Messages(), (std::vector<std::string>{TContactLog::FailureText(missing),
                                                       TContactLog::FailureText("")}));
  EXPECT_NE(TContactLog::FailureText(missing).find(missing), std::string::npos);
  EXPECT_FALSE(dir.Exists("NoSuchFolder"));
}

TEST(AtomicFile, ReplacesWholeFilesAndAppendsExactly) {
  TempProgramDir dir;
  const std::string path = dir.Path("state.txt");
  ASSERT_TRUE(WriteFileAtomically(path, "old text that is longer"));
  ASSERT_TRUE(WriteFileAtomically(path, "new"));
  EXPECT_EQ(dir.Read("state.txt"), "new");
  ASSERT_TRUE(WriteFileAtomically(path, ""));
  EXPECT_TRUE(dir.Exists("state.txt"));
  EXPECT_EQ(dir.Read("state.txt"), "");
  EXPECT_FALSE(WriteFileAtomically("", "x"));

  ASSERT_TRUE(AppendFileDurably(dir.Path("log.txt"), "a"));
  ASSERT_TRUE(AppendFileDurably(dir.Path("log.txt"), std::string("b\0c", 3)));
  EXPECT_EQ(dir.Read("log.txt"), std::string("ab\0c", 4));
  EXPECT_FALSE(AppendFileDurably(dir.Path("Logs"), "x"));  // a folder
}
