#pragma once
// The contact in progress: the twelve cells of the logging grid's data row,
// the contact details the messages are filled from (station worked, report
// sent, name), and logging the line. The grid only shows these cells and
// reports each selection and keystroke here; this class knows no grid.

#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "data/FixedText.h"
#include "data/TLogRecord.h"

/// Where a logged contact goes.
struct TLogTargets {
  /// Appends the record line to the default log; false when it was not written.
  std::function<bool(const std::string& line)> appendDefault;
  /// Appends the contact to the local log; true when it was written or local
  /// logging is off.
  std::function<bool(const TLogContact& contact)> appendLocal;
  /// Sends the record line out of the serial I/O logging port, when it runs.
  std::function<void(const std::string& line)> sendSerial;
};

class TLogLine {
 public:
  /// The names lookup: "name,orgs" of a call sign, each part "N/A" when unknown.
  using Lookup = std::function<std::string(std::string_view call)>;

  /// Empty cells; the report sent is "599".
  TLogLine();

  const std::string& Cell(int column) const { return m_cells.at(static_cast<std::size_t>(column)); }
  /// Sets a cell as it stands, without the editing rules (the radio's values).
  void SetCell(int column, std::string_view text);

  /// A cell was selected: UTC-ON stamps DATE and UTC-ON, UTC-OFF stamps
  /// UTC-OFF, both from utc; other cells change nothing.
  void Select(int column, double utc);

  /// The cell's text changed while it is edited (each keystroke). Applies
  /// the rules of STN.WRKD (from 3 characters that form a call sign: NAME
  /// and ORGS from the lookup, the station worked), S.RST (the report, "599"
  /// unless exactly 3 characters) and NAME. True when the contact details
  /// changed, so the messages must be prepared again.
  bool Edit(int column, std::string_view text, const Lookup& lookup);

  std::string_view StationWorked() const { return m_stationWorked.view(); }
  std::string_view SentRst() const { return m_sentRst.view(); }
  std::string_view Name() const { return m_name.view(); }

  /// Empties DATE and UTC-ON to ORGS (the radio's values stay) and resets the
  /// contact details.
  void Clear();

  enum class Logged {
    kNoCall,    ///< STN.WRKD is not a call sign: nothing written, nothing cleared
    kKept,      ///< the default log did not take the line: it stays for another try
    kLogged     ///< written and cleared, and sent to the serial port
  };
  /// Logs the line at the moment utc: the upper-case record line to the
  /// default log, the contact to the local log, then clears the line and
  /// sends the record line out of the serial port. A log that already took
  /// this contact (the other one failed, and the operator logs again) is
  /// not written twice.
  Logged Log(double utc, const TLogTargets& targets);

  /// Whether the line holds a call sign that the default log does not hold yet.
  bool HoldsUnloggedContact() const;
  /// The upper-case record line of the contact as it stands, at the moment utc.
  std::string RecordLine(double utc) const;

 private:
  std::array<std::string, kLogCells> m_cells;
  FixedText<30> m_stationWorked;
  FixedText<3> m_sentRst;
  FixedText<15> m_name;
  // Which logs already hold the contact in the line.
  bool m_inDefaultLog = false;
  bool m_inLocalLog = false;
};
