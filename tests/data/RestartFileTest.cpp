#include <gtest/gtest.h>

#include <filesystem>

#include "RecordingMessageSink.h"
#include "TempProgramDir.h"
#include "data/TRestartFile.h"
#include "data/TextFile.h"

namespace {

constexpr const char* kMarker = "END_OF_RESTART_FILE=YES";

struct RestartFixture {
  TempProgramDir dir;
  RecordingMessageSink sink;
  std::string path = dir.Path("Dravel_RESTART.txt");
  std::string backup = dir.Path("Talvex_RESTART_B.txt");
  TRestartFile file{path, {backup, dir.Path("Documents/Talvex_RESTART_B.txt")}};
};

const char* const kDefaultFile =
    "DISABLE_ALTF4=NO\n"
    "DISABLE_SCREENSAVER=NO\n"
    "WANT_CENTERED_FORMS=NO\n"
    "CONTROL_SUBSET_ENABLED=NO\n"
    "SHOW_FOC_MEMBERS=NO\n"
    "SHOW_CWO_MEMBERS=NO\n"
    "WANTS_SIOLOG_ADIF=NO\n"
    "WANTS_SIOLOG_ARRL=NO\n"
    "RADIO_COM_PORT=COM0\n"
    "RADIO_BAUD=9600\n"
    "SIOLOG_COM_PORT=COM0\n"
    "SIOLOG_BAUD_RATE=9600\n"
    "SIOLOG_STOP_BITS=1\n"
    "SIOLOG_DATA_BITS=8\n"
    "SIOLOG_PARITY=None\n"
    "USER_DEFINED_LOGFILE=\n"
    "USER_DEFINED_LOGTYPE=ARRL\n"
    "LOG_DISPLAY_COLWIDTH_DATE=70\n"
    "LOG_DISPLAY_COLWIDTH_FREQ=70\n"
    "LOG_DISPLAY_COLWIDTH_MODE=70\n"
    "LOG_DISPLAY_COLWIDTH_PWR=70\n"
    "LOG_DISPLAY_COLWIDTH_UTCON=70\n"
    "LOG_DISPLAY_COLWIDTH_STN=70\n"
    "LOG_DISPLAY_COLWIDTH_SRST=70\n"
    "LOG_DISPLAY_COLWIDTH_RRST=70\n"
    "LOG_DISPLAY_COLWIDTH_UTCOFF=70\n"
    "LOG_DISPLAY_COLWIDTH_QTH=70\n"
    "LOG_DISPLAY_COLWIDTH_NAME=70\n"
    "LOG_DISPLAY_COLWIDTH_ORG=70\n"
    "AUTO_CQ_DELAY=3\n"
    "WANTS_KEYBOARD=NO\n"
    "WANTS_LOGGRID=NO\n"
    "WANTS_MSG_BUTTONS=NO\n"
    "WANTS_TITLE_BARS=NO\n"
    "WANTS_AUTO_CQ=NO\n"
    "END_OF_RESTART_FILE=YES";

}  // namespace

TEST(RestartFile, WritesTheThirtyFiveLinesInOrderAndTheMarkerWithoutLineEnd) {
  EXPECT_EQ(TRestartFile::Format(TRestartSettings{}), kDefaultFile);
  RestartFixture f;
  ASSERT_TRUE(f.file.Write(TRestartSettings{}));
  EXPECT_EQ(ReadWholeFile(f.path), kDefaultFile);
  // No temporary file is left beside it.
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(f.dir.Dir()))
    files += entry.is_regular_file();
  EXPECT_EQ(files, 1);
}

