#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <sys/resource.h>

#include "AdifTestReader.h"
#include "RecordingMessageSink.h"
#include "TempProgramDir.h"
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

// A run killed halfway through appending leaves part of a contact at the
// end: the next run's contact still comes out whole and readable.
TEST(ContactLog, ThePartOfAContactAKillLeftDoesNotSpoilTheNext) {
  TempProgramDir dir;
  TContactLog log;
  const std::string lines = dir.Path("Logs/log.txt"), adif = dir.Path("Logs/mine.adi");
  dir.Write("Logs/log.txt", "FIRST\nSEC");
  EXPECT_TRUE(log.AppendLine(lines, "THIRD"));
  EXPECT_EQ(ReadWholeFile(lines), "FIRST\nSEC\nTHIRD\n");

  ASSERT_TRUE(log.AppendAdif(adif, Contact("W1AW"), "0.1.0"));
  const std::string whole = ReadWholeFile(adif);
  for (const char* torn : {"<QSO_DATE:8>20261208 <TIME_ON:4>14", "\n<CA", "<EOR"}) {
    dir.Write("Logs/mine.adi", whole + torn);
    ASSERT_TRUE(TContactLog().AppendAdif(adif, Contact("K1ABC"), "0.1.0"));
    const auto file = ReadAdif(ReadWholeFile(adif));
    ASSERT_TRUE(file.has_value()) << torn << "\n" << ReadWholeFile(adif);
    ASSERT_EQ(file->records.size(), 2u) << torn;
    EXPECT_EQ(file->records[1].at("CALL"), "K1ABC") << torn;
  }
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
  EXPECT_EQ(sink.Messages(), (std::vector<std::string>{TContactLog::FailureText(missing, ENOENT),
                                                       TContactLog::FailureText("", ENOENT)}));
  EXPECT_EQ(sink.Messages().at(0), "Could not write the log file " + missing + ": No such file or directory");
  EXPECT_FALSE(dir.Exists("NoSuchFolder"));
}

// A contact that does not fit (here: the file size limit a full disk would
// impose) leaves no fragment: the next contact starts on a line of its own,
// and the report says which file and why.
TEST(ContactLog, AFailedAppendLeavesTheLogAsItWas) {
  TempProgramDir dir;
  RecordingMessageSink sink;
  TContactLog log;
  const std::string path = dir.Path("Logs/log.txt");
  ASSERT_TRUE(log.AppendLine(path, "FIRST"));

  rlimit old{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = old;
  small.rlim_cur = 10;  // "FIRST\n" and four bytes more
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool written = log.AppendLine(path, "SECOND CONTACT");
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);

  EXPECT_FALSE(written);
  EXPECT_EQ(ReadWholeFile(path), "FIRST\n");
  EXPECT_EQ(sink.Messages(),
            std::vector<std::string>{"Could not write the log file " + path + ": File too large"});
  ASSERT_TRUE(log.AppendLine(path, "THIRD"));
  EXPECT_EQ(ReadWholeFile(path), "FIRST\nTHIRD\n");

  EXPECT_FALSE(log.AppendLine("/dev/full", "FOURTH"));
  EXPECT_EQ(sink.Messages().back(), "Could not write the log file /dev/full: No space left on device");
}

TEST(ContactLog, AnOldRecordLineLogSetUpAsAdifGetsAHeaderSoItsNewRecordsAreRead) {
  TempProgramDir dir;
  RecordingMessageSink sink;
  const std::string path = dir.Path("Logs/old.txt");
  dir.Write("Logs/old.txt", "2026-12-01:7025:CW:100:1200:K1ABC:599:599:1205:N/A:ANN:N/A\n");
  {
    TContactLog log;
    ASSERT_TRUE(log.AppendAdif(path, Contact("W1AW", "Hiram"), "0.1.0"));
    ASSERT_TRUE(log.AppendAdif(path, Contact("K9XYZ"), "0.1.0"));
  }
  ASSERT_EQ(sink.Messages().size(), 1u);  // told once, with the path
  EXPECT_NE(sink.Messages()[0].find(path), std::string::npos) << sink.Messages()[0];
  const std::string text = ReadWholeFile(path);
  EXPECT_EQ(text.rfind("2026-12-01:7025:CW:100", 0), 0u);  // the old lines stay as they were
  const auto adif = ReadAdif(text);
  ASSERT_TRUE(adif.has_value());
  EXPECT_EQ(adif->headerEnds, 1);
  ASSERT_EQ(adif->records.size(), 2u);
  EXPECT_EQ(adif->records[0].at("CALL"), "W1AW");
  EXPECT_EQ(adif->records[1].at("CALL"), "K9XYZ");
  // A later run finds the header and adds none.
  TContactLog later;
  ASSERT_TRUE(later.AppendAdif(path, Contact("N0NEW"), "0.1.0"));
  EXPECT_EQ(ReadAdif(ReadWholeFile(path))->headerEnds, 1);
  EXPECT_EQ(sink.Messages().size(), 1u);
}
