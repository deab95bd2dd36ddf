#pragma once
// The serial I/O logging thread: owns the logging port and polls it every
// 100 ms, reading only the bytes already waiting and handing them to a data
// handler on the main thread. Contact lines are written from the main thread
// with Send.
//
// Created paused and never freed by its own end: the owner ends it with
// EndReader, waits with WaitFor and deletes it. Every member but the reader
// body is for the main thread.

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>

#include "platform/WorkerThread.h"
#include "serial/ECommError.h"
#include "serial/TCommPort.h"

/// Called on the main thread with the receive buffer and the received count
/// (which may exceed the 1024 bytes the buffer holds).
using TSioDataHandler = std::function<void(const std::uint8_t* buffer, std::int32_t count)>;

class TSIOThread : public platform::WorkerThread {
 public:
  static constexpr std::size_t kBufferSize = 1024;
  static constexpr int kPollMs = 100;

  /// Paused, port closed and named, 57600 baud 8N1, received count 0.
  /// portFile names the port table (TCommPort).
  TSIOThread(const std::string& portName, TSioDataHandler handler, std::string portFile = {});
  /// Ends the reader and waits for it: delete only once EndReader answers
  /// true or the reader has finished.
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

  /// Tells the reader to end and wakes it. Answers whether the reader can be
  /// waited for now: false while it is inside a hand-over to the main thread,
  /// which must run before the reader can end (waiting for it on the main
  /// thread would never return).
  bool EndReader();
  /// The port error that ended the reader, if one did.
  std::optional<ECommError> ReaderError() const;

  /// The handler the logging controller installs: received bytes are dropped.
  static void IgnoreData(const std::uint8_t* buffer, std::int32_t count);

 protected:
  void Execute() override;

 private:
  bool ReadWaiting();

  std::uint8_t m_buffer[kBufferSize];
  std::int32_t m_received = 0;
  TCommPort m_port;
  TSioDataHandler m_handler;

  // The reader touches the port only under m_mutex while not paused, so a
  // pause, once it returns, keeps the reader off the port.
  mutable std::mutex m_mutex;
  std::condition_variable m_wake;
  bool m_paused = true;
  bool m_inHandOver = false;
  std::optional<ECommError> m_readerError;

  void Pause();
  void Unpause();
};
