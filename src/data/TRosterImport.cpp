#include "data/TRosterImport.h"

#include <cstdio>
#include <filesystem>
#include <optional>
#include <unordered_map>
#include <unordered_set>

#include "data/TNamesUpdate.h"
#include "data/TOperatorList.h"
#include "data/TextUtils.h"
#include "platform/DateTime.h"
#include "platform/Files.h"
#include "platform/SystemError.h"
#include "platform/TextLines.h"

namespace {

constexpr std::size_t kListed = 50;
constexpr std::string_view kNoName = "N/A";

/// The pieces between the separators, empty ones kept: a column's place counts.
std::vector<std::string_view> SplitAt(std::string_view line, char separator) {
  std::vector<std::string_view> pieces;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = line.find(separator, start);
    pieces.push_back(line.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) return pieces;
    start = end + 1;
  }
}

/// The column of the first of the names (any case, blanks aside), or -1.
int ColumnOf(const std::vector<std::string_view>& columns, std::initializer_list<std::string_view> names) {
  for (std::string_view name : names)
    for (std::size_t i = 0; i < columns.size(); ++i)
      if (SameText(Trim(columns[i]), name)) return static_cast<int>(i);
  return -1;
}

std::string Field(const std::vector<std::string_view>& pieces, int column) {
  return column >= 0 && static_cast<std::size_t>(column) < pieces.size() ? Trim(pieces[static_cast<std::size_t>(column)]) : std::string();
}

/// Whether a piece after the named columns holds something.
bool HasExtraFields(const std::vector<std::string_view>& pieces, std::size_t columns) {
  for (std::size_t i = columns; i < pieces.size(); ++i)
    if (!Trim(pieces[i]).empty()) return true;
  return false;
}

bool IsMemberNumber(std::string_view number) {
  if (number.empty() || number.size() > 9) return false;
  for (char c : number)
    if (c < '0' || c > '9') return false;
  return ReadInteger(number) > 0;
}

/// yyyyMMdd (or yyyy-MM-dd) as a number; 0 for an empty text; nothing when it is not a date.
std::optional<int> DateOf(std::string_view text) {
  if (text.empty()) return 0;
  std::string digits;
  if (text.size() == 10 && text[4] == '-' && text[7] == '-')
    digits = std::string(text.substr(0, 4)) + std::string(text.substr(5, 2)) + std::string(text.substr(8, 2));
  else
    digits = std::string(text);
  if (digits.size() != 8) return std::nullopt;
  for (char c : digits)
    if (c < '0' || c > '9') return std::nullopt;
  const int value = ReadInteger(digits);
  const int month = value / 100 % 100, day = value % 100;
  if (month < 1 || month > 12 || day < 1 || day > 31) return std::nullopt;
  return value;
}

std::string DateText(int ymd) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", ymd / 10000, ymd / 100 % 100, ymd % 100);
  return text;
}

/// The club a text names as a word ("FOC", "CWOps", "CWO"), kUnknown for none or both.
TClub ClubNamedIn(std::string_view text, TClub found = TClub::kUnknown, bool* both = nullptr) {
  std::string word;
  bool twice = both ? *both : false;
  auto take = [&] {
    const TClub club = word == "FOC" ? TClub::kFoc
                       : (word == "CWOPS" || word == "CWOP" || word == "CWO") ? TClub::kCwop
                                                                                 : TClub::kUnknown;
    if (club != TClub::kUnknown) {
      if (found != TClub::kUnknown && found != club) twice = true;
      found = club;
    }
    word.clear();
  };
  for (char c : text) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
      word += static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
    else
      take();
  }
  take();
  if (both) *both = twice;
  return found;
}

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

