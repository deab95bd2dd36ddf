#pragma once
// Club rosters into the names file: reading a roster file, what merging it
// would do, and the merge. Two formats, told apart by their first lines:
//
// - a call-history file (N1MM): "#" comment lines and order lines
//   "!!Order!!,Call,Name,Exch1,..." naming the columns of the lines after
//   them (several order lines may come); Exch1 holds the member number;
// - a dated membership list (QLog, CQRLOG): an optional "# <version>" line,
//   a header naming callsign, member_id, valid_from and valid_to (or CALL,
//   NUMBER, FROM, TO), split at "," or ";", then one line per membership with
//   yyyyMMdd dates (an empty valid_to never ends).
//
// The merge only appends lines to the names file in its own line format,
// CALL,NAME,NUMBER,CLUB (one per membership), so no line that is there is
// ever changed or dropped; the file is replaced whole (or not at all).

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

class TOperatorList;

/// A roster file larger than this is refused.
inline constexpr std::size_t kRosterMaxBytes = std::size_t(4) << 20;

enum class TRosterFormat { kCallHistory, kMembershipList };
/// The two clubs the names file knows.
enum class TClub { kUnknown, kFoc, kCwop };

/// "FOC", "CWOP", or "" for kUnknown.
std::string_view ClubName(TClub club);

/// One call of the roster (a call that stands on several lines is one
/// entry: the first line of a call-history file, the membership lasting
/// longest of a membership list).
struct TRosterEntry {
  std::string call;    ///< upper case, passes IsCallsign
  std::string name;    ///< trimmed; empty when the file gives none
  std::string number;  ///< member number, digits; empty when the file gives none
  int validTo = 0;     ///< last day of the membership as yyyymmdd; 0: no end
  std::size_t line = 0;
};

/// A line that was skipped, numbered from 1, and why.
struct TRosterBadLine {
  std::size_t line = 0;
  std::string reason;
};

struct TRoster {
  std::string path;
  TRosterFormat format = TRosterFormat::kCallHistory;
  std::string version;          ///< a membership list's "# <version>" text
  std::size_t orderLines = 0;   ///< a call-history file's order lines
  TClub club = TClub::kUnknown; ///< the club the file names (in its name or a comment line)
  bool hasNumbers = false;      ///< some entry has a member number: the club matters
  std::vector<TRosterEntry> entries;
  std::vector<TRosterBadLine> bad;
};

/// Reads the roster file. False, with the message to show (naming the
/// file), when it cannot be read, is larger than kRosterMaxBytes, or is not
/// one of the two formats.
bool ReadRoster(const std::string& path, TRoster& roster, std::string& failure);
/// The same for the text of a file at path (the name may name the club).
bool ParseRoster(std::string_view text, const std::string& path, TRoster& roster, std::string& failure);

/// What merging the roster as a list of the club would do to the names
/// file, whose operators are given, on the day today (yyyymmdd).
struct TRosterPlan {
  std::vector<std::string> newCalls;        ///< lines for calls the names file lacks
  std::vector<std::string> newMemberships;  ///< lines for calls it holds without this club's number
  std::vector<std::string> ended;           ///< memberships whose valid_to has passed: not added
  /// Members of the club in the names file that the roster does not hold as
  /// current: their lines stay.
  std::vector<std::string> noLongerCurrent;
  std::size_t alreadyThere = 0;  ///< current entries the names file holds as they are
  std::string lines;             ///< every line to append, each with its line end
};
TRosterPlan PlanRosterMerge(const TRoster& roster, TClub club, int today, const TOperatorList& names);

/// The preview: format and club, then each part of the plan and the bad
/// lines with their numbers (each list cut after 50 with how many more).
std::string DescribeRosterPlan(const TRoster& roster, TClub club, const TRosterPlan& plan,
                               const std::string& namesPath);

/// Merges the roster into the names file as it is now: appends the lines of
/// the plan (nothing when there are none). False, with the message to show,
/// when the names file cannot be read or replaced; it is then as it was.
bool MergeRoster(const std::string& namesPath, const TRoster& roster, TClub club, int today,
                 std::size_t& added, std::string& failure);

/// Today's UTC date as yyyymmdd.
int TodayYmd();
