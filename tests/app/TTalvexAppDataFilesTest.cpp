// The application object's settings and data files: start-up reading,
// restart file writing, messages, names and log files, through TTalvexApp.

#include <gtest/gtest.h>

#include <filesystem>

#include "RecordingMessageSink.h"
#include "TempProgramDir.h"
#include "app/TTalvexApp.h"
#include "data/TextFile.h"
#include "platform/DateTime.h"
#include "platform/ProgramPath.h"

namespace fs = std::filesystem;

namespace {

// A program directory with the ini and devices files a start needs.
struct Installed {
  TempProgramDir dir;
  RecordingMessageSink sink;
  explicit Installed(const std::string& extraIni = "NAMES_HISTORY_FILE=names.txt\n") {
    dir.Write("Dravel_INI.txt", "VERSION=0.1.0\n" + extraIni);
    dir.Write("Devices/Dravel_DEVICES.txt", "RADIO=Varo,VaroSim,9600,A,B,C,D\n");
  }
  // The activity lines without their time stamps.
  std::vector<std::string> Traces() const {
    std::vector<std::string> out;
    for (const auto& line : SplitTextLines(dir.Read("Dravel_ACTIVITY.txt")))
      out.push_back(line.substr(line.rfind(": ") + 2));
    return out;
  }
};

TLogContact Contact(const char* call) {
  TLogContact contact;
  contact.utc = platform::EncodeDateTime(2026, 12, 8, 14, 23, 5);
  contact.cells[kCellStation] = call;
  contact.cells[kCellName] = "joe";
  return contact;
}

// Logs the contact through the application object's log line; answers the
// record line it hands to the serial port (empty when the default log failed).
std::string LogContact(TTalvexApp& app, const char* call) {
  const TLogContact contact = Contact(call);
  for (int c = 0; c < kLogCells; ++c) app.LogLine().SetCell(c, contact.cells[c]);
  std::string line;
  app.LogTheQso(contact.utc, [&line](const std::string& sent) { line = sent; });
  return line;
}

}  // namespace

TEST(TTalvexAppDataFiles, StartReadsRestartNamesAndTemplatesInOrder) {
  Installed p;
  p.dir.Write("Dravel_RESTART.txt",
              "AUTO_CQ_DELAY=5\nSHOW_FOC_MEMBERS=YES\nRADIO_COM_PORT=COM3\nEND_OF_RESTART_FILE=YES");
  p.dir.Write("Documents/names.txt", "W1AW,Hiram,1234,FOC\n");
  p.dir.Write("Dravel_MSGTEMPLATE.txt", "MSG=CQ,CQ TEST @\nMSG=MSG1,TU\nAUTOCQ_DELAY=9\n");
  TTalvexApp app;
  app.SetActivityTrace(true);
  ASSERT_TRUE(app.OpenDataFiles());
  EXPECT_TRUE(app.RestartFileRead());
  EXPECT_TRUE(app.NamesFileRead());
  EXPECT_EQ(app.Options().radioComPort.str(), "COM3");
  EXPECT_EQ(app.Options().autoCqDelay, 9);  // the template file's delay wins
  EXPECT_EQ(app.Messages()[0].raw.str(), "CQ,CQ TEST @");
  EXPECT_EQ(app.Messages()[0].text.str(), "CQ TEST @");
  EXPECT_EQ(app.Messages()[1].text.str(), "TU");
  EXPECT_TRUE(app.Messages()[2].text.empty());
  EXPECT_EQ(app.LookupOperator("w1aw"), "Hiram,FOC");
  EXPECT_EQ(p.Traces(), (std::vector<std::string>{"OPEN_RESTART", "OPEN_OPERATOR_HISTORY_FILE"}));
  EXPECT_TRUE(p.sink.Messages().empty());
}

TEST(TTalvexAppDataFiles, MissingFilesDoNotStopTheStart) {
  Installed p("");  // no names file in the ini
  TTalvexApp app;
  app.SetActivityTrace(true);
  ASSERT_TRUE(app.OpenDataFiles());
  EXPECT_FALSE(app.RestartFileRead());
  EXPECT_FALSE(app.NamesFileRead());
  EXPECT_EQ(app.Options().autoCqDelay, 3);
  EXPECT_EQ(app.LookupOperator("W1AW"), "N/A,N/A");
  EXPECT_EQ(p.sink.Messages(), std::vector<std::string>{"Could not open operator names/history file"});
  EXPECT_EQ(p.Traces(), (std::vector<std::string>{"RESTART FILE DOES NOT EXIST",
                                                  "COULD NOT OPEN OPERATOR HISTORY FILE"}));
}