TEST(RestartFile, EveryKeySurvivesAWriteAndRead) {
  TRestartSettings written;
  written.disableAltF4 = written.disableScreenSaver = written.wantCenteredForms = true;
  written.controlSubsetEnabled = written.showFocMembers = written.showCwopMembers = true;
  written.sioLogAdif = written.sioLogArrl = written.wantKeyboard = written.wantLogGrid = true;
  written.wantMessageButtons = written.wantTitleBars = written.wantAutoCq = true;
  written.radioComPort = "COM12";
  written.radioBaud = "115200";
  written.sioLogComPort = "COM7";
  written.sioLogBaud = "4800";
  written.sioLogStopBits = "2";
  written.sioLogDataBits = "7";
  written.sioLogParity = "Even";
  written.localLogFile = "/home/op/logs/my log.adi";
  written.localLogAdif = true;
  for (int i = 0; i < 12; ++i) written.columnWidths[i] = 40 + i;
  written.autoCqDelay = 17;

  RestartFixture f;
  ASSERT_TRUE(f.file.Write(written));
  TRestartSettings read;
  ASSERT_TRUE(f.file.Load(read));
  EXPECT_TRUE(f.sink.Messages().empty());
  EXPECT_EQ(TRestartFile::Format(read), TRestartFile::Format(written));
  EXPECT_EQ(read.localLogFile.str(), "/home/op/logs/my log.adi");
  EXPECT_EQ(read.columnWidths[11], 51);
  EXPECT_TRUE(read.wantAutoCq);
  EXPECT_TRUE(read.localLogAdif);

  // And every flag back to NO, as a new run reads them.
  ASSERT_TRUE(f.file.Write(TRestartSettings{}));
  TRestartSettings fresh;
  fresh.wantAutoCq = true;
  ASSERT_TRUE(f.file.Load(fresh));
  EXPECT_EQ(TRestartFile::Format(fresh), kDefaultFile);
}

TEST(RestartFile, EntriesFollowTheirRules) {
  RestartFixture f;
  f.dir.Write("Dravel_RESTART.txt",
              "RADIO_COM_PORT=  COM3 \t\r\n"
              "SIOLOG_PARITY=Od  X\n"
              "SIOLOG_DATA_BITS=78\n"
              "SIOLOG_COM_PORT=\x0e\n"
              "radio_baud=1234567890123\n"
              "SIOLOG_STOP_BITS=1.5=x\n"
              "WANTS_KEYBOARD=yes\n"
              "SHOW_FOC_MEMBERS=YES\n"
              "SHOW_FOC_MEMBERS=Y\n"
              "WANTS_LOGGRID=YES\n"
              "WANTS_LOGGRID=\n"
              "DISABLE_ALTF4 =YES\n"
              "AUTO_CQ_DELAY=12s\n"
              "LOG_DISPLAY_COLWIDTH_NAME=x\n"
              "LOG_DISPLAY_COLWIDTH_QTH=-5\n"
              "USER_DEFINED_LOGTYPE=arrl\n"
              "USER_DEFINED_LOGFILE=" + std::string(300, 'p') + "\n"
              "SOMETHING_ELSE=1\n"
              "=\n"
              "end_of_restart_file=yes");
  TRestartSettings s;
  s.wantLogGrid = false;
  ASSERT_TRUE(f.file.Load(s));
  EXPECT_TRUE(f.sink.Messages().empty());  // a lower-case marker is valid
  EXPECT_EQ(s.radioComPort.str(), "COM3");
  EXPECT_EQ(s.sioLogParity.str(), "Od");  // cut to 4, then trimmed: it reads back the same
  EXPECT_EQ(s.sioLogDataBits.str(), "7");
  EXPECT_EQ(s.sioLogComPort.str(), "COM0");  // nothing left after trimming: kept, as "KEY=" would be
  EXPECT_EQ(s.radioBaud.str(), "1234567890");
  EXPECT_EQ(s.sioLogStopBits.str(), "1.5");  // the value ends at the next "="
  EXPECT_TRUE(s.wantKeyboard);
  EXPECT_FALSE(s.showFocMembers);  // the later line wins, and Y is not YES
  EXPECT_TRUE(s.wantLogGrid);      // "WANTS_LOGGRID=" has no value and changes nothing
  EXPECT_FALSE(s.disableAltF4);    // a blank before "=" makes another key
  EXPECT_EQ(s.autoCqDelay, 12);
  EXPECT_EQ(s.columnWidths[10], 0);
  EXPECT_EQ(s.columnWidths[9], -5);
  EXPECT_FALSE(s.localLogAdif);
  EXPECT_EQ(s.localLogFile.str(), std::string(260, 'p'));

  for (const char* other : {"ADIF", "adi", "X"}) {
    s.Apply("USER_DEFINED_LOGTYPE", other);
    EXPECT_TRUE(s.localLogAdif) << other;
    s.Apply("user_defined_logtype", "Arrl");
    EXPECT_FALSE(s.localLogAdif);
  }
  s.Apply("AUTO_CQ_DELAY", "x");
  EXPECT_EQ(s.autoCqDelay, 0);
  s.Apply("WANTS_KEYBOARD", "Y");
  EXPECT_FALSE(s.wantKeyboard);
}

