#pragma once
// One logged contact as the log files receive it: the colon-separated record
// line of the default log and the ARRL local log, and the ADIF record of an
// ADIF local log. Both are built from the 12 cell texts of the logging
// grid's data row and one UTC moment taken when the contact is logged.

#include <array>
#include <cstdint>
#include <string>

/// The logging grid's columns, in grid order.
enum LogCell : int {
  kCellDate, kCellFreq, kCellMode, kCellPower, kCellUtcOn, kCellStation,
  kCellSentRst, kCellRcvdRst, kCellUtcOff, kCellQth, kCellName, kCellOrgs, kLogCells
};

/// How many characters each cell holds: what the grid lets the operator
/// type, and what the log line keeps of a cell.
inline constexpr std::array<std::size_t, kLogCells> kCellWidths{10, 11, 5, 3, 5, 30, 3, 3, 5, 20, 15, 8};

/// The grid's heading row, and each column's width in pixels before the
/// operator sizes it (every grid that shows a contact uses these).
inline constexpr std::array<const char*, kLogCells> kLogHeadings{
    "DATE", "FREQ", "MODE", "POWER", "UTC-ON", "STN.WRKD", "S.RST", "R.RST", "UTC-OFF", "QTH", "NAME", "ORGS"};
inline constexpr std::array<int, kLogCells> kDefaultColumnWidths{78, 64, 64, 64, 64, 64, 64, 64, 64, 76, 106, 112};

/// The radio's three cells, cut to length: FREQ in whole kHz ("Too large"
/// from 1 GHz), MODE as the log writes it (PH for USB and LSB, CW for the CW
/// modes, RY for FSK and RTTY, other names as they stand, cut to 5 first),
/// POWER in W ("Too large" from 1000 W).
std::string FrequencyCellText(std::int64_t hz, std::size_t length);
std::string ModeCellText(const std::string& modeName, std::size_t length);
std::string PowerCellText(int watts, std::size_t length);

struct TLogContact {
  std::array<std::string, kLogCells> cells;  // indexed by LogCell
  double utc = 0;  // the moment of logging, days since 1899-12-30
};

/// DATE:FREQ:MODE:POWER:UTC-ON:STN.WRKD:S.RST:R.RST:UTC-OFF:QTH:NAME:ORGS in
/// upper case, at most 98 characters, so that the serial port's ":;" still
/// fits in 100. A cell is trimmed of blanks; an empty cell gives its
/// default: the moment's date (yyyy-mm-dd) or time (hhnn), "599" for the
/// reports, "N/A" for QTH, NAME and ORGS, nothing for FREQ, MODE and POWER.
/// A colon or a control character inside a cell is written as a blank, so
/// that every field stays in its place. When the fields are too long
/// together, the longest are cut to one width until they fit: all twelve
/// fields are always there.
std::string BuildRecordLine(const TLogContact& contact);

/// The ADIF record of the contact, ended by "<EOR>" and a line end: QSO_DATE,
/// TIME_ON, TIME_OFF (from the cells, or the moment when empty), CALL, FREQ
/// in MHz and BAND from the FREQ cell in kHz, MODE (with SUBMODE for LSB
/// and USB), TX_PWR, RST_SENT, RST_RCVD, QTH, NAME, and the memberships as
/// COMMENT. Empty reports are "599", as in the record line; other fields
/// whose cell is empty or unreadable are left out.
std::string BuildAdifRecord(const TLogContact& contact);

/// The ADIF header: a line of text, then ADIF_VER, PROGRAMID,
/// PROGRAMVERSION, CREATED_TIMESTAMP (the moment, UTC) and "<EOH>".
std::string BuildAdifHeader(const std::string& programVersion, double utc);

/// The ADIF band ("20m") holding the frequency in Hz; empty when none does.
std::string AdifBandOfFrequency(long long hz);
