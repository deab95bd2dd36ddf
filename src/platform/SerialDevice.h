#pragma once
// One serial device opened for the program's own use, in the terms the
// serial port class expects of the Win32 comm interface: line settings in
// DCB encodings, COMMTIMEOUTS-style time-outs, bytes waiting.
//
// Every call that fails answers false and leaves the reason in
// LastSystemError(), so the caller can capture it before doing anything else;
// the kinds named below are SystemErrorKind's (SystemError.h).
//
// On Linux (termios):
// - Open is exclusive for root too: TIOCEXCL stops other users, a
//   non-blocking flock stops everyone who asks the same way (root ignores
//   TIOCEXCL). A port held by someone else fails with Busy.
// - Writing line settings also puts the line into raw mode (no line
//   discipline, no echo, no character translation, modem lines ignored for
//   reception, no hardware handshake), which is how a Win32 comm port always
//   behaves. Closing puts back the settings saved at open, raw mode or not.
// - One and a half stop bits do not exist in termios; the device gets two
//   stop bits (CSTOPB), which a 16550-style UART sends as one and a half
//   with 5 data bits and as two otherwise.
// - Driver queues have fixed sizes (the tty layer buffers 4 KiB to 64 KiB
//   itself); SetQueueSizes has nothing to set and always succeeds.
// - A pseudo-terminal carries no framing: its kernel side always reports 8
//   data bits without parity. Its data bits and parity are not checked after
//   a write of the settings; everything else is.

#include <array>
#include <cstdint>
#include <string>

#include "platform/FileHandle.h"

namespace platform {

/// DCB encodings.
enum : std::uint8_t { kOneStopBit = 0, kOne5StopBits = 1, kTwoStopBits = 2 };
enum : std::uint8_t { kNoParity = 0, kOddParity = 1, kEvenParity = 2, kMarkParity = 3, kSpaceParity = 4 };
enum : std::uint8_t { kLineControlDisable = 0, kLineControlEnable = 1 };

/// A port's line settings: the six values the program sets, and the
/// device's own settings for everything else.
struct SerialLineSettings {
  std::uint32_t baudRate = 0;
  std::uint8_t byteSize = 0;  // 5 to 8
  std::uint8_t parity = kNoParity;
  std::uint8_t stopBits = kOneStopBit;
  std::uint8_t dtrControl = kLineControlDisable;
  std::uint8_t rtsControl = kLineControlDisable;
  /// The device's native settings (termios here) as read; opaque to callers.
  alignas(8) std::array<unsigned char, 64> native{};
  bool hasNative = false;
};

/// Milliseconds. A read ends when count bytes arrived, when more than
/// readInterval passed between two bytes, or after
/// readTotalMultiplier * count + readTotalConstant; a write gets
/// writeTotalMultiplier * count + writeTotalConstant.
struct SerialTimeouts {
  std::uint32_t readInterval = 0;
  std::uint32_t readTotalMultiplier = 0;
  std::uint32_t readTotalConstant = 0;
  std::uint32_t writeTotalMultiplier = 0;
  std::uint32_t writeTotalConstant = 0;
};

class SerialDevice {
 public:
  SerialDevice() = default;
  SerialDevice(const SerialDevice&) = delete;
  SerialDevice& operator=(const SerialDevice&) = delete;
  SerialDevice(SerialDevice&&) noexcept = default;
  SerialDevice& operator=(SerialDevice&&) noexcept = default;

  /// Opens the device file for reading and writing, exclusively. An empty
  /// path fails with NotFound.
  bool Open(const std::string& path);
  bool IsOpen() const { return m_handle.Valid(); }
  /// Releases the device. False when the system reports an error on close;
  /// the handle is gone either way.
  bool Close();

  /// Reads the device's current line settings.
  bool GetLine(SerialLineSettings& settings) const;
  /// Writes line settings (native part from GetLine, then the six values).
  /// When the device does not take them exactly, the settings it had before
  /// are put back and the call fails (Refused when the device said nothing).
  bool SetLine(const SerialLineSettings& settings);
  /// Writes settings exactly as read by GetLine, without raw mode or checks.
  bool RestoreLine(const SerialLineSettings& settings);

  bool SetQueueSizes(std::uint32_t input, std::uint32_t output);
  bool SetTimeouts(const SerialTimeouts& timeouts);
  /// Waits until everything written has left the device.
  bool Flush();

  /// Received bytes not yet read.
  bool BytesWaiting(std::uint32_t& count) const;
  /// Reads up to count bytes under the time-outs. A hang-up fails (Io).
  bool Read(void* buffer, std::uint32_t count, std::uint32_t& got) const;
  /// Writes all count bytes under the time-outs; bytes still unwritten when
  /// the time-out passes make the write fail (TimedOut), with written
  /// telling how many went out.
  bool Write(const void* buffer, std::uint32_t count, std::uint32_t& written) const;

 private:
  FileHandle m_handle;
  SerialTimeouts m_timeouts;
  bool m_pseudoTerminal = false;
};

}  // namespace platform
