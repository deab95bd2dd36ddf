#pragma once
// Appends logged contacts to log files. Every append reaches the disk before
// the call returns; a failed append leaves the file as it was. A log file
// that cannot be written is to be reported once per run (per path) with its
// path, so a missing folder does not raise a box on every contact; the
// caller goes on with its other log. The class shows nothing itself: each
// append answers what the operator is to be told, and the caller (the
// program's message box, a radio library's grid) tells it. Main thread.

#include <set>
#include <string>

#include "data/TLogRecord.h"

/// What one append did.
struct TLogAppend {
  bool written = false;  // the file took all of it
  /// What the operator is to be told now, "" for nothing: the failure the
  /// first time in a run for that path, or the note that an ADIF header was
  /// added after a file's old lines.
  std::string message;
  /// On every failure: FailureText with the system's reason.
  std::string failure;

  explicit operator bool() const { return written; }
};

class TContactLog {
 public:
  /// Appends the line and a line end.
  TLogAppend AppendLine(const std::string& path, const std::string& line);

  /// Appends the contact's ADIF record, preceded by the ADIF header when the
  /// file is new or empty, or holds other text and no header (the operator
  /// is told once, with the path).
  TLogAppend AppendAdif(const std::string& path, const TLogContact& contact,
                        const std::string& programVersion);

  /// Appends the contact to a local log of that type: its ADIF record, or
  /// its record line as the default log holds it.
  TLogAppend AppendLocal(const std::string& path, bool adif, const TLogContact& contact,
                         const std::string& programVersion);

  /// The text of the report for a log file that cannot be written:
  /// "Could not write the log file <path>: <reason>" (no reason for code 0).
  static std::string FailureText(const std::string& path, int error = 0);

 private:
  TLogAppend Done(const std::string& path, bool written, int error, std::string notice = {});
  /// Whether the file needs a header first; notice gets the operator's note
  /// when one goes after old lines.
  bool NeedsAdifHeader(const std::string& path, std::string& notice);

  std::set<std::string> m_reported;
  std::set<std::string> m_adifChecked;
};
