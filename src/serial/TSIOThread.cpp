#include "serial/TSIOThread.h"

#include <chrono>
#include <cstring>
#include <vector>

#include "platform/MessageSink.h"
#include "platform/SerialDevice.h"
#include "platform/ThreadPriority.h"

TSIOThread::TSIOThread(const std::string& portName, std::string portFile) : m_port(std::move(portFile)) {
  std::memset(m_buffer, 0, sizeof m_buffer);
  m_port.SetPortName(portName);
  m_port.SetBaudRate(57600);
  m_port.SetByteSize(8);
  m_port.SetStopBits(platform::kOneStopBit);
  m_port.SetParity(platform::kNoParity);
  // The priority is raised by the reader itself when it first runs: the
  // thread does not exist before that.
}

TSIOThread::~TSIOThread() {
  EndReader();
  WaitFor();
}

void TSIOThread::Pause() {
  std::lock_guard lock(m_mutex);
  m_paused = true;
}

void TSIOThread::Unpause() {
  {
    std::lock_guard lock(m_mutex);
    m_paused = false;
  }
  m_wake.notify_all();
  Resume();
}

void TSIOThread::EndReader() {
  {
    // Under the mutex, so the reader cannot miss the wake between testing
    // Terminated and going to sleep.
    std::lock_guard lock(m_mutex);
    Terminate();
  }
  m_wake.notify_all();
}

void TSIOThread::Configure(const std::string& portName, std::uint32_t baudRate, std::uint8_t dataBits,
                           std::uint8_t stopBits, std::uint8_t parity, bool rtsEnabled,
                           bool dtrEnabled) {
  const bool wasOpen = m_port.IsOpen();
  Stop();
  m_port.SetAllSettings(portName, baudRate, dataBits, stopBits, parity, rtsEnabled, dtrEnabled);
  if (wasOpen) Start();
}

bool TSIOThread::Start() {
  Pause();
  std::memset(m_buffer, 0, sizeof m_buffer);  // the reader is off it now
  try {
    m_port.Open();
    Unpause();
    const std::uint8_t carriageReturn = 13;
    m_port.Write(&carriageReturn, 1);
    return true;
  } catch (const ECommError& error) {
    Pause();
    try {
      m_port.Close();
    } catch (const ECommError&) {
      // Closed anyway; the message below says what matters.
    }
    platform::ShowMessage(error.Kind() == kCommErrOpen ? "Error opening comm port. Port already in use - me?"
                                                       : "Error opening comm port.");
    return false;
  }
}

void TSIOThread::Stop() {
  Pause();
  m_port.Close();
}

bool TSIOThread::Send(const void* bytes, std::uint32_t count) {
  {
    std::lock_guard lock(m_mutex);
    if (m_readerError) throw *m_readerError;
    if (m_paused) return false;
  }
  m_port.Write(bytes, count);
  return true;
}

std::optional<ECommError> TSIOThread::ReaderError() const {
  std::lock_guard lock(m_mutex);
  return m_readerError;
}

std::uint64_t TSIOThread::BytesDropped() const {
  std::lock_guard lock(m_mutex);
  return m_dropped;
}

// Under m_mutex, reader not paused.
void TSIOThread::ReadWaiting() {
  const std::uint32_t waiting = m_port.BytesWaiting();
  if (waiting == 0) return;
  std::vector<std::uint8_t> bytes(waiting + 1);  // room for the read's closing zero
  const std::uint32_t got = m_port.Read(bytes.data(), waiting);
  m_received = static_cast<std::int32_t>(got);
  std::memcpy(m_buffer, bytes.data(), got < kBufferSize ? got : kBufferSize);
  m_dropped += got;
}

void TSIOThread::Execute() {
  platform::RaiseCurrentThreadPriority();
  std::unique_lock lock(m_mutex);
  for (;;) {
    m_wake.wait(lock, [this] { return !m_paused || Terminated(); });
    if (Terminated()) return;
    try {
      ReadWaiting();
    } catch (const ECommError& error) {
      m_readerError = error;  // the reader ends; the next Send raises it
      return;
    }
    // A pause during the sleep holds the reader at the wait above.
    if (m_wake.wait_for(lock, std::chrono::milliseconds(kPollMs), [this] { return Terminated(); })) return;
  }
}
