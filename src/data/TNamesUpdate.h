#pragma once
// What the names data editor does with the names file, apart from its grid:
// the calls the file already holds, the status a typed call earns, and the
// lines that Apply adds. The editor only ever adds "call,name" lines; it
// never changes or removes a line that is there.

#include <set>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::string_view kNewCall = "NEW CALL";
inline constexpr std::string_view kDupeCall = "DUPE CALL";

/// One entry row of the editor: the texts as typed and the status shown.
struct TNamesRow {
  std::string call;
  std::string name;
  std::string status;
};

class TNamesUpdate {
 public:
  /// Empties the known calls and reads them again from the names file: the
  /// text before the first comma of each line that passes IsCallsign. A
  /// missing or unreadable file leaves the list empty.
  void LoadKnownCalls(const std::string& path);
  /// True when the file held the call, letter case aside.
  bool IsKnown(std::string_view call) const;
  /// "DUPE CALL" or "NEW CALL" for a call that passes IsCallsign; for any
  /// other text the current status, unchanged.
  std::string StatusFor(std::string_view call, std::string_view current) const;

  /// True when the row is a valid new call (status in any case).
  static bool IsNewCall(const TNamesRow& row);
  /// True when the row is a valid new call with a name of at least 2 characters.
  static bool IsWritten(const TNamesRow& row);
  /// True when some row is a valid new call without a name of 2 characters.
  static bool HasMissingNames(const std::vector<TNamesRow>& rows);
  /// Why the rows cannot be written ("" when they can): a call or name of a
  /// row that would be written holds a comma or a line break, which the
  /// reader takes for the end of a field or of the line.
  static std::string Refusal(const std::vector<TNamesRow>& rows);
  /// The "call,name" lines of the rows that are written, each with its line end.
  static std::string NewLines(const std::vector<TNamesRow>& rows);

  /// Adds the lines to the end of the names file (creating it when missing),
  /// replacing the file whole so that a failure leaves the old one as it
  /// was. A last line without a line end gets one first. False, with the
  /// message to show (the file's path and the system's reason) on failure.
  static bool AppendLines(const std::string& path, std::string_view lines, std::string& failure);

 private:
  std::set<std::string> m_known;  // upper case, sorted, once each
};
