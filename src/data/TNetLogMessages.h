#pragma once
// What network logging sends for one contact, built from its record line in
// the default log: the WSJT-X UDP messages "QSO Logged" (type 5) and "Logged
// ADIF" (type 12), with the "Heartbeat" (type 0) for a test, and N1MM
// Logger+'s contactinfo XML. Byte for byte as the published formats say, so
// the programs that read them (loggers, mapping programs) take our contacts
// as their own.
//
// WSJT-X: big-endian QDataStream values, each message opened by the magic
// 0xadbccbda, the schema (2), the type and the sender's id; a text is its
// UTF-8 byte count (quint32) and the bytes; a QDateTime is the Julian day
// (qint64), the milliseconds since midnight (quint32) and 1 for UTC (quint8).
// N1MM: frequencies in units of 10 Hz, the band as the MHz of its low edge,
// the timestamp "YYYY-MM-DD HH:MM:SS" in UTC.

#include <cstdint>
#include <optional>
#include <string>

#include "data/TLogRecord.h"

/// The contact a record line was made from: its twelve fields as the cells
/// ("N/A" of QTH, NAME and ORGS as empty cells) and the moment of DATE and
/// UTC-OFF. Nothing for a line that is not a record line (not twelve
/// fields, no valid DATE).
std::optional<TLogContact> ContactOfRecordLine(const std::string& line);

namespace wsjtx {
inline constexpr std::uint32_t kMagic = 0xadbccbda;
inline constexpr std::uint32_t kSchema = 2;
enum MessageType : std::uint32_t { kHeartbeat = 0, kQsoLogged = 5, kLoggedAdif = 12 };

/// Type 0: the id, the highest schema we speak, our version and revision.
std::string Heartbeat(const std::string& id, const std::string& version);
/// Type 5: time off, the call, no grid, the frequency in Hz, the ADIF mode,
/// the reports, the power, the memberships as comments, the name, time on,
/// no operator, myCall, no own grid, no exchanges, no propagation mode.
std::string QsoLogged(const std::string& id, const TLogContact& contact, const std::string& myCall);
/// Type 12: the ADIF header and the contact's ADIF record, as the ADIF
/// local log writes them.
std::string LoggedAdif(const std::string& id, const TLogContact& contact, const std::string& programVersion);
}  // namespace wsjtx

/// The contactinfo document of the contact, our station as myCall. Its ID
/// is made from the record line, so a contact sent twice carries one ID.
std::string N1mmContactInfo(const TLogContact& contact, const std::string& myCall, const std::string& recordLine);

/// The value of an ADIF field in a record ("" when it has none).
std::string AdifFieldOf(const std::string& record, const std::string& name);
