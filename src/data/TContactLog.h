#pragma once
// Appends logged contacts to log files. Every append reaches the disk before
// the call returns; a failed append leaves the file as it was. A log file that cannot be written is reported once per
// run (per path) with its path, so a missing folder does not raise a box on
// every contact; the caller goes on with its other log. Main thread.

#include <set>
#include <string>

#include "data/TLogRecord.h"

class TContactLog {
 public:
  /// Appends the line and a line end.
  bool AppendLine(const std::string& path, const std::string& line);

  /// Appends the contact's ADIF record, preceded by the ADIF header when the
  /// file is new or empty, or holds other text and no header (the operator
  /// is told once, with the path).
  bool AppendAdif(const std::string& path, const TLogContact& contact,
                  const std::string& programVersion);

  /// Appends the contact to a local log of that type: its ADIF record, or
  /// its record line as the default log holds it.
  bool AppendLocal(const std::string& path, bool adif, const TLogContact& contact,
                   const std::string& programVersion);

  /// The text of the report for a log file that cannot be written:
  /// "Could not write the log file <path>: <reason>" (no reason for code 0).
  static std::string FailureText(const std::string& path, int error = 0);

 private:
  bool Done(const std::string& path, bool written, int error);
  bool NeedsAdifHeader(const std::string& path);

  std::set<std::string> m_reported;
  std::set<std::string> m_adifChecked;
};