/// The roster's entries, one per call.
class EntryList {
 public:
  explicit EntryList(TRoster& roster) : m_roster(roster) {}
  void Bad(std::size_t line, std::string reason) { m_roster.bad.push_back({line, std::move(reason)}); }
  /// Checks call and number; false (the line bad) when they do not pass.
  bool Add(TRosterEntry entry, bool keepLongest) {
    if (!IsCallsign(entry.call)) {
      Bad(entry.line, Quoted(entry.call) + " fails the call sign test");
      return false;
    }
    // A list split at ";" may hold a comma, which the names file keeps between fields.
    if (entry.call.find(',') != std::string::npos || entry.name.find(',') != std::string::npos) {
      Bad(entry.line, Quoted(entry.call.find(',') != std::string::npos ? entry.call : entry.name) +
                          " holds a comma, which the names file keeps between fields");
      return false;
    }
    if (!entry.number.empty() && !IsMemberNumber(entry.number)) {
      Bad(entry.line, "the member number " + Quoted(entry.number) + " is not a number above 0");
      return false;
    }
    if (!entry.number.empty()) m_roster.hasNumbers = true;
    const auto [at, added] = m_calls.emplace(entry.call, m_roster.entries.size());
    if (added) {
      m_roster.entries.push_back(std::move(entry));
      return true;
    }
    TRosterEntry& kept = m_roster.entries[at->second];
    const auto lasts = [](int validTo) { return validTo == 0 ? 99999999 : validTo; };
    if (keepLongest && lasts(entry.validTo) > lasts(kept.validTo)) kept = std::move(entry);
    return true;
  }

 private:
  TRoster& m_roster;
  std::unordered_map<std::string, std::size_t> m_calls;
};

void ParseCallHistory(const std::vector<std::string_view>& lines, TRoster& roster) {
  EntryList entries(roster);
  std::vector<std::string_view> columns;
  int call = -1, name = -1, number = -1;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::size_t lineNumber = i + 1;
    const std::string text = Trim(lines[i]);
    if (text.empty() || text[0] == '#') continue;
    std::vector<std::string_view> pieces = SplitAt(lines[i], ',');
    if (SameText(Trim(pieces[0]), "!!Order!!")) {
      ++roster.orderLines;
      columns.assign(pieces.begin() + 1, pieces.end());
      call = ColumnOf(columns, {"Call"});
      name = ColumnOf(columns, {"Name"});
      number = ColumnOf(columns, {"Exch1"});
      if (call < 0) entries.Bad(lineNumber, "the order line names no Call column: the lines after it are skipped");
      continue;
    }
    if (call < 0) {
      entries.Bad(lineNumber, "no order line before it names the Call column");
      continue;
    }
    if (HasExtraFields(pieces, columns.size())) {
      entries.Bad(lineNumber, "more fields than the order line names (a comma inside a name?)");
      continue;
    }
    entries.Add({UpperCase(Field(pieces, call)), Field(pieces, name), Field(pieces, number), 0, lineNumber}, false);
  }
}

void ParseMembershipList(const std::vector<std::string_view>& lines, std::size_t header, char separator,
                         TRoster& roster) {
  EntryList entries(roster);
  const std::vector<std::string_view> columns = SplitAt(lines[header], separator);
  const int call = ColumnOf(columns, {"callsign", "call"});
  const int number = ColumnOf(columns, {"member_id", "number", "member", "id"});
  const int from = ColumnOf(columns, {"valid_from", "from"});
  const int to = ColumnOf(columns, {"valid_to", "to"});
  for (std::size_t i = header + 1; i < lines.size(); ++i) {
    const std::size_t lineNumber = i + 1;
    const std::string text = Trim(lines[i]);
    if (text.empty() || text[0] == '#') continue;
    const std::vector<std::string_view> pieces = SplitAt(lines[i], separator);
    if (HasExtraFields(pieces, columns.size())) {
      entries.Bad(lineNumber, "more fields than the header names");
      continue;
    }
    const std::string memberNumber = Field(pieces, number);
    if (memberNumber.empty()) {
      entries.Bad(lineNumber, "no member number");
      continue;
    }
    const std::string validFrom = Field(pieces, from), validTo = Field(pieces, to);
    const std::optional<int> fromDate = DateOf(validFrom), toDate = DateOf(validTo);
    if (!fromDate || !toDate) {
      entries.Bad(lineNumber, (fromDate ? "valid_to " + Quoted(validTo) : "valid_from " + Quoted(validFrom)) +
                                  " is not a date (yyyyMMdd)");
      continue;
    }
    entries.Add({UpperCase(Field(pieces, call)), std::string(), memberNumber, *toDate, lineNumber}, true);
  }
}

int ClubNumber(const TOperator& op, TClub club) { return club == TClub::kFoc ? op.focNumber : op.cwopNumber; }

bool HasName(const TOperator& op) { return !op.name.empty() && !SameText(op.name.view(), kNoName); }

