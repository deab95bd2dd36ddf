#pragma once
// The one exception type of the serial port: an error kind and the system's
// error code, taken when the error is made. Caught by the serial I/O thread
// and the serial I/O logging controller, never let out to the windows.

#include <cstdint>
#include <exception>
#include <string>

/// Error kinds, each raised by the operations named.
enum : std::uint8_t {
  kCommErrBaudRate = 1,      // set baud rate, set all settings: refused by the open port
  kCommErrStopBits = 3,      // set stop bits: refused
  kCommErrParity = 4,        // set parity: refused
  kCommErrByteSize = 5,      // set byte size: refused
  kCommErrPortIsOpen = 6,    // set port name while open
  kCommErrNotOpen = 7,       // read, write, write text, bytes waiting on a closed port
  kCommErrOpen = 8,          // open: the device is absent or in use
  kCommErrWrite = 9,         // write, write text
  kCommErrRead = 10,         // read
  kCommErrClose = 11,        // close: releasing the handle failed
  kCommErrGetState = 14,     // open: reading the line settings failed
  kCommErrSetState = 15,     // open, close: writing line settings failed
  kCommErrQueueSizes = 16,   // open: setting the driver queues failed
  kCommErrTimeouts = 17,     // open: setting the time-outs failed
  kCommErrStatus = 18,       // bytes waiting: querying the port failed
};

class ECommError : public std::exception {
 public:
  /// Takes the calling thread's last system error code.
  explicit ECommError(std::uint8_t kind);
  ECommError(std::uint8_t kind, std::uint32_t code) : m_kind(kind), m_code(code) {}

  std::uint8_t Kind() const { return m_kind; }
  /// The system's error code (platform/SystemError.h).
  std::uint32_t Code() const { return m_code; }
  const char* what() const noexcept override { return "serial port error"; }

 private:
  std::uint8_t m_kind;
  std::uint32_t m_code;
};
