#include "data/TNamesUpdate.h"

#include "data/TextFile.h"
#include "data/TextUtils.h"
#include "platform/Files.h"
#include "platform/SystemError.h"

void TNamesUpdate::LoadKnownCalls(const std::string& path) {
  m_known.clear();
  if (path.empty()) return;
  ForEachFileLine(path, [this](std::string_view line) {
    const std::string_view call = line.substr(0, line.find(','));
    if (IsCallsign(call)) m_known.insert(UpperCase(call));
  });
}

bool TNamesUpdate::IsKnown(std::string_view call) const { return m_known.count(UpperCase(call)) != 0; }

std::string TNamesUpdate::StatusFor(std::string_view call, std::string_view current) const {
  if (!IsCallsign(call)) return std::string(current);
  return std::string(IsKnown(call) ? kDupeCall : kNewCall);
}

bool TNamesUpdate::IsNewCall(const TNamesRow& row) {
  return IsCallsign(row.call) && SameText(row.status, kNewCall);
}

bool TNamesUpdate::IsWritten(const TNamesRow& row) { return IsNewCall(row) && row.name.size() >= 2; }

bool TNamesUpdate::HasMissingNames(const std::vector<TNamesRow>& rows) {
  for (const TNamesRow& row : rows)
    if (IsNewCall(row) && row.name.size() < 2) return true;
  return false;
}

std::string TNamesUpdate::Refusal(const std::vector<TNamesRow>& rows) {
  auto check = [](const char* what, const std::string& text) -> std::string {
    for (char c : text) {
      if (c == ',')
        return std::string(what) + " \"" + text +
               "\" holds a comma (,), which the names file keeps between fields. Nothing was written.";
      if (c == '\n' || c == '\r')
        return std::string(what) + " \"" + text +
               "\" holds a line break, which ends a line of the names file. Nothing was written.";
    }
    return {};
  };
  for (const TNamesRow& row : rows) {
    if (!IsWritten(row)) continue;
    std::string refusal = check("The call", row.call);
    if (refusal.empty()) refusal = check("The name", row.name);
    if (!refusal.empty()) return refusal;
  }
  return {};
}

std::string TNamesUpdate::NewLines(const std::vector<TNamesRow>& rows) {
  std::string lines;
  for (const TNamesRow& row : rows)
    if (IsWritten(row)) lines += row.call + "," + row.name + "\n";
  return lines;
}

bool TNamesUpdate::AppendLines(const std::string& path, std::string_view lines, std::string& failure) {
  failure.clear();
  std::string text;
  int error = 0;
  // Only a file that is not there may count as empty: any other reading
  // failure would write the new lines over every name the file held.
  if (!platform::ReadFileText(path, text, &error) &&
      platform::KindOfSystemError(error) != platform::SystemErrorKind::NotFound) {
    failure = platform::WithSystemError("Could not read the names file " + path, error);
    return false;
  }
  if (!text.empty() && text.back() != '\n' && text.back() != '\r') text += '\n';
  text += lines;
  if (!platform::WriteFileAtomically(path, text, &error)) {
    failure = platform::WithSystemError("Could not write the names file " + path, error);
    return false;
  }
  return true;
}
