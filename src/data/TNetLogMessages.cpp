#include "data/TNetLogMessages.h"

#include <cmath>
#include <cstdio>

#include "data/TextUtils.h"
#include "platform/DateTime.h"

namespace {

// Days since 1899-12-30 to the Julian day number: 1899-12-30 is day 2415019.
constexpr std::int64_t kJulianDayOfZero = 2415019;

class DataStream {
 public:
  void U8(std::uint8_t v) { m_bytes += static_cast<char>(v); }
  void U32(std::uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) U8(static_cast<std::uint8_t>(v >> shift));
  }
  void U64(std::uint64_t v) {
    U32(static_cast<std::uint32_t>(v >> 32));
    U32(static_cast<std::uint32_t>(v));
  }
  void Text(const std::string& text) {
    U32(static_cast<std::uint32_t>(text.size()));
    m_bytes += text;
  }
  void DateTime(double utc) {
    const double day = std::floor(utc);
    U64(static_cast<std::uint64_t>(static_cast<std::int64_t>(day) + kJulianDayOfZero));
    U32(static_cast<std::uint32_t>(std::llround((utc - day) * 86400000.0) % 86400000));
    U8(1);  // UTC
  }
  void Header(wsjtx::MessageType type, const std::string& id) {
    U32(wsjtx::kMagic);
    U32(wsjtx::kSchema);
    U32(type);
    Text(id);
  }
  const std::string& Bytes() const { return m_bytes; }

 private:
  std::string m_bytes;
};

int Number(const std::string& digits, std::size_t at, std::size_t count) {
  return ReadInteger(std::string_view(digits).substr(at, count));
}

// The moment of the contact's DATE with an hhnn cell; nothing when unreadable.
std::optional<double> MomentOf(const std::string& date, const std::string& hhnn) {
  if (date.size() != 10 || date[4] != '-' || date[7] != '-' || hhnn.size() != 4 ||
      hhnn.find_first_not_of("0123456789") != std::string::npos)
    return std::nullopt;
  const int year = Number(date, 0, 4), month = Number(date, 5, 2), day = Number(date, 8, 2);
  const int hour = Number(hhnn, 0, 2), minute = Number(hhnn, 2, 2);
  if (!platform::IsValidDateTime(year, month, day, hour, minute, 0)) return std::nullopt;
  return platform::EncodeDateTime(year, month, day, hour, minute, 0);
}

struct Times {
  double on = 0, off = 0;
};

Times TimesOf(const TLogContact& contact) {
  const std::string& date = contact.cells[kCellDate];
  Times times;
  times.off = MomentOf(date, contact.cells[kCellUtcOff]).value_or(contact.utc);
  times.on = MomentOf(date, contact.cells[kCellUtcOn]).value_or(times.off);
  if (times.off < times.on) times.off += 1;  // over midnight
  return times;
}

// The frequency in Hz of the ADIF record's FREQ (MHz), 0 without one.
std::uint64_t HzOf(const std::string& record) {
  const std::string mhz = AdifFieldOf(record, "FREQ");
  if (mhz.empty()) return 0;
  const auto dot = mhz.find('.');
  const std::string fraction = dot == std::string::npos ? "" : (mhz.substr(dot + 1) + "000000").substr(0, 6);
  return static_cast<std::uint64_t>(ReadInteger(mhz.substr(0, dot))) * 1000000 +
         static_cast<std::uint64_t>(ReadInteger(fraction));
}

std::string XmlEscaped(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&apos;"; break;
      default: out += c;
    }
  }
  return out;
}

// The MHz of the low edge of the ADIF band, as N1MM names bands.
std::string N1mmBand(const std::string& adifBand) {
  static const std::pair<const char*, const char*> kBands[] = {
      {"2190m", "0.136"}, {"630m", "0.472"}, {"560m", "0.501"}, {"160m", "1.8"}, {"80m", "3.5"},
      {"60m", "5"},       {"40m", "7"},      {"30m", "10"},     {"20m", "14"},  {"17m", "18"},
      {"15m", "21"},      {"12m", "24"},     {"10m", "28"},     {"8m", "40"},   {"6m", "50"},
      {"4m", "70"},       {"2m", "144"},     {"1.25m", "222"},  {"70cm", "420"}, {"33cm", "902"},
      {"23cm", "1240"}};
  for (const auto& [adif, mhz] : kBands)
    if (SameText(adif, adifBand)) return mhz;
  return {};
}

// 32 hex digits made from the text (two FNV-1a hashes).
std::string IdOf(const std::string& text) {
  std::uint64_t a = 14695981039346656037ull, b = 1099511628211ull * 31;
  for (unsigned char c : text) {
    a = (a ^ c) * 1099511628211ull;
    b = (b ^ c) * 1099511628211ull + 0x9e3779b97f4a7c15ull;
  }
  char id[33];
  std::snprintf(id, sizeof id, "%016llx%016llx", static_cast<unsigned long long>(a),
                static_cast<unsigned long long>(b));
  return id;
}

}  // namespace

