// A logged contact from 12 cells split from the input at tabs. The record
// line always has 12 fields (11 colons), no line end, at most 98 bytes,
// valid UTF-8 kept valid; the ADIF record reads back as one record.
#include <algorithm>

#include "../data/AdifTestReader.h"
#include "FuzzSupport.h"
#include "data/TLogLine.h"

namespace {
void CheckLine(const std::string& line, bool utf8) {
  fuzz::Check(std::count(line.begin(), line.end(), ':') == kLogCells - 1 && line.size() <= 98);
  fuzz::Check(line.find_first_of("\r\n") == std::string::npos);
  fuzz::CheckKeepsUtf8(utf8, line);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input = fuzz::Input(data, size);
  const bool utf8 = fuzz::IsUtf8(input);
  TLogContact contact;
  contact.utc = 45000.5 + (size % 1000) / 7.0;
  TLogLine logLine;
  std::size_t start = 0;
  for (int c = 0; c < kLogCells && start <= input.size(); ++c) {
    const std::size_t tab = std::min(input.find('\t', start), input.size());
    contact.cells[c] = input.substr(start, tab - start);
    logLine.Edit(c, contact.cells[c], [](std::string_view call) { return std::string(call) + ",N/A"; });
    start = tab + 1;
  }
  CheckLine(BuildRecordLine(contact), utf8);
  CheckLine(logLine.RecordLine(contact.utc), utf8);
  const auto adif = ReadAdif(BuildAdifRecord(contact));
  fuzz::Check(adif && adif->records.size() == 1);
  return 0;
}
