#pragma once
// The default log as the journal every other target of a contact is fed
// from: the serial I/O logging port and the network logging targets each
// keep a delivery position in the log, so a target that was away receives
// the lines it missed, in order, once it is back. Lines appended by anyone
// (the window, a radio library's attached grid) are found by reading the
// log's new lines; the log itself is only read, never rewritten.
//
// The positions live in a small state file beside the log, replaced whole
// (platform::WriteFileAtomically) after every line a target took. A line is
// handed to its target first and the position written after it: a crash
// between the two sends that one line again after the restart (at most one
// repeat), and a line is never skipped. A target the state file does not
// know yet starts at the end of the log, so old contacts are never replayed.
//
// Each position is the byte offset just past the last line taken, with that
// line's text: when the text before the offset is not that line (the log was
// edited or started afresh), the position is found again after the line's
// last copy in the log, or at the start of the log when it holds none.
//
// Main thread only; one journal per state file.

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

class TLogJournal {
 public:
  /// The serial I/O logging port's target name.
  static constexpr const char* kSerialTarget = "SERIAL";
  /// The state file's last line, written without a line end.
  static constexpr const char* kMarker = "END_OF_DELIVERY_FILE=YES";

  /// Reads the state file (a missing one, or one without its marker, knows
  /// no target). Reads nothing of the log.
  TLogJournal(std::string logFile, std::string stateFile);

  /// Makes sure the target has a position (the end of the log for a new
  /// one), so that the lines appended from now on wait for it.
  void Track(const std::string& target) { Locate(target); }

  /// Hands the target the log's lines after its position, oldest
  /// first, without their line ends, until it answers false. The position
  /// moves past each line it took, and the state file is written. A null
  /// deliver takes every line without sending it (a target nobody uses).
  /// Answers how many lines the target took.
  std::size_t Feed(const std::string& target, const std::function<bool(const std::string&)>& deliver);

  /// How many lines wait for the target.
  std::size_t Waiting(const std::string& target);

  /// The lines waiting for the target are dropped: it never receives them.
  void Discard(const std::string& target) { Feed(target, nullptr); }

  /// False when the last state file write failed (the positions are kept in
  /// memory and written again with the next line); StateError is the
  /// system's code of that failure.
  bool StateWritten() const { return m_stateWritten; }
  int StateError() const { return m_stateError; }

  const std::string& LogFile() const { return m_logFile; }
  const std::string& StateFile() const { return m_stateFile; }

 private:
  struct Position {
    std::uint64_t offset = 0;
    std::string last;  // the text of the line just before offset
  };
  /// The target's position, checked against the log as it is now.
  Position& Locate(const std::string& target);
  /// The log's complete lines from offset on, each with the offset past it.
  std::vector<std::pair<std::string, std::uint64_t>> LinesAfter(std::uint64_t offset) const;
  void Save();

  std::string m_logFile;
  std::string m_stateFile;
  std::map<std::string, Position> m_positions;
  bool m_stateWritten = true;
  int m_stateError = 0;
};
