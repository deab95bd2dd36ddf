#pragma once
// Watches for the device of a logging port that failed (a USB adapter pulled
// out) to come back. A USB adapter may return as another device file
// (ttyUSB0 before, ttyUSB1 after); its name under /dev/serial/by-id stays,
// so a device that has one is found by it. A device without one (a board's
// UART, a pseudo-terminal) is found by its port name's device file. Either
// counts as back only once it was gone in between, or under another file:
// the dead device is not reopened over and over. Main thread only.

#include <optional>
#include <string>

class TSioDeviceWatch {
 public:
  static constexpr const char* kByIdFolder = "/dev/serial/by-id";

  void SetByIdFolder(std::string folder) { m_byIdFolder = std::move(folder); }

  /// The port is open on its device now: remembers the device and the
  /// by-id name that leads to it, if any. Ends a watch.
  void Opened(const std::string& portName, const std::string& portFile);
  /// The port failed: watch for its device.
  void Lost();
  /// The port could not be opened: when its device file is missing (the
  /// adapter not plugged in), watch for it to appear; otherwise (held by
  /// another program, refused) nothing is watched.
  void OpenFailed(const std::string& portName, const std::string& portFile);
  /// The operator stopped logging: nothing is watched.
  void Forget() { m_watching = false; }
  bool Watching() const { return m_watching; }

  /// While watching: the port table's name (portFile) of the device when it
  /// has come back, which ends the watch; nothing while it has not, or when
  /// no port name leads to it.
  std::optional<std::string> Returned(const std::string& portFile);

 private:
  std::string m_byIdFolder = kByIdFolder;
  std::string m_portName;
  std::string m_device;  // the device file the port was open on, resolved
  std::string m_byId;    // the by-id name that led to it, or empty
  bool m_watching = false;
  bool m_sawGone = false;
};