TEST(RestartFile, InvalidFileIsReplacedByTheBackup) {
  const std::string backupText =
      "RADIO_COM_PORT=COM9\nWANTS_AUTO_CQ=YES\n";  // the backup's own marker is not looked at
  const std::string invalid[] = {
      "",
      std::string("RADIO_COM_PORT=COM4\n") + kMarker + "\n\n",  // blank line after the marker
      "RADIO_COM_PORT=COM4\nWANTS_AUTO_CQ=NO\n",               // half a file
      std::string("RADIO_COM_PORT=COM4\n") + kMarker + " ",     // blank after the marker
  };
  for (const auto& text : invalid) {
    RestartFixture f;
    f.dir.Write("Dravel_RESTART.txt", text);
    f.dir.Write("Talvex_RESTART_B.txt", backupText);
    TRestartSettings s;
    ASSERT_TRUE(f.file.Load(s)) << text;
    EXPECT_EQ(f.sink.Messages(), std::vector<std::string>{"Invalid restart file -- using backup"});
    EXPECT_EQ(s.radioComPort.str(), "COM9");
    EXPECT_TRUE(s.wantAutoCq);
    EXPECT_EQ(ReadWholeFile(f.path), backupText);  // the backup's copy replaced the file
    EXPECT_TRUE(f.dir.Exists("Talvex_RESTART_B.txt"));
  }
  // A file that ends with its marker and a single line end is complete.
  RestartFixture f;
  f.dir.Write("Dravel_RESTART.txt", std::string("RADIO_COM_PORT=COM4\r\n") + kMarker + "\r\n");
  TRestartSettings s;
  ASSERT_TRUE(f.file.Load(s));
  EXPECT_TRUE(f.sink.Messages().empty());
  EXPECT_EQ(s.radioComPort.str(), "COM4");
}

TEST(RestartFile, WithoutBackupTheOptionsKeepTheirValues) {
  RestartFixture f;
  f.dir.Write("Dravel_RESTART.txt", "RADIO_COM_PORT=COM4\n");
  TRestartSettings s;
  s.radioBaud = "4800";
  EXPECT_FALSE(f.file.Load(s));
  EXPECT_EQ(f.sink.Messages(), std::vector<std::string>{"Backup Restart file not found"});
  EXPECT_EQ(s.radioComPort.str(), "COM0");
  EXPECT_EQ(s.radioBaud.str(), "4800");
  EXPECT_EQ(ReadWholeFile(f.path), "RADIO_COM_PORT=COM4\n");
}

TEST(RestartFile, BackupPlacesAreTriedInOrder) {
  RestartFixture f;
  f.dir.Write("Documents/Talvex_RESTART_B.txt", "RADIO_COM_PORT=COM2\n");
  TRestartSettings s;
  ASSERT_TRUE(f.file.Load(s));
  EXPECT_EQ(s.radioComPort.str(), "COM2");  // the second place when the first has none

  f.dir.Write("Dravel_RESTART.txt", "");
  f.dir.Write("Talvex_RESTART_B.txt", "RADIO_COM_PORT=COM1\n");
  ASSERT_TRUE(f.file.Load(s));
  EXPECT_EQ(s.radioComPort.str(), "COM1");  // the first place wins
}

TEST(RestartFile, AFailedWriteLeavesNothingBehind) {
  RestartFixture f;
  TRestartFile nowhere(f.dir.Path("missing/Dravel_RESTART.txt"), {});
  EXPECT_FALSE(nowhere.Write(TRestartSettings{}));
  EXPECT_FALSE(f.dir.Exists("missing"));
  // A folder where the file should be cannot be replaced; its temporary goes.
  std::filesystem::create_directory(f.path);
  EXPECT_FALSE(f.file.Write(TRestartSettings{}));
  EXPECT_TRUE(std::filesystem::is_directory(f.path));
  int entries = 0;
  for (const auto& entry : std::filesystem::directory_iterator(f.dir.Dir())) entries += !entry.is_directory();
  EXPECT_EQ(entries, 0);
}