TEST(TTalvexAppDataFiles, InvalidRestartWithoutBackupKeepsDefaults) {
  Installed p;
  p.dir.Write("Dravel_RESTART.txt", "RADIO_COM_PORT=COM3\n");
  TTalvexApp app;
  app.SetActivityTrace(true);
  EXPECT_FALSE(app.ReadRestartFile());
  EXPECT_EQ(app.Options().radioComPort.str(), "COM0");
  EXPECT_EQ(p.sink.Messages(), std::vector<std::string>{"Backup Restart file not found"});
  EXPECT_EQ(p.Traces(), std::vector<std::string>{"UNABLE TO READ RESTART FILE"});
}

TEST(TTalvexAppDataFiles, BackupIsLookedForBesideTheProgramThenInTheCurrentFolder) {
  Installed p;
  TempProgramDir elsewhere;  // only its folder is used here
  platform::SetProgramPathOverride(p.dir.Path("talvex"));
  struct CurrentFolder {
    fs::path before = fs::current_path();
    explicit CurrentFolder(const std::string& dir) { fs::current_path(dir); }
    ~CurrentFolder() { fs::current_path(before); }
  } inElsewhere(elsewhere.Dir());
  elsewhere.Write("Talvex_RESTART_B.txt", "RADIO_COM_PORT=COM7\n");

  TTalvexApp app;
  EXPECT_EQ(app.GetBackupRestartFiles(),
            (std::vector<std::string>{p.dir.Path("Talvex_RESTART_B.txt"), "Talvex_RESTART_B.txt"}));
  p.dir.Write("Dravel_RESTART.txt", "");
  EXPECT_TRUE(app.ReadRestartFile());
  EXPECT_EQ(app.Options().radioComPort.str(), "COM7");

  p.dir.Write("Dravel_RESTART.txt", "");
  p.dir.Write("Talvex_RESTART_B.txt", "RADIO_COM_PORT=COM8\n");
  EXPECT_TRUE(app.ReadRestartFile());
  EXPECT_EQ(app.Options().radioComPort.str(), "COM8");
  EXPECT_EQ(p.sink.Messages(), (std::vector<std::string>{"Invalid restart file -- using backup",
                                                         "Invalid restart file -- using backup"}));
}

TEST(TTalvexAppDataFiles, RestartFileCarriesTheOptionsToTheNextRun) {
  Installed p;
  {
    TTalvexApp app;
    app.SetActivityTrace(true);
    for (const auto& [key, value] : {std::pair{"WANTS_AUTO_CQ", "YES"}, {"SHOW_CWO_MEMBERS", "YES"},
                                     {"WANTS_SIOLOG_ADIF", "YES"}, {"RADIO_BAUD", "19200"},
                                     {"SIOLOG_PARITY", "Odd"}, {"LOG_DISPLAY_COLWIDTH_NAME", "120"},
                                     {"AUTO_CQ_DELAY", "11"}})
      app.ApplyRestartEntry(key, value);
    app.SetLocalLogFile("/logs/mine.adi");
    app.SetLocalLogType(kLogTypeAdif);
    ASSERT_TRUE(app.WriteRestartFile());
    EXPECT_EQ(p.Traces(), std::vector<std::string>{"SAVING RESTART FILE"});
  }
  const std::string text = p.dir.Read("Dravel_RESTART.txt");
  EXPECT_NE(text.find("\nUSER_DEFINED_LOGTYPE=ADIF\n"), std::string::npos);
  EXPECT_TRUE(text.ends_with("\nWANTS_AUTO_CQ=YES\nEND_OF_RESTART_FILE=YES"));

  TTalvexApp next;
  ASSERT_TRUE(next.ReadRestartFile());
  EXPECT_TRUE(next.Options().wantAutoCq && next.Options().showCwopMembers && next.Options().sioLogAdif);
  EXPECT_FALSE(next.Options().wantKeyboard);
  EXPECT_EQ(next.Options().radioBaud.str(), "19200");
  EXPECT_EQ(next.Options().sioLogParity.str(), "Odd");
  EXPECT_EQ(next.Options().columnWidths[kColName], 120);
  EXPECT_EQ(next.Options().columnWidths[kColQth], 70);
  EXPECT_EQ(next.Options().autoCqDelay, 11);
  EXPECT_EQ(next.GetLocalLogFile(), "/logs/mine.adi");
  EXPECT_TRUE(next.IsLocalLogAdif());
  EXPECT_EQ(next.GetLocalLogTypeName(), "ADIF");
  EXPECT_EQ(next.GetSerialLogFormatName(), "ADIF");

  next.ApplyRestartEntry("user_defined_logtype", "arrl");
  next.ApplyRestartEntry("WANTS_SIOLOG_ADIF", "no");
  EXPECT_EQ(next.GetLocalLogTypeName(), "ARRL");
  EXPECT_EQ(next.GetSerialLogFormatName(), "ARRL");
}

