#include "platform/SerialPortRegistry.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <set>
#include <string_view>
#include <sys/stat.h>

#include "platform/Files.h"
#include "platform/TextLines.h"

namespace platform {
namespace {

std::string Upper(std::string s) {
  for (auto& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

std::string TrimBlank(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
  return s.substr(b, e - b);
}

bool IsComName(const std::string& name) {
  if (name.size() < 4 || name.size() > 6 || name.compare(0, 3, "COM") != 0) return false;
  return std::all_of(name.begin() + 3, name.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
}

// A /dev/ttyS device exists for every possible UART; only some have one.
// The kernel's UART type (0 for none) is read from sysfs: opening the
// device would raise DTR and RTS, which on a radio's port can key it.
bool HasUart(const std::string& device) {
  const std::string name = device.substr(device.rfind('/') + 1);
  std::ifstream type("/sys/class/tty/" + name + "/type");
  int uart = 0;
  return static_cast<bool>(type >> uart) && uart != 0;
}

bool Exists(const std::string& device) {
  struct stat st {};
  return stat(device.c_str(), &st) == 0;
}

}  // namespace

SerialPortRegistry::SerialPortRegistry(const std::string& portFile) {
  std::set<std::string> used;
  std::string text;
  ReadFileText(portFile, text);  // a missing file leaves the defaults
  ForEachTextLine(text, [&](std::string_view lineView) {
    const std::string line(lineView);
    auto eq = line.find('=');
    if (eq == std::string::npos) return;
    std::string name = Upper(TrimBlank(line.substr(0, eq)));
    std::string device = TrimBlank(line.substr(eq + 1));
    if (!IsComName(name) || device.empty() || used.count(name)) return;
    used.insert(name);
    m_table.push_back({name, device, true});
  });
  struct Range {
    const char* prefix;
    int firstCom;
  };
  for (Range r : {Range{"/dev/ttyS", 1}, Range{"/dev/ttyUSB", 33}, Range{"/dev/ttyACM", 65}}) {
    for (int i = 0; i < 32; ++i) {
      std::string name = "COM" + std::to_string(r.firstCom + i);
      if (used.count(name)) continue;
      m_table.push_back({name, r.prefix + std::to_string(i), false});
    }
  }
}

std::vector<SerialPortEntry> SerialPortRegistry::PresentPorts() const {
  std::vector<SerialPortEntry> present;
  for (const auto& e : m_table) {
    if (!Exists(e.device)) continue;
    if (!e.fromPortFile && e.device.rfind("/dev/ttyS", 0) == 0 && !HasUart(e.device)) continue;
    present.push_back(e);
  }
  return present;
}

std::string SerialPortRegistry::DeviceOf(const std::string& name) const {
  std::string upper = Upper(TrimBlank(name));
  for (const auto& e : m_table)
    if (e.name == upper) return e.device;
  return {};
}

}  // namespace platform
