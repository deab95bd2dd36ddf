#include "data/TLogRecord.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <string_view>

#include "data/FixedText.h"
#include "data/TextUtils.h"
#include "platform/DateTime.h"

namespace {

constexpr std::size_t kRecordLineWidth = 100;
/// Room for the twelve fields: the line less its eleven separators and the
/// ":;" that the serial I/O logging port adds.
constexpr std::size_t kFieldsWidth = kRecordLineWidth - (kLogCells - 1) - 2;

// Cuts the longest fields, all to the one widest width that lets the fields
// fit together, never inside a UTF-8 character.
void FitFields(std::array<std::string, kLogCells>& fields) {
  const auto total = [&fields](std::size_t cap) {
    std::size_t sum = 0;
    for (const auto& field : fields) sum += std::min(field.size(), cap);
    return sum;
  };
  std::size_t cap = kFieldsWidth;
  while (cap > 0 && total(cap) > kFieldsWidth) --cap;
  for (auto& field : fields) field.resize(CutLength(field, cap));
}

std::string Date(double utc) { return platform::FormatDateTime("yyyy-mm-dd", utc); }
std::string Time(double utc) { return platform::FormatDateTime("hhnn", utc); }

// A colon would shift every later field of the line, a line end would split
// the record.
std::string LineField(std::string_view cell) {
  std::string field(cell);
  for (auto& c : field)
    if (c == ':' || static_cast<unsigned char>(c) < ' ' || c == '\x7f') c = ' ';
  return field;
}

std::string Digits(std::string_view text) {
  std::string digits;
  for (char c : text)
    if (c >= '0' && c <= '9') digits += c;
  return digits;
}

int Number(std::string_view digits) { return ReadInteger(digits); }

bool AllDigitsOrSeparators(std::string_view text, std::string_view separators) {
  for (char c : text)
    if (!(c >= '0' && c <= '9') && separators.find(c) == std::string_view::npos) return false;
  return true;
}

// yyyy-mm-dd (or yyyymmdd, yyyy/mm/dd) as YYYYMMDD.
std::optional<std::string> AdifDate(std::string_view cell) {
  const std::string text = Trim(cell);
  if (!AllDigitsOrSeparators(text, "-/.")) return std::nullopt;
  const std::string d = Digits(text);
  if (d.size() != 8) return std::nullopt;
  if (!platform::IsValidDateTime(Number(d.substr(0, 4)), Number(d.substr(4, 2)),
                                 Number(d.substr(6, 2)), 0, 0, 0))
    return std::nullopt;
  return d;
}

// hhnn (or hh:nn, hhnnss) as HHMM or HHMMSS.
std::optional<std::string> AdifTime(std::string_view cell) {
  const std::string text = Trim(cell);
  if (!AllDigitsOrSeparators(text, ":")) return std::nullopt;
  const std::string d = Digits(text);
  if (d.size() != 4 && d.size() != 6) return std::nullopt;
  const int seconds = d.size() == 6 ? Number(d.substr(4, 2)) : 0;
  if (Number(d.substr(0, 2)) > 23 || Number(d.substr(2, 2)) > 59 || seconds > 59) return std::nullopt;
  return d;
}

// A decimal number at the start of the text ("100", "14025.5", "100W").
std::string LeadingNumber(std::string_view cell) {
  const std::string text = Trim(cell);
  std::size_t i = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
  if (i == 0) return {};
  if (i + 1 < text.size() && text[i] == '.' && text[i + 1] >= '0' && text[i + 1] <= '9') {
    ++i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
  }
  return text.substr(0, i);
}

// A frequency in kHz ("14025", "14025.5") in Hz; nothing when it is not one.
std::optional<long long> KhzToHz(std::string_view cell) {
  const std::string number = LeadingNumber(cell);
  if (number.empty() || number.size() != Trim(cell).size()) return std::nullopt;
  const auto dot = number.find('.');
  const std::string whole = number.substr(0, dot);
  std::string fraction = dot == std::string::npos ? "" : number.substr(dot + 1);
  if (whole.size() > 9) return std::nullopt;
  fraction = (fraction + "000").substr(0, 3);
  return std::stoll(whole) * 1000 + std::stoll(fraction);
}

std::string MhzText(long long hz) {
  char text[40];
  std::snprintf(text, sizeof text, "%lld.%06lld", hz / 1000000, hz % 1000000);
  std::string mhz(text);
  while (mhz.size() > mhz.find('.') + 4 && mhz.back() == '0') mhz.pop_back();
  return mhz;
}

void AddField(std::string& record, std::string_view name, std::string_view value) {
  if (value.empty()) return;
  std::string clean(value);
  for (auto& c : clean)
    if (static_cast<unsigned char>(c) < ' ' || c == '\x7f') c = ' ';
  record += '<';
  record += name;
  record += ':';
  record += std::to_string(clean.size());
  record += '>';
  record += clean;
  record += ' ';
}

struct AdifMode {
  std::string mode, submode;
};

AdifMode ModeOf(std::string_view cell) {
  const std::string mode = UpperCase(Trim(cell));
  if (mode == "CW" || mode == "CW-R") return {"CW", ""};
  if (mode == "PH" || mode == "SSB") return {"SSB", ""};
  if (mode == "LSB" || mode == "USB") return {"SSB", mode};
  if (mode == "RY" || mode == "FSK" || mode == "RTTY") return {"RTTY", ""};
  return {mode, ""};
}

struct Band {
  const char* name;
  long long lowHz, highHz;
};

constexpr Band kAdifBands[] = {
    {"2190m", 135700, 137800},         {"630m", 472000, 479000},
    {"560m", 501000, 504000},          {"160m", 1800000, 2000000},
    {"80m", 3500000, 4000000},         {"60m", 5060000, 5450000},
    {"40m", 7000000, 7300000},         {"30m", 10100000, 10150000},
    {"20m", 14000000, 14350000},       {"17m", 18068000, 18168000},
    {"15m", 21000000, 21450000},       {"12m", 24890000, 24990000},
    {"10m", 28000000, 29700000},       {"8m", 40000000, 45000000},
    {"6m", 50000000, 54000000},        {"4m", 70000000, 71000000},
    {"2m", 144000000, 148000000},      {"1.25m", 222000000, 225000000},
    {"70cm", 420000000, 450000000},    {"33cm", 902000000, 928000000},
    {"23cm", 1240000000, 1300000000},
};

}  // namespace