TEST(TTalvexAppDataFiles, MessagesAreExpandedAndWithoutRadioTheUserIsAsked) {
  Installed p;
  p.dir.Write("Dravel_MSGTEMPLATE.txt",
              "MSG=CQ,CQ CQ DE N0CALL\nMSG=MSG1,@ 5NN @\nMSG=MSG2,@@ TU\nMSG=MSG3,@\n"
              "MSG=MSG4,TU ! $\nMSG=73,73 @ GL\n");
  TTalvexApp app;
  app.LoadMessageTemplates();
  app.LogLine().Edit(kCellStation, "W1AW", {});  // the details come from the log line's rules
  app.LogLine().Edit(kCellSentRst, "579", {});
  app.LogLine().Edit(kCellName, "joe", {});
  app.UpdateRadioMessages();
  const char* expected[] = {"CQ CQ DE N0CALL", "W1AW 5NN W1AW", "W1AW TU", "W1AW", "TU JOE 579", "73 W1AW GL"};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(app.Messages()[i].expanded.str(), expected[i]) << i;

  const auto questions = p.sink.Questions();
  ASSERT_EQ(questions.size(), 1u);
  EXPECT_EQ(questions[0].caption, "Warning no radio");
  EXPECT_EQ(questions[0].text, "Radio not connected - connect now?");
  EXPECT_EQ(questions[0].icon, platform::MessageIcon::Exclamation);
  EXPECT_EQ(questions[0].buttons, platform::MessageButtons::YesNo);

  // A template file with fewer messages leaves the other slots as they were;
  // a missing one leaves all of them.
  p.dir.Write("Dravel_MSGTEMPLATE.txt", "MSG=CQ,TEST\nMSG=MSG1\n");
  app.LoadMessageTemplates();
  EXPECT_EQ(app.Messages()[0].text.str(), "TEST");
  EXPECT_EQ(app.Messages()[1].raw.str(), "MSG1");
  EXPECT_EQ(app.Messages()[1].text.str(), "@ 5NN @");
  fs::remove(p.dir.Path("Dravel_MSGTEMPLATE.txt"));
  app.LoadMessageTemplates();
  EXPECT_EQ(app.Messages()[0].text.str(), "TEST");
  EXPECT_EQ(app.ExpandPlaceholder("x@@y", '@', "V"), "xVy");
}

TEST(TTalvexAppDataFiles, OnlyTheDefaultLogGrowsWhileLocalLoggingIsOff) {
  Installed p;
  TTalvexApp app;
  app.SetLocalLogFile(p.dir.Path("Logs/local.txt"));
  const std::string line = LogContact(app, "w1aw");
  EXPECT_EQ(line, "2026-12-08::::1423:W1AW:599:599:1423:N/A:JOE:N/A");
  LogContact(app, "k1abc");
  EXPECT_EQ(p.dir.Read("Logs/Dravel_DEFAULTLOG.txt"),
            line + "\n2026-12-08::::1423:K1ABC:599:599:1423:N/A:JOE:N/A\n");
  EXPECT_FALSE(p.dir.Exists("Logs/local.txt"));
  EXPECT_TRUE(p.sink.Messages().empty());
}

