#pragma once
// The program's own serial (COM) port: opened by name with the configured
// line settings and fixed time-outs, read and written as bytes, and given
// back with the line settings it had before when it closes. Every failure
// raises ECommError with the kind its operation names (ECommError.h).
//
// Names: a COM name goes into a Win32-style device path, the prefix "\\.\"
// and the name, cut to 13 characters in all (so at most 9 characters of the
// name count); the part after the prefix is looked up in the port table of
// the port file (platform/SerialPortRegistry.h) to find the device file.
//
// No lock: one thread reads while another may write; open, close and
// settings changes happen while no other thread uses the port.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/SerialDevice.h"

class TCommPort {
 public:
  /// Time-outs written at open, milliseconds.
  static constexpr platform::SerialTimeouts kTimeouts{15, 1, 250, 1, 250};
  /// Driver queue sizes asked for at open (Linux has nothing to size).
  static constexpr std::uint32_t kInputQueue = 32768;
  static constexpr std::uint32_t kOutputQueue = 9216;

  /// Closed, empty name, every setting zero. portFile names the port table
  /// (Devices/Dravel_PORTS.txt); a missing file leaves the fixed defaults.
  explicit TCommPort(std::string portFile = {});
  /// Closes the port if it is open; errors on the way are dropped.
  ~TCommPort();
  TCommPort(const TCommPort&) = delete;
  TCommPort& operator=(const TCommPort&) = delete;

  /// Kind 6 while open.
  void SetPortName(const std::string& name);
  const std::string& PortName() const { return m_portName; }

  /// Each stores the value; on an open port writes the settings at once and,
  /// when the port refuses, puts the previous value back and raises kind 1,
  /// 5, 4 or 3 in this order of the setters.
  void SetBaudRate(std::uint32_t baudRate);
  void SetByteSize(std::uint8_t byteSize);
  void SetParity(std::uint8_t parity);
  void SetStopBits(std::uint8_t stopBits);
  /// Stores the name (no open check) and every value; on an open port
  /// writes them at once and, when refused, puts every value back and
  /// raises kind 1.
  void SetAllSettings(const std::string& name, std::uint32_t baudRate, std::uint8_t byteSize,
                      std::uint8_t stopBits, std::uint8_t parity, bool rtsEnabled, bool dtrEnabled);
  /// The configured settings (DCB encodings, platform/SerialDevice.h).
  const platform::SerialLineSettings& Settings() const { return m_settings; }

  /// Opens with the configured settings; nothing when already open.
  /// Kinds 8, 14, 15, 16, 17; the port is closed again after a failure.
  void Open();
  /// Flushes, puts the saved settings back and releases the device; nothing
  /// when not open. Kind 15 (the port is closed anyway) or 11.
  void Close();
  bool IsOpen() const { return m_open; }

  /// Reads up to count bytes under the time-outs and answers how many came;
  /// with fewer than count, a zero byte follows them in buffer. Kinds 7, 10.
  std::uint32_t Read(void* buffer, std::uint32_t count);
  /// Writes count bytes; nothing for a count of 0 or a null buffer.
  /// Kinds 7, 9.
  void Write(const void* buffer, std::uint32_t count);
  /// 0 without writing for an empty text, else writes it and answers 1.
  /// Kinds 7, 9.
  int WriteText(const char* text);
  /// Received bytes waiting to be read. Kinds 7, 18.
  std::uint32_t BytesWaiting();

  /// The name the port table is asked for: what follows the prefix in the
  /// device path, once the path is cut to 13 characters.
  static std::string DeviceName(const std::string& portName);

 private:
  platform::SerialLineSettings m_savedSettings;
  bool m_open = false;
  platform::SerialDevice m_handle;
  std::string m_portName;
  platform::SerialTimeouts m_timeouts{};
  platform::SerialLineSettings m_settings;
  std::string m_portFile;

  void ApplyOrRestore(const platform::SerialLineSettings& previous, std::uint8_t kind);
};

/// Fills list with the names of the serial ports of the port table whose
/// device exists and answers how many. The Win32 registry can be missing
/// (-1); a port table always exists, so -1 never comes here.
int EnumerateCommPorts(const std::string& portFile, std::vector<std::string>& list);
