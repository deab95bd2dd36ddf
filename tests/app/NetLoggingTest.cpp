// Network logging through the application object, received on 127.0.0.1
// and read back by a reader written from the published formats: every
// field of a WSJT-X "QSO Logged" message, the ADIF of "Logged ADIF", the
// elements of N1MM's contactinfo, and the heartbeat of the test button.

#include <gtest/gtest.h>

#include <cmath>
#include <iostream>

#include "../data/AdifTestReader.h"
#include "NetLogReader.h"
#include "RecordingMessageSink.h"
#include "TempProgramDir.h"
#include "app/TTalvexApp.h"
#include "data/TNetLogSettings.h"
#include "platform/DateTime.h"
#include "platform/Files.h"

namespace {

const double kMoment = platform::EncodeDateTime(2026, 12, 8, 14, 25, 30);
const std::string kJulianDay = std::to_string(static_cast<long long>(std::floor(kMoment)) + 2415019);

void Log(TTalvexApp& app, const std::string& call, const std::string& qth) {
  const std::pair<int, const char*> cells[] = {
      {kCellDate, "2026-12-08"}, {kCellFreq, "14025"}, {kCellMode, "CW"},    {kCellPower, "100"},
      {kCellUtcOn, "1423"},      {kCellSentRst, "579"}, {kCellRcvdRst, "559"}, {kCellUtcOff, "1425"},
      {kCellName, "Bob"},        {kCellOrgs, "FOC"}};
  for (const auto& [cell, text] : cells) app.LogLine().SetCell(cell, text);
  app.LogLine().SetCell(kCellStation, call);
  app.LogLine().SetCell(kCellQth, qth);
  ASSERT_EQ(app.LogTheQso(kMoment, {}), TLogLine::Logged::kLogged);
  app.DeliverNetworkContacts();
}

std::string CallOf(const std::optional<std::string>& datagram) {
  if (!datagram) return "(nothing)";
  const WsjtxMessage m = ReadWsjtx(*datagram);
  return m.type == 5 ? m.fields.at(1) : std::string();
}

}  // namespace