void AppendList(std::string& text, const std::string& title, const std::vector<std::string>& items) {
  text += title + ": " + std::to_string(items.size()) + "\n";
  for (std::size_t i = 0; i < items.size() && i < kListed; ++i) text += "    " + items[i] + "\n";
  if (items.size() > kListed) text += "    ... and " + std::to_string(items.size() - kListed) + " more\n";
}

}  // namespace

std::string_view ClubName(TClub club) {
  switch (club) {
    case TClub::kFoc: return "FOC";
    case TClub::kCwop: return "CWOP";
    default: return "";
  }
}

bool ReadRoster(const std::string& path, TRoster& roster, std::string& failure) {
  failure.clear();
  std::error_code sizeError;
  const auto size = std::filesystem::file_size(path, sizeError);
  if (!sizeError && size > kRosterMaxBytes) {
    char megabytes[32];
    std::snprintf(megabytes, sizeof megabytes, "%.1f", static_cast<double>(size) / (1 << 20));
    failure = "The file " + path + " is " + megabytes + " MB: a roster file is at most " +
              std::to_string(kRosterMaxBytes >> 20) + " MB. Nothing was imported.";
    return false;
  }
  std::string text;
  int error = 0;
  if (!platform::ReadFileText(path, text, &error)) {
    failure = platform::WithSystemError("Could not read the roster file " + path, error) + ". Nothing was imported.";
    return false;
  }
  if (text.size() > kRosterMaxBytes) {
    failure = "The file " + path + " is larger than " + std::to_string(kRosterMaxBytes >> 20) +
              " MB, the most a roster file may be. Nothing was imported.";
    return false;
  }
  return ParseRoster(text, path, roster, failure);
}

bool ParseRoster(std::string_view text, const std::string& path, TRoster& roster, std::string& failure) {
  roster = TRoster();
  roster.path = path;
  failure.clear();
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);  // a byte order mark
  std::vector<std::string_view> lines;
  if (text.find('\0') == std::string_view::npos) ForEachTextLine(text, [&lines](std::string_view line) { lines.push_back(line); });

  // The club: named in the file's name or in its comment lines.
  bool both = false;
  TClub club = ClubNamedIn(std::filesystem::path(path).stem().string(), TClub::kUnknown, &both);
  std::optional<std::size_t> first;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string line = Trim(lines[i]);
    if (line.empty()) continue;
    if (line[0] == '#') {
      if (!first && roster.version.empty()) roster.version = Trim(std::string_view(line).substr(1));
      club = ClubNamedIn(line, club, &both);
      continue;
    }
    if (!first) first = i;
  }
  roster.club = both ? TClub::kUnknown : club;

  if (first) {
    const std::string_view line = lines[*first];
    if (SameText(Trim(SplitAt(line, ',')[0]), "!!Order!!")) {
      roster.format = TRosterFormat::kCallHistory;
      roster.version.clear();
      ParseCallHistory(lines, roster);
      return true;
    }
    for (char separator : {',', ';'}) {
      const std::vector<std::string_view> columns = SplitAt(line, separator);
      if (ColumnOf(columns, {"callsign", "call"}) >= 0 && ColumnOf(columns, {"member_id", "number"}) >= 0 &&
          ColumnOf(columns, {"valid_to", "to"}) >= 0) {
        roster.format = TRosterFormat::kMembershipList;
        ParseMembershipList(lines, *first, separator, roster);
        return true;
      }
    }
  }
  failure = "The file " + path +
            " is not a roster Talvex can read: neither a call-history file (its first line "
            "!!Order!!,Call,Name,Exch1,...) nor a dated membership list (a header "
            "callsign,member_id,valid_from,valid_to or CALL;NUMBER;FROM;TO). Nothing was imported.";
  return false;
}

