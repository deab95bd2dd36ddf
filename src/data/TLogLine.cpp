#include "data/TLogLine.h"

#include "data/FixedText.h"
#include "data/TextUtils.h"
#include "platform/DateTime.h"

namespace {

/// Control characters (a pasted line break, a tab) count as blanks for the
/// rules; the cell keeps what was typed, and the record line blanks them.
std::string WithoutControls(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (static_cast<unsigned char>(c) < ' ' || c == '\x7f') c = ' ';
  return out;
}

}  // namespace

TLogLine::TLogLine() : m_sentRst("599") {}

void TLogLine::SetCell(int column, std::string_view text) {
  const std::size_t width = kCellWidths.at(static_cast<std::size_t>(column));
  const std::string_view kept = text.substr(0, CutLength(text, width));
  if (column == kCellStation && kept != m_cells[kCellStation]) m_inDefaultLog = m_inLocalLog = false;
  m_cells[static_cast<std::size_t>(column)] = kept;
}

void TLogLine::Select(int column, double utc) {
  if (column == kCellUtcOn) {
    m_cells[kCellDate] = platform::FormatDateTime("yyyy-mm-dd", utc);
    m_cells[kCellUtcOn] = platform::FormatDateTime("hhnn", utc);
  } else if (column == kCellUtcOff) {
    m_cells[kCellUtcOff] = platform::FormatDateTime("hhnn", utc);
  }
}

bool TLogLine::Edit(int column, std::string_view typed, const Lookup& lookup) {
  SetCell(column, typed);
  // The details are kept without the blanks around them (a pasted call).
  const std::string text = Trim(WithoutControls(Cell(column)));
  switch (column) {
    case kCellStation: {
      if (text.size() < 3) return false;
      const std::string call = FixedText<30>(text).str();
      if (!IsCallsign(call)) return false;
      const std::string answer = lookup ? lookup(call) : std::string("N/A,N/A");
      const auto comma = answer.find(',');
      const std::string name = answer.substr(0, comma);
      const std::string orgs = comma == std::string::npos ? std::string() : answer.substr(comma + 1);
      const bool known = !SameText(name, "N/A");
      m_cells[kCellName] = known ? name : std::string();
      m_name = known ? UpperCase(name) : std::string();
      m_cells[kCellOrgs] = SameText(orgs, "N/A") ? std::string() : orgs;
      m_stationWorked = UpperCase(call);
      return true;
    }
    case kCellSentRst:
      m_sentRst = text.size() == 3 ? text : std::string("599");
      return true;
    case kCellName:
      m_name = UpperCase(text);
      return true;
    default:
      return false;
  }
}

void TLogLine::Clear() {
  m_cells[kCellDate].clear();
  for (int c = kCellUtcOn; c < kLogCells; ++c) m_cells[c].clear();
  m_stationWorked.Clear();
  m_sentRst = "599";
  m_name.Clear();
  m_inDefaultLog = m_inLocalLog = false;
}

TLogLine::Logged TLogLine::Log(double utc, const TLogTargets& targets) {
  if (!IsCallsign(Trim(WithoutControls(m_cells[kCellStation])))) return Logged::kNoCall;
  TLogContact contact;
  contact.utc = utc;
  contact.cells = m_cells;
  const std::string line = RecordLine(utc);
  if (!m_inDefaultLog) m_inDefaultLog = !targets.appendDefault || targets.appendDefault(line);
  if (!m_inLocalLog) m_inLocalLog = !targets.appendLocal || targets.appendLocal(contact);
  if (!m_inDefaultLog) return Logged::kKept;
  Clear();
  if (targets.sendSerial) targets.sendSerial(line);
  return Logged::kLogged;
}

bool TLogLine::HoldsUnloggedContact() const {
  return !m_inDefaultLog && IsCallsign(Trim(WithoutControls(m_cells[kCellStation])));
}

std::string TLogLine::RecordLine(double utc) const {
  TLogContact contact;
  contact.utc = utc;
  contact.cells = m_cells;
  return UpperCase(BuildRecordLine(contact));
}