TEST(TTalvexAppDataFiles, LocalLogTakesTheLineOrAnAdifRecord) {
  Installed p;
  TTalvexApp app;
  ASSERT_TRUE(app.ReadIniFile());
  app.SetLocalLogFile(p.dir.Path("Logs/local.txt"));
  app.SetLocalLogging(true);
  const std::string line = LogContact(app, "w1aw");
  EXPECT_EQ(p.dir.Read("Logs/local.txt"), line + "\n");

  app.SetLocalLogFile(p.dir.Path("Logs/local.adi"));
  app.SetLocalLogType(kLogTypeAdif);
  app.SetLocalLogging(true);
  LogContact(app, "w1aw");
  LogContact(app, "k1abc");
  const std::string adif = p.dir.Read("Logs/local.adi");
  EXPECT_NE(adif.find("<PROGRAMVERSION:5>0.1.0"), std::string::npos);  // the ini's version
  EXPECT_EQ(adif.find("<EOH>"), adif.rfind("<EOH>"));
  EXPECT_NE(adif.find("<CALL:4>W1AW"), std::string::npos);
  EXPECT_NE(adif.find("<CALL:5>K1ABC"), std::string::npos);
  EXPECT_EQ(SplitTextLines(p.dir.Read("Logs/Dravel_DEFAULTLOG.txt")).size(), 3u);
  EXPECT_TRUE(p.sink.Messages().empty());  // no debug box
}

TEST(TTalvexAppDataFiles, AMissingLogFolderIsReportedOnceAndTheOtherLogIsWritten) {
  Installed p;
  TTalvexApp app;
  app.SetLocalLogging(true);
  app.SetLocalLogFile(p.dir.Path("Gone/local.txt"));
  LogContact(app, "W1AW");
  LogContact(app, "K1ABC");
  EXPECT_EQ(p.sink.Messages(),
            std::vector<std::string>{"Could not write the log file " + p.dir.Path("Gone/local.txt") + ": No such file or directory"});
  EXPECT_EQ(SplitTextLines(p.dir.Read("Logs/Dravel_DEFAULTLOG.txt")).size(), 2u);

  // And the other way round: no Logs folder, the local log still gets the contact.
  p.sink.Clear();
  fs::remove_all(p.dir.Path("Logs"));
  app.SetLocalLogFile(p.dir.Path("local.txt"));
  LogContact(app, "G4BBB");
  EXPECT_EQ(p.sink.Messages(),
            std::vector<std::string>{"Could not write the log file " + app.Files().defaultLogFile.str() + ": No such file or directory"});
  EXPECT_EQ(p.dir.Read("local.txt"), "2026-12-08::::1423:G4BBB:599:599:1423:N/A:JOE:N/A\n");
}

TEST(TTalvexAppDataFiles, AnUnloggedContactIsAskedAboutOrKeptWhenTheWindowCloses) {
  struct Case {
    const char* call;  // the station worked typed, nullptr for none
    bool endRequested;
    platform::MessageAnswer answer;
    bool mayClose, asked, kept;
  };
  const Case cases[] = {
      {nullptr, false, platform::MessageAnswer::No, true, false, false},
      {"w1aw", false, platform::MessageAnswer::No, false, true, false},
      {"w1aw", false, platform::MessageAnswer::Yes, true, true, false},
      {"w1aw", true, platform::MessageAnswer::No, true, false, true},
  };
  for (const Case& c : cases) {
    Installed p;
    TTalvexApp app;
    if (c.call) app.LogLine().Edit(kCellStation, c.call, {});
    p.sink.ScriptAnswers({c.answer});
    EXPECT_EQ(app.MayCloseWithContact(c.endRequested), c.mayClose) << c.call << c.endRequested;
    EXPECT_EQ(p.sink.Questions().size(), c.asked ? 1u : 0u);
    const std::string kept = p.dir.Exists("Logs/Talvex_UNSAVED.txt") ? p.dir.Read("Logs/Talvex_UNSAVED.txt") : "";
    EXPECT_EQ(kept.find(":W1AW:") != std::string::npos, c.kept) << kept;
  }
}

TEST(TTalvexAppDataFiles, ANewLocalLogIsTakenInItsFormatAndLoggingStarts) {
  Installed p;
  TTalvexApp app;
  app.ChangeLocalLog(p.dir.Path("Logs/mine.adi") + std::string(300, 'x'), kLogTypeAdif);
  EXPECT_EQ(app.GetLocalLogFile().size(), 260u);
  app.ChangeLocalLog(p.dir.Path("Logs/mine.adi"), kLogTypeAdif);
  EXPECT_TRUE(app.LocalLogging());
  LogContact(app, "w1aw");
  EXPECT_NE(p.dir.Read("Logs/mine.adi").find("<CALL:4>W1AW"), std::string::npos);
}
