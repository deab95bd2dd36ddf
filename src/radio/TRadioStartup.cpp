#include "radio/TRadioStartup.h"

#include <algorithm>

#include "data/FixedText.h"
#include "data/TextFile.h"
#include "data/TextUtils.h"
#include "platform/MessageSink.h"
#include "platform/SerialPortRegistry.h"

namespace {

bool LessText(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    auto fx = static_cast<unsigned char>(x >= 'a' && x <= 'z' ? x - 32 : x);
    auto fy = static_cast<unsigned char>(y >= 'a' && y <= 'z' ? y - 32 : y);
    return fx < fy;
  });
}

bool SameFolded(const std::string& a, const std::string& b) { return !LessText(a, b) && !LessText(b, a); }

// Adds to a list kept sorted without regard to case, ignoring duplicates.
void AddSorted(std::vector<std::string>& list, const std::string& value) {
  auto at = std::lower_bound(list.begin(), list.end(), value, LessText);
  if (at != list.end() && SameText(*at, value)) return;
  list.insert(at, value);
}

// Adds many values at once: sorted, then merged, so that a large file costs
// n log n rather than an insertion per line. A value equal (case aside) to
// one held, or to an earlier value, is not added, as with AddSorted.
void AddAllSorted(std::vector<std::string>& list, std::vector<std::string> values) {
  std::stable_sort(values.begin(), values.end(), LessText);
  values.erase(std::unique(values.begin(), values.end(), SameFolded), values.end());
  std::vector<std::string> merged;
  merged.reserve(list.size() + values.size());
  auto held = list.begin();
  auto added = values.begin();
  while (held != list.end() || added != values.end()) {
    if (added == values.end() || (held != list.end() && !LessText(*added, *held))) {
      if (added != values.end() && SameFolded(*held, *added)) ++added;  // the held one stays
      merged.push_back(std::move(*held++));
    } else {
      merged.push_back(std::move(*added++));
    }
  }
  list.swap(merged);
}

}  // namespace

bool TRadioStartup::ReadDevicesFile(const std::string& path) {
  std::vector<std::string> lines;
  if (!LoadTextLines(path, lines)) {
    platform::ShowMessage("Could not open the radios file");
    return false;
  }
  std::vector<std::string> entries, names;
  for (const auto& line : lines) {
    const auto eq = line.find('=');
    if (eq == std::string::npos || eq == 0) continue;
    const std::string key = line.substr(0, eq);
    const auto end = line.find('=', eq + 1);
    const std::string value = line.substr(eq + 1, end == std::string::npos ? std::string::npos : end - eq - 1);
    if (value.empty() || !SameText(key, "RADIO")) continue;
    const auto fields = SplitFields(value, ",");
    if (fields.empty()) continue;
    entries.push_back(value);
    names.push_back(fields[0]);
  }
  AddAllSorted(m_radioEntries, std::move(entries));
  AddAllSorted(m_radioNames, std::move(names));
  return true;
}

int TRadioStartup::ListPorts(const std::string& portsFile) {
  m_ports.clear();
  std::vector<std::string> found;
  for (const auto& port : platform::SerialPortRegistry(portsFile).PresentPorts()) found.push_back(port.name);
  const int count = static_cast<int>(found.size());
  NormaliseComList(found);
  for (const auto& name : found) AddSorted(m_ports, name);
  return count;
}

const std::string* TRadioStartup::FindEntry(const std::string& radioName) const {
  const std::string name = CutText(radioName, 29);
  for (const auto& entry : m_radioEntries)
    if (entry.find(name) != std::string::npos) return &entry;
  return nullptr;
}

bool TRadioStartup::GetLibraryFileName(const std::string& radioName, std::string& fileName) const {
  const std::string* entry = FindEntry(radioName);
  if (!entry) return false;
  const auto fields = SplitFields(*entry, ",");
  // An entry with a name but no library field is answered as not found.
  if (fields.size() < 2) return false;
  std::string file = CutText(fields[1], 260);
  if (file.find(".dll") == std::string::npos) file = CutText(file + ".dll", 260);
  fileName = file;
  return true;
}

bool TRadioStartup::GetConnectionText(const std::string& radioName, const std::string& baud,
                                      std::string& text, std::size_t length) const {
  const std::string* entry = FindEntry(radioName);
  if (!entry) return false;
  const auto f = SplitFields(*entry, ",");
  if (f.size() < 7) return false;
  const std::string& rate = SameText(baud, "DEFAULT") ? f[2] : baud;
  std::string out = f[0] + "," + f[1] + "," + rate + "," + f[3] + "," + f[4] + "," + f[5] + "," + f[6];
  text = CutText(out, length);
  return true;
}

bool TRadioPairStartup::ReadDevicesFile(const std::string& path) {
  m_left.ReadDevicesFile(path);
  return m_right.ReadDevicesFile(path);
}

int TRadioPairStartup::ListPorts(const std::string& portsFile) {
  m_left.ListPorts(portsFile);
  return m_right.ListPorts(portsFile);
}
