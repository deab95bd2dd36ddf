#pragma once
// Which device file a serial port name stands for. Ports keep the COMn names
// of the program (at most 6 characters); the table is
//   1. the lines COMn=/dev/... of the port file (Devices/Dravel_PORTS.txt),
//      names in any case, blanks around name and device ignored, the first
//      line of a name counting;
//   2. then, for names the file does not use, the defaults
//      /dev/ttyS0-31 -> COM1-COM32, /dev/ttyUSB0-31 -> COM33-COM64,
//      /dev/ttyACM0-31 -> COM65-COM96.
// The program's own port list follows the same rule, so a library and the
// program agree on every name. Whether a device exists is not asked here.

#include <string>
#include <string_view>
#include <vector>

namespace radiokit {

struct PortEntry {
  std::string name;    // COMn
  std::string device;  // /dev/...
};

class PortTable {
 public:
  /// Reads the port file; a missing or unreadable file leaves the defaults.
  explicit PortTable(const std::string& portFile);

  /// The device file of a port name (any case, blanks around ignored), or
  /// empty for a name the table does not hold.
  std::string DeviceOf(std::string_view name) const;
  /// The file's entries first, then the defaults, in table order.
  const std::vector<PortEntry>& Entries() const { return m_entries; }

 private:
  std::vector<PortEntry> m_entries;
};

}  // namespace radiokit
