#pragma once
// The list of serial ports that HARDWARE\DEVICEMAP\SERIALCOMM gives on
// Windows. Ports keep their COMn names; a port table maps each name to a
// device file:
//   1. the lines COMn=/dev/... of the port file (Devices/Dravel_PORTS.txt),
//   2. then, for names the file does not use, the fixed defaults
//      /dev/ttyS0-31 -> COM1-COM32 (only with a real UART behind them),
//      /dev/ttyUSB0-31 -> COM33-COM64, /dev/ttyACM0-31 -> COM65-COM96.
// A port is present when its device file exists.

#include <string>
#include <vector>

namespace platform {

struct SerialPortEntry {
  std::string name;    // COMn
  std::string device;  // /dev/...
  bool fromPortFile = false;
};

class SerialPortRegistry {
 public:
  /// Reads the port file; a missing file leaves only the defaults.
  explicit SerialPortRegistry(const std::string& portFile);

  /// The ports whose device file exists, in table order.
  std::vector<SerialPortEntry> PresentPorts() const;
  /// The device file of a port name (any case), or empty when unknown.
  std::string DeviceOf(const std::string& name) const;
  const std::vector<SerialPortEntry>& Table() const { return m_table; }

 private:
  std::vector<SerialPortEntry> m_table;
};

}  // namespace platform
