#pragma once
// The serial I/O logging thread: owns the logging port and polls it every
// 100 ms, reading only the bytes already waiting and dropping them on its
// own thread (the program has no use for what the far end says). Contact
// lines are written from the main thread with Send.
//
// The reader never waits for the main thread, so deleting the object ends
// and joins it at once in every state: paused, reading, or ended by a port
// error. Every member but the reader body is for the main thread.

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>

#include "platform/WorkerThread.h"
#include "serial/ECommError.h"
#include "serial/TCommPort.h"

class TSIOThread : public platform::WorkerThread {
 public:
  static constexpr std::size_t kBufferSize = 1024;
  static constexpr int kPollMs = 100;

  /// Paused, port closed and named, 57600 baud 8N1, received count 0.
  /// portFile names the port table (TCommPort).
  explicit TSIOThread(const std::string& portName, std::string portFile = {});
  /// Ends the reader and joins it; the port closes with the object.
  ~TSIOThread() override;

  /// Stops, applies every setting to the port, and starts again if the port
  /// was open. The logging controller passes RTS and DTR disabled. A port
  /// error of the stop is raised.
  void Configure(const std::string& portName, std::uint32_t baudRate, std::uint8_t dataBits,
                 std::uint8_t stopBits, std::uint8_t parity, bool rtsEnabled, bool dtrEnabled);
  /// Opens the port, lets the reader run and sends one carriage return.
  /// On a port error shows "Error opening comm port. Port already in use -
  /// me?" (kind 8) or "Error opening comm port." and answers false, the
  /// reader paused and the port closed.
  bool Start();
  /// Pauses the reader, then closes the port (which puts its own settings
  /// back). A port error of the close is raised after the reader is paused.
  void Stop();
  /// False without sending while the reader is paused. A port error of the
  /// write is raised, and so is the error that ended the reader.
  bool Send(const void* bytes, std::uint32_t count);
  bool IsPortOpen() const { return m_port.IsOpen(); }
  const std::string& PortName() const { return m_port.PortName(); }
  const platform::SerialLineSettings& PortSettings() const { return m_port.Settings(); }

  /// The port error that ended the reader, if one did.
  std::optional<ECommError> ReaderError() const;
  /// How many bytes the reader has read from the port, and dropped, so far.
  std::uint64_t BytesDropped() const;

 protected:
  void Execute() override;

 private:
  void Pause();
  void Unpause();
  /// Tells the reader to end and wakes it.
  void EndReader();
  void ReadWaiting();

  // The reader's last read: at most the first 1024 bytes, and the count the
  // read returned (which may be more).
  std::uint8_t m_buffer[kBufferSize];
  std::int32_t m_received = 0;
  TCommPort m_port;

  // The reader touches the port and the members above only under m_mutex
  // while not paused, so a pause, once it returns, keeps it off the port.
  mutable std::mutex m_mutex;
  std::condition_variable m_wake;
  bool m_paused = true;
  std::uint64_t m_dropped = 0;
  std::optional<ECommError> m_readerError;
};