TRosterPlan PlanRosterMerge(const TRoster& roster, TClub club, int today, const TOperatorList& names) {
  TRosterPlan plan;
  const std::string clubName(ClubName(club));
  std::unordered_set<std::string> current, reported;
  for (const TRosterEntry& entry : roster.entries) {
    const bool membership = !entry.number.empty() && club != TClub::kUnknown;
    const TOperator* op = names.Find(entry.call);
    if (membership && entry.validTo != 0 && entry.validTo < today) {
      const std::string ended = clubName + " " + entry.number + ", ended " + DateText(entry.validTo);
      if (op && ClubNumber(*op, club) > 0) {
        plan.noLongerCurrent.push_back(entry.call + ": " + clubName + " " + std::to_string(ClubNumber(*op, club)) +
                                       " in the names file; the roster's " + ended);
        reported.insert(entry.call);
      } else {
        plan.ended.push_back(entry.call + " (" + ended + ")");
      }
      continue;
    }
    current.insert(entry.call);
    const std::string rosterName = entry.name.empty() ? std::string(kNoName) : entry.name;
    const std::string suffix = membership ? "," + entry.number + "," + clubName : std::string();
    if (!op) {
      // A call without a name stands as "N/A", which the logging grid takes for none.
      plan.newCalls.push_back(entry.call + "," + rosterName + suffix);
      plan.lines += plan.newCalls.back() + "\n";
    } else if (membership && ClubNumber(*op, club) <= 0) {
      // The name the names file holds stays the name: a later line replaces it.
      plan.newMemberships.push_back(entry.call + "," + (HasName(*op) ? op->name.str() : rosterName) + suffix);
      plan.lines += plan.newMemberships.back() + "\n";
    } else {
      ++plan.alreadyThere;
    }
  }
  if (club != TClub::kUnknown && roster.hasNumbers) {
    for (const TOperator& op : names.Operators()) {
      if (ClubNumber(op, club) <= 0) continue;
      const std::string call = UpperCase(op.call.view());
      if (current.count(call) || reported.count(call)) continue;
      plan.noLongerCurrent.push_back(call + ": " + clubName + " " + std::to_string(ClubNumber(op, club)) +
                                     " in the names file, not on the roster");
    }
  }
  return plan;
}

std::string DescribeRosterPlan(const TRoster& roster, TClub club, const TRosterPlan& plan,
                               const std::string& namesPath) {
  std::string text = "Roster file " + roster.path + "\n";
  if (roster.format == TRosterFormat::kCallHistory)
    text += "A call-history file with " + std::to_string(roster.orderLines) +
            (roster.orderLines == 1 ? " order line" : " order lines");
  else
    text += "A dated membership list" + (roster.version.empty() ? std::string() : ", version " + roster.version);
  text += ": " + std::to_string(roster.entries.size()) + (roster.entries.size() == 1 ? " call" : " calls");
  if (roster.hasNumbers && club != TClub::kUnknown) text += " of " + std::string(ClubName(club));
  text += ".\n\n";
  if (roster.hasNumbers && club == TClub::kUnknown) {
    text += "The file does not say which club it lists: choose FOC or CWOP to see what the import will do.\n\n";
  } else {
    AppendList(text, "New calls", plan.newCalls);
    AppendList(text, "New memberships of calls the names file holds", plan.newMemberships);
    AppendList(text, "Memberships ended (valid_to passed), not added", plan.ended);
    AppendList(text, "Members no longer current (their lines stay in the names file)", plan.noLongerCurrent);
    text += "Already in the names file: " + std::to_string(plan.alreadyThere) + "\n";
  }
  std::vector<std::string> bad;
  for (const TRosterBadLine& line : roster.bad) bad.push_back("line " + std::to_string(line.line) + ": " + line.reason);
  AppendList(text, "Bad lines skipped", bad);
  if (!(roster.hasNumbers && club == TClub::kUnknown)) {
    const std::size_t lines = plan.newCalls.size() + plan.newMemberships.size();
    text += "\n";
    text += lines == 0 ? "Nothing to add to the names file " + namesPath + "."
                       : "Import adds " + std::to_string(lines) + (lines == 1 ? " line" : " lines") +
                             " to the end of the names file " + namesPath + "; no line of it is changed or removed.";
    text += "\n";
  }
  return text;
}

bool MergeRoster(const std::string& namesPath, const TRoster& roster, TClub club, int today,
                 std::size_t& added, std::string& failure) {
  added = 0;
  failure.clear();
  // The names file as it is now (it may have changed since the preview);
  // one that is not there counts as empty, one that cannot be read is
  // refused by the write below.
  TOperatorList names;
  names.LoadNamesFile(namesPath);
  const TRosterPlan plan = PlanRosterMerge(roster, club, today, names);
  if (plan.lines.empty()) return true;
  if (!TNamesUpdate::AppendLines(namesPath, plan.lines, failure)) return false;
  added = plan.newCalls.size() + plan.newMemberships.size();
  return true;
}

int TodayYmd() { return ReadInteger(platform::FormatDateTime("yyyymmdd", UtcNow())); }
