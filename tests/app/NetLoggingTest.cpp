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
  const std::string cells[kLogCells] = {"2026-12-08", "14025", "CW",  "100", "1423", call,
                                       "579",        "559",   "1425", qth,   "Bob",  "FOC"};
  for (int c = 0; c < kLogCells; ++c) app.LogLine().SetCell(c, cells[c]);
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
  EXPECT_EQ(TTalvexApp().NetLogSettings(), settings);  // read back at the next start

  Log(app, "k1abc", "Boston & <Co>");
  const WsjtxMessage m = ReadWsjtx(wsjtxReader.Receive().value_or(""));
  EXPECT_TRUE(m.complete && m.magic == 0xadbccbdau && m.schema == 2 && m.type == 5 && m.id == "Talvex")
      << m.magic << " " << m.schema << " " << m.type << " " << m.id;
  const std::vector<std::string> expected{
      "JD " + kJulianDay + " MS 51900000 ZONE 1",  // 14:25 UTC
      "K1ABC", "", "14025000", "CW", "579", "559", "100", "FOC", "BOB",
      "JD " + kJulianDay + " MS 51780000 ZONE 1",  // 14:23 UTC
      "", "W9TLX", "", "", "", ""};
  EXPECT_EQ(m.fields, expected);
  const char* names[] = {"Date & Time Off", "DX call", "DX grid", "Tx frequency (Hz)", "Mode", "Report sent",
                         "Report received", "Tx power", "Comments", "Name", "Date & Time On", "Operator call",
                         "My call", "My grid", "Exchange sent", "Exchange received", "ADIF Propagation mode"};
  std::cout << "QSO Logged (type " << m.type << ", schema " << m.schema << ", id " << m.id << "):\n";
  for (std::size_t i = 0; i < m.fields.size(); ++i) std::cout << "  " << names[i] << ": " << m.fields[i] << "\n";

  const WsjtxMessage adifMessage = ReadWsjtx(wsjtxReader.Receive().value_or(""));
  ASSERT_TRUE(adifMessage.type == 12 && adifMessage.complete);
  const auto adif = ReadAdif(adifMessage.fields.at(0));
  ASSERT_TRUE(adif.has_value());
  EXPECT_EQ(adif->headerEnds, 1);
  EXPECT_TRUE(adif->header.at("ADIF_VER").starts_with("3.1")) << adif->header.at("ADIF_VER");
  ASSERT_EQ(adif->records.size(), 1u);
  EXPECT_EQ(adif->records[0], (std::map<std::string, std::string>{
                                  {"QSO_DATE", "20261208"}, {"TIME_ON", "1423"}, {"TIME_OFF", "1425"}, {"CALL", "K1ABC"},
                                  {"FREQ", "14.025"}, {"BAND", "20m"}, {"MODE", "CW"}, {"TX_PWR", "100"},
                                  {"RST_SENT", "579"}, {"RST_RCVD", "559"}, {"QTH", "BOSTON & <CO>"},
                                  {"NAME", "BOB"}, {"COMMENT", "FOC"}}));

  const std::string contactInfo = n1mmReader.Receive().value_or("");
  std::cout << "contactinfo:\n" << contactInfo;
  const auto elements = ReadContactInfo(contactInfo);
  ASSERT_TRUE(elements.has_value());
  for (const auto& [name, value] : std::map<std::string, std::string>{
           {"app", "Talvex"}, {"timestamp", "2026-12-08 14:23:00"}, {"mycall", "W9TLX"}, {"band", "14"},
           {"rxfreq", "1402500"}, {"txfreq", "1402500"}, {"mode", "CW"}, {"call", "K1ABC"}, {"snt", "579"},
           {"rcv", "559"}, {"qth", "BOSTON & <CO>"}, {"name", "BOB"}, {"power", "100"}, {"comment", "FOC"},
           {"IsOriginal", "True"}, {"radionr", "1"}})
    EXPECT_EQ(elements->at(name), value) << name;
  EXPECT_EQ(elements->at("ID").size(), 32u);

  // A line another writer appended (a radio library's grid) goes out the same way.
  ASSERT_TRUE(platform::AppendFileDurably(app.Files().defaultLogFile.str(),
                                          "2026-12-08:7025:CW:5:1500:W1AW:599:599:1501:N/A:N/A:N/A\n"));
  app.DeliverNetworkContacts();
  EXPECT_EQ(CallOf(wsjtxReader.Receive()), "W1AW");
  EXPECT_TRUE(wsjtxReader.Receive());  // its Logged ADIF
  auto grid = ReadContactInfo(n1mmReader.Receive().value_or("")).value_or(std::map<std::string, std::string>{});
  EXPECT_EQ(grid["band"] + "," + grid["name"] + "," + grid["call"], "7,,W1AW");

  EXPECT_TRUE(sink.Messages().empty());
}

TEST(NetLogging, ARefusedDatagramIsSentAgainInOrderAndATargetTurnedOffReplaysNothing) {
  TempProgramDir dir;
  RecordingMessageSink sink;
  TTalvexApp app;
  LoopbackReceiver reader;
  TNetLogSettings settings = app.NetLogSettings();
  settings.wsjtx = true, settings.wsjtxAddress = {"127.0.0.1", 0};  // the system refuses port 0
  ASSERT_TRUE(app.StoreNetLogSettings(settings));
  Log(app, "K1AAA", "");
  Log(app, "K1BBB", "");
  EXPECT_EQ(app.NetLogFailure(), "Network logging could not send to 127.0.0.1:0: Invalid argument");
  settings.wsjtxAddress.port = reader.Port();
  app.StoreNetLogSettings(settings);
  app.DeliverNetworkContacts();
  std::vector<std::string> calls;
  for (int i = 0; i < 4; ++i) calls.push_back(CallOf(reader.Receive()));
  EXPECT_EQ(calls, (std::vector<std::string>{"K1AAA", "", "K1BBB", ""}));  // each QSO Logged, then its ADIF
  EXPECT_EQ(app.NetLogFailure(), "");

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
