#include "PortTable.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <set>

#include "Trim.h"

namespace radiokit {
namespace {

std::string Upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

bool IsComName(const std::string& name) {
  if (name.size() < 4 || name.size() > 6 || name.compare(0, 3, "COM") != 0) return false;
  return std::all_of(name.begin() + 3, name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Lines end at LF, CR LF or a lone CR, as everywhere in the program.
template <typename Visit>
void ForEachLine(std::string_view text, Visit visit) {
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    visit(text.substr(start, end - start));
    if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') ++end;
    start = end + 1;
  }
}

}  // namespace

PortTable::PortTable(const std::string& portFile) {
  std::ifstream in(portFile, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::set<std::string> used;
  ForEachLine(text, [&](std::string_view line) {
    const std::size_t eq = line.find('=');
    if (eq == std::string_view::npos) return;
    std::string name = Upper(Trim(line.substr(0, eq)));
    std::string device(Trim(line.substr(eq + 1)));
    if (!IsComName(name) || device.empty() || used.count(name)) return;
    used.insert(name);
    m_entries.push_back({std::move(name), std::move(device)});
  });
  struct Range {
    const char* prefix;
    int firstCom;
  };
  for (Range r : {Range{"/dev/ttyS", 1}, Range{"/dev/ttyUSB", 33}, Range{"/dev/ttyACM", 65}}) {
    for (int i = 0; i < 32; ++i) {
      std::string name = "COM" + std::to_string(r.firstCom + i);
      if (!used.count(name)) m_entries.push_back({name, r.prefix + std::to_string(i)});
    }
  }
}

std::string PortTable::DeviceOf(std::string_view name) const {
  const std::string wanted = Upper(Trim(name));
  for (const PortEntry& e : m_entries)
    if (e.name == wanted) return e.device;
  return {};
}

}  // namespace radiokit