std::optional<TLogContact> ContactOfRecordLine(const std::string& line) {
  TLogContact contact;
  std::size_t start = 0;
  for (int field = 0; field < kLogCells; ++field) {
    const auto colon = line.find(':', start);
    if ((colon == std::string::npos) != (field == kLogCells - 1)) return std::nullopt;
    contact.cells[field] = Trim(line.substr(start, colon == std::string::npos ? std::string::npos : colon - start));
    start = colon + 1;
  }
  for (int field : {kCellQth, kCellName, kCellOrgs})
    if (SameText(contact.cells[field], "N/A")) contact.cells[field].clear();
  const auto moment = MomentOf(contact.cells[kCellDate], contact.cells[kCellUtcOff]);
  const auto day = MomentOf(contact.cells[kCellDate], "0000");
  if (!day) return std::nullopt;
  contact.utc = moment.value_or(*day);
  return contact;
}

std::string AdifFieldOf(const std::string& record, const std::string& name) {
  const std::string upper = UpperCase(record);
  const std::string open = "<" + UpperCase(name) + ":";
  for (std::size_t at = upper.find(open); at != std::string::npos; at = upper.find(open, at + 1)) {
    const auto close = upper.find('>', at);
    if (close == std::string::npos) return {};
    std::string length = record.substr(at + open.size(), close - at - open.size());
    length = length.substr(0, length.find(':'));
    return record.substr(close + 1, static_cast<std::size_t>(ReadInteger(length)));
  }
  return {};
}

namespace wsjtx {

std::string Heartbeat(const std::string& id, const std::string& version) {
  DataStream out;
  out.Header(kHeartbeat, id);
  out.U32(kSchema);
  out.Text(version);
  out.Text("");
  return out.Bytes();
}

std::string QsoLogged(const std::string& id, const TLogContact& contact, const std::string& myCall) {
  const std::string record = BuildAdifRecord(contact);
  const Times times = TimesOf(contact);
  DataStream out;
  out.Header(kQsoLogged, id);
  out.DateTime(times.off);
  out.Text(UpperCase(contact.cells[kCellStation]));
  out.Text("");  // DX grid
  out.U64(HzOf(record));
  out.Text(AdifFieldOf(record, "MODE"));
  out.Text(AdifFieldOf(record, "RST_SENT"));
  out.Text(AdifFieldOf(record, "RST_RCVD"));
  out.Text(AdifFieldOf(record, "TX_PWR"));
  out.Text(contact.cells[kCellOrgs]);
  out.Text(contact.cells[kCellName]);
  out.DateTime(times.on);
  out.Text("");  // operator call
  out.Text(myCall);
  for (int empty = 0; empty < 4; ++empty) out.Text("");  // own grid, exchanges, propagation mode
  return out.Bytes();
}

std::string LoggedAdif(const std::string& id, const TLogContact& contact, const std::string& programVersion) {
  DataStream out;
  out.Header(kLoggedAdif, id);
  out.Text(BuildAdifHeader(programVersion, contact.utc) + BuildAdifRecord(contact));
  return out.Bytes();
}

}  // namespace wsjtx

std::string N1mmContactInfo(const TLogContact& contact, const std::string& myCall, const std::string& recordLine) {
  const std::string record = BuildAdifRecord(contact);
  const std::string tenHz = std::to_string(HzOf(record) / 10);
  const std::string call = XmlEscaped(UpperCase(contact.cells[kCellStation]));
  const std::string mine = XmlEscaped(myCall);
  const std::pair<const char*, std::string> elements[] = {
      {"app", "Talvex"},
      {"contestname", "DX"},
      {"contestnr", "1"},
      {"timestamp", platform::FormatDateTime("yyyy-mm-dd hh:nn:ss", TimesOf(contact).on)},
      {"mycall", mine},
      {"band", N1mmBand(AdifFieldOf(record, "BAND"))},
      {"rxfreq", tenHz},
      {"txfreq", tenHz},
      {"operator", ""},
      {"mode", XmlEscaped(AdifFieldOf(record, "SUBMODE").empty() ? AdifFieldOf(record, "MODE")
                                                                   : AdifFieldOf(record, "SUBMODE"))},
      {"call", call},
      {"countryprefix", ""},
      {"wpxprefix", ""},
      {"stationprefix", mine},
      {"continent", ""},
      {"snt", XmlEscaped(AdifFieldOf(record, "RST_SENT"))},
      {"sntnr", "0"},
      {"rcv", XmlEscaped(AdifFieldOf(record, "RST_RCVD"))},
      {"rcvnr", "0"},
      {"gridsquare", ""},
      {"exchange1", ""},
      {"section", ""},
      {"comment", XmlEscaped(contact.cells[kCellOrgs])},
      {"qth", XmlEscaped(contact.cells[kCellQth])},
      {"name", XmlEscaped(contact.cells[kCellName])},
      {"power", XmlEscaped(AdifFieldOf(record, "TX_PWR"))},
      {"misctext", ""},
      {"zone", "0"},
      {"prec", ""},
      {"ck", "0"},
      {"ismultiplier1", "0"},
      {"ismultiplier2", "0"},
      {"ismultiplier3", "0"},
      {"points", "1"},
      {"radionr", "1"},
      {"run1run2", "1"},
      {"RoverLocation", ""},
      {"RadioInterfaced", "1"},
      {"NetworkedCompNr", "0"},
      {"IsOriginal", "True"},
      {"NetBiosName", ""},
      {"IsRunQSO", "0"},
      {"StationName", "Talvex"},
      {"ID", IdOf(recordLine)},
      {"IsClaimedQso", "True"},
  };
  std::string xml = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<contactinfo>\n";
  for (const auto& [name, value] : elements) xml += std::string("\t<") + name + ">" + value + "</" + name + ">\n";
  xml += "</contactinfo>\n";
  return xml;
}