std::string BuildRecordLine(const TLogContact& contact) {
  const std::string date = Date(contact.utc);
  const std::string time = Time(contact.utc);
  const std::array<std::string, kLogCells> defaults{
      date, "", "", "", time, "", "599", "599", time, "N/A", "N/A", "N/A"};
  std::array<std::string, kLogCells> fields;
  for (int i = 0; i < kLogCells; ++i) {
    const std::string cell = Trim(LineField(contact.cells[i]));
    fields[i] = cell.empty() ? defaults[i] : cell;
  }
  FitFields(fields);
  std::string line;
  for (int i = 0; i < kLogCells; ++i) {
    if (i > 0) line += ':';
    line += fields[i];
  }
  return UpperCase(line);
}

std::string BuildAdifRecord(const TLogContact& contact) {
  const auto& cell = contact.cells;
  const std::string momentDate = platform::FormatDateTime("yyyymmdd", contact.utc);
  const std::string momentTime = Time(contact.utc);
  std::string record;
  AddField(record, "QSO_DATE", AdifDate(cell[kCellDate]).value_or(momentDate));
  AddField(record, "TIME_ON", AdifTime(cell[kCellUtcOn]).value_or(momentTime));
  AddField(record, "TIME_OFF", AdifTime(cell[kCellUtcOff]).value_or(momentTime));
  AddField(record, "CALL", UpperCase(Trim(cell[kCellStation])));
  if (const auto hz = KhzToHz(cell[kCellFreq])) {
    AddField(record, "FREQ", MhzText(*hz));
    AddField(record, "BAND", AdifBandOfFrequency(*hz));
  }
  const AdifMode mode = ModeOf(cell[kCellMode]);
  AddField(record, "MODE", mode.mode);
  AddField(record, "SUBMODE", mode.submode);
  AddField(record, "TX_PWR", LeadingNumber(cell[kCellPower]));
  // The same reports the record line gets: "599" for an empty cell.
  const auto report = [](const std::string& text) { return Trim(text).empty() ? std::string("599") : Trim(text); };
  AddField(record, "RST_SENT", report(cell[kCellSentRst]));
  AddField(record, "RST_RCVD", report(cell[kCellRcvdRst]));
  AddField(record, "QTH", Trim(cell[kCellQth]));
  AddField(record, "NAME", Trim(cell[kCellName]));
  AddField(record, "COMMENT", Trim(cell[kCellOrgs]));
  record += "<EOR>\n";
  return record;
}

std::string FrequencyCellText(std::int64_t hz, std::size_t length) {
  return CutText(hz >= 1000000000 ? std::string("Too large") : std::to_string(hz / 1000), length);
}

std::string ModeCellText(const std::string& modeName, std::size_t length) {
  const std::string name = CutText(modeName, 5);
  std::string mode = name;
  for (const char* ph : {"USB", "LSB"})
    if (SameText(name, ph)) mode = "PH";
  for (const char* cw : {"CW", "UCW", "LCW", "CW-R", "CW-N", "CWR", "CWN"})
    if (SameText(name, cw)) mode = "CW";
  for (const char* ry : {"FSK", "FSR", "RTTY"})
    if (SameText(name, ry)) mode = "RY";
  return CutText(mode, length);
}

std::string PowerCellText(int watts, std::size_t length) {
  return CutText(watts >= 1000 ? std::string("Too large") : std::to_string(watts), length);
}

std::string BuildAdifHeader(const std::string& programVersion, double utc) {
  std::string header = "Talvex contact log\n";
  AddField(header, "ADIF_VER", "3.1.4");
  AddField(header, "PROGRAMID", "Talvex");
  AddField(header, "PROGRAMVERSION", programVersion);
  AddField(header, "CREATED_TIMESTAMP", platform::FormatDateTime("yyyymmdd hhnnss", utc));
  header += "<EOH>\n";
  return header;
}

std::string AdifBandOfFrequency(long long hz) {
  for (const Band& band : kAdifBands)
    if (hz >= band.lowHz && hz <= band.highHz) return band.name;
  return {};
}
