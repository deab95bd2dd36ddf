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
  for (const char* line : {"FIRST", "SECOND"}) {
    const TLogAppend append = log.AppendLine(path, line);
    EXPECT_TRUE(append.written && append.message.empty() && append.failure.empty()) << line;
  }
  EXPECT_EQ(ReadWholeFile(path), "FIRST\nSECOND\n");
  EXPECT_TRUE(sink.Messages().empty()) << "the log shows nothing itself";
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
  TContactLog log;
  const std::string missing = dir.Path("NoSuchFolder/log.txt");
  const std::string failure = "Could not write the log file " + missing + ": No such file or directory";
  // The operator is told once per path; every failure carries its reason.
  const struct {
    TLogAppend append;
    bool written;
    std::string message, failure;
  } cases[] = {
      {log.AppendLine(missing, "A"), false, failure, failure},
      {log.AppendLine(missing, "B"), false, "", failure},
      {log.AppendAdif(missing, Contact("W1AW"), "1"), false, "", failure},
      {log.AppendLine("", "C"), false, TContactLog::FailureText("", ENOENT), TContactLog::FailureText("", ENOENT)},
      {log.AppendLine(dir.Path("Logs/ok.txt"), "D"), true, "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.append.written, c.written) << c.failure;
    EXPECT_EQ(c.append.message, c.message);
    EXPECT_EQ(c.append.failure, c.failure);
  }
  EXPECT_FALSE(dir.Exists("NoSuchFolder"));
}

// A contact that does not fit (here: the file size limit a full disk would
// impose) leaves no fragment: the next contact starts on a line of its own,
// and the report says which file and why.
TEST(ContactLog, AFailedAppendLeavesTheLogAsItWas) {
  TempProgramDir dir;
  TContactLog log;
  const std::string path = dir.Path("Logs/log.txt");
  ASSERT_TRUE(log.AppendLine(path, "FIRST"));

  rlimit old{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = old;
  small.rlim_cur = 10;  // "FIRST\n" and four bytes more
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const TLogAppend append = log.AppendLine(path, "SECOND CONTACT");
  setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);

  EXPECT_FALSE(append.written);
  EXPECT_EQ(ReadWholeFile(path), "FIRST\n");
  EXPECT_EQ(append.message, "Could not write the log file " + path + ": File too large");
  ASSERT_TRUE(log.AppendLine(path, "THIRD"));
  EXPECT_EQ(ReadWholeFile(path), "FIRST\nTHIRD\n");

  EXPECT_EQ(log.AppendLine("/dev/full", "FOURTH").message,
            "Could not write the log file /dev/full: No space left on device");
}

TEST(ContactLog, AnOldRecordLineLogSetUpAsAdifGetsAHeaderSoItsNewRecordsAreRead) {
  TempProgramDir dir;
  const std::string path = dir.Path("Logs/old.txt");
  dir.Write("Logs/old.txt", "2026-12-01:7025:CW:100:1200:K1ABC:599:599:1205:N/A:ANN:N/A\n");
  std::vector<std::string> told;
  const auto append = [&](TContactLog& log, const char* call) {
    const TLogAppend a = log.AppendAdif(path, Contact(call), "0.1.0");
    if (!a.message.empty()) told.push_back(a.message);
    return a.written;
  };
  {
    TContactLog log;
    // An append that does not fit adds no header, and the next one still
    // adds it (the file size limit stands in for a full disk).
    const std::string oldText = ReadWholeFile(path);
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = oldText.size() + 4;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = append(log, "N0OPE");
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(written);
    EXPECT_EQ(ReadWholeFile(path), oldText);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find("File too large"), std::string::npos) << told[0];
    told.clear();
    ASSERT_TRUE(append(log, "W1AW"));
    ASSERT_TRUE(append(log, "K9XYZ"));
  }
  ASSERT_EQ(told.size(), 1u);  // told once, with the path
  EXPECT_NE(told[0].find(path), std::string::npos) << told[0];
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
  ASSERT_TRUE(append(later, "N0NEW"));
  EXPECT_EQ(ReadAdif(ReadWholeFile(path))->headerEnds, 1);
  EXPECT_EQ(told.size(), 1u);
}