TEST(NetLogging, EachContactReachesBothReadersInTheFormatsTheyRead) {
  TempProgramDir dir;
  RecordingMessageSink sink;
  TTalvexApp app;
  // Off until the operator turns it on, to the published ports on this computer.
  TNetLogSettings settings = app.NetLogSettings();
  EXPECT_EQ(settings, (TNetLogSettings{.wsjtx = false, .wsjtxAddress = {"127.0.0.1", 2237}, .n1mm = false,
                                       .n1mmAddress = {"127.0.0.1", 12060}, .stationCall = "N0CALL"}));
  LoopbackReceiver wsjtxReader, n1mmReader;
  settings = {.wsjtx = true, .wsjtxAddress = {"127.0.0.1", wsjtxReader.Port()}, .n1mm = true,
              .n1mmAddress = {"127.0.0.1", n1mmReader.Port()}, .stationCall = "W9TLX"};
  ASSERT_TRUE(app.StoreNetLogSettings(settings));
  {
    TTalvexApp restarted;
    EXPECT_EQ(restarted.NetLogSettings(), settings);
  }

  Log(app, "k1abc", "Boston & <Co>");
  const auto qsoLogged = wsjtxReader.Receive();
  ASSERT_TRUE(qsoLogged);
  const WsjtxMessage m = ReadWsjtx(*qsoLogged);
  EXPECT_TRUE(m.complete);
  EXPECT_EQ(m.magic, 0xadbccbdau);
  EXPECT_EQ(m.schema, 2u);
  EXPECT_EQ(m.type, 5u);
  EXPECT_EQ(m.id, "Talvex");
  const std::vector<std::string> expected{
      "JD " + kJulianDay + " MS 51900000 SPEC 1",  // 14:25 UTC
      "K1ABC", "", "14025000", "CW", "579", "559", "100", "FOC", "BOB",
      "JD " + kJulianDay + " MS 51780000 SPEC 1",  // 14:23 UTC
      "", "W9TLX", "", "", "", ""};
  EXPECT_EQ(m.fields, expected);
  const char* names[] = {"Date & Time Off", "DX call", "DX grid", "Tx frequency (Hz)", "Mode", "Report sent",
                         "Report received", "Tx power", "Comments", "Name", "Date & Time On", "Operator call",
                         "My call", "My grid", "Exchange sent", "Exchange received", "ADIF Propagation mode"};
  std::cout << "QSO Logged (type " << m.type << ", schema " << m.schema << ", id " << m.id << "):\n";
  for (std::size_t i = 0; i < m.fields.size(); ++i) std::cout << "  " << names[i] << ": " << m.fields[i] << "\n";

  const auto loggedAdif = wsjtxReader.Receive();
  ASSERT_TRUE(loggedAdif);
  const WsjtxMessage adifMessage = ReadWsjtx(*loggedAdif);
  EXPECT_EQ(adifMessage.type, 12u);
  EXPECT_TRUE(adifMessage.complete);
  const auto adif = ReadAdif(adifMessage.fields.at(0));
  ASSERT_TRUE(adif.has_value());
  EXPECT_EQ(adif->headerEnds, 1);
  EXPECT_TRUE(adif->header.at("ADIF_VER").starts_with("3.1")) << adif->header.at("ADIF_VER");
  ASSERT_EQ(adif->records.size(), 1u);
  const std::map<std::string, std::string> record{
      {"QSO_DATE", "20261208"}, {"TIME_ON", "1423"}, {"TIME_OFF", "1425"}, {"CALL", "K1ABC"},
      {"FREQ", "14.025"},       {"BAND", "20m"},     {"MODE", "CW"},       {"TX_PWR", "100"},
      {"RST_SENT", "579"},      {"RST_RCVD", "559"}, {"QTH", "BOSTON & <CO>"}, {"NAME", "BOB"},
      {"COMMENT", "FOC"}};
  EXPECT_EQ(adif->records[0], record);

  const auto contactInfo = n1mmReader.Receive();
  ASSERT_TRUE(contactInfo);
  std::cout << "contactinfo:\n" << *contactInfo;
  const auto elements = ReadContactInfo(*contactInfo);
  ASSERT_TRUE(elements.has_value());
  for (const auto& [name, value] :
       std::map<std::string, std::string>{{"app", "Talvex"},        {"timestamp", "2026-12-08 14:23:00"},
                                          {"mycall", "W9TLX"},      {"band", "14"},
                                          {"rxfreq", "1402500"},    {"txfreq", "1402500"},
                                          {"mode", "CW"},           {"call", "K1ABC"},
                                          {"snt", "579"},           {"rcv", "559"},
                                          {"qth", "BOSTON & <CO>"}, {"name", "BOB"},
                                          {"power", "100"},         {"comment", "FOC"},
                                          {"IsOriginal", "True"},   {"radionr", "1"}})
    EXPECT_EQ(elements->at(name), value) << name;
  EXPECT_EQ(elements->at("ID").size(), 32u);

  // A line another writer appended (a radio library's grid) goes out the same way.
  ASSERT_TRUE(platform::AppendFileDurably(app.Files().defaultLogFile.str(),
                                          "2026-12-08:7025:CW:5:1500:W1AW:599:599:1501:N/A:N/A:N/A\n"));
  app.DeliverNetworkContacts();
  EXPECT_EQ(CallOf(wsjtxReader.Receive()), "W1AW");
  EXPECT_TRUE(wsjtxReader.Receive());  // its Logged ADIF
  const auto grid = ReadContactInfo(n1mmReader.Receive().value_or(""));
  ASSERT_TRUE(grid);
  EXPECT_EQ(grid->at("band"), "7");
  EXPECT_EQ(grid->at("name"), "");

  // The test button: a heartbeat to the WSJT-X address.
  EXPECT_EQ(app.SendNetHeartbeat(settings), "Heartbeat sent to 127.0.0.1:" + std::to_string(wsjtxReader.Port()));
  const WsjtxMessage heartbeat = ReadWsjtx(wsjtxReader.Receive().value_or(""));
  EXPECT_EQ(heartbeat.type, 0u);
  EXPECT_EQ(heartbeat.fields, (std::vector<std::string>{"2", "unknown", ""}));
  EXPECT_TRUE(sink.Messages().empty());
}

TEST(NetLogging, ARefusedDatagramIsSentAgainInOrderAndATargetTurnedOffReplaysNothing) {
  TempProgramDir dir;
  RecordingMessageSink sink;
  TTalvexApp app;
  LoopbackReceiver reader;
  TNetLogSettings settings = app.NetLogSettings();
  settings.wsjtx = true;
  settings.wsjtxAddress = {"127.0.0.1", 0};  // the system refuses port 0
  ASSERT_TRUE(app.StoreNetLogSettings(settings));
  Log(app, "K1AAA", "");
  Log(app, "K1BBB", "");
  settings.wsjtxAddress.port = reader.Port();
  app.StoreNetLogSettings(settings);
  app.DeliverNetworkContacts();
  std::vector<std::string> calls;
  for (int i = 0; i < 4; ++i) calls.push_back(CallOf(reader.Receive()));
  EXPECT_EQ(calls, (std::vector<std::string>{"K1AAA", "", "K1BBB", ""}));  // each QSO Logged, then its ADIF

  // Off: contacts go nowhere, and turning it on again sends only what follows.
  settings.wsjtx = false;
  app.StoreNetLogSettings(settings);
  Log(app, "K2OFF", "");
  EXPECT_FALSE(reader.Receive(200));
  settings.wsjtx = true;
  app.StoreNetLogSettings(settings);
  Log(app, "K3ON", "");
  EXPECT_EQ(CallOf(reader.Receive()), "K3ON");
  EXPECT_TRUE(sink.Messages().empty());
}
