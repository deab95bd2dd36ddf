#include "serial/TSIOThread.h"

#include <chrono>
#include <cstring>
#include <vector>

#include "platform/MessageSink.h"
#include "platform/SerialDevice.h"
#include "platform/Synchronize.h"
#include "platform/ThreadPriority.h"

TSIOThread::TSIOThread(const std::string& portName, TSioDataHandler handler, std::string portFile)
    : m_port(std::move(portFile)), m_handler(std::move(handler)) {
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

void TSIOThread::IgnoreData(const std::uint8_t*, std::int32_t) {}

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

void TSIOThread::Configure(const std::string& portName, std::uint32_t baudRate, std::uint8_t dataBits,
                           std::uint8_t stopBits, std::uint8_t parity, bool rtsEnabled,
                           bool dtrEnabled) {
  const bool wasOpen = m_port.IsOpen();
  Stop();
  m_port.SetAllSettings(portName, baudRate, dataBits, stopBits, parity, rtsEnabled, dtrEnabled);
  if (wasOpen) Start();
}

bool TSIOThread::Start() {
  std::memset(m_buffer, 0, sizeof m_buffer);
  Pause();
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

bool TSIOThread::EndReader() {
  bool waitable;
  {
    std::lock_guard lock(m_mutex);
    Terminate();
    waitable = !m_inHandOver;
  }
  m_wake.notify_all();
  return waitable;
}

std::optional<ECommError> TSIOThread::ReaderError() const {
  std::lock_guard lock(m_mutex);
  return m_readerError;
}

// Under m_mutex, reader not paused. True when bytes came for the handler.
bool TSIOThread::ReadWaiting() {
  const std::uint32_t waiting = m_port.BytesWaiting();
  if (waiting == 0) return false;
  std::vector<std::uint8_t> bytes(waiting + 1);  // room for the read's closing zero
  const std::uint32_t got = m_port.Read(bytes.data(), waiting);
  m_received = static_cast<std::int32_t>(got);
  if (got == 0) return false;
  std::memcpy(m_buffer, bytes.data(), got < kBufferSize ? got : kBufferSize);
  return true;
}

void TSIOThread::Execute() {
  platform::RaiseCurrentThreadPriority();
  for (;;) {
    bool handOver = false;
    {
      std::unique_lock lock(m_mutex);
      m_wake.wait(lock, [this] { return !m_paused || Terminated(); });
      if (Terminated()) return;
      try {
        handOver = ReadWaiting();
      } catch (const ECommError& error) {
        m_readerError = error;  // the reader ends; the next Send raises it
        return;
      }
      handOver = handOver && m_handler && !Terminated();
      m_inHandOver = handOver;
    }
    if (handOver) {
      // A hand-over that runs after EndReader skips the handler.
      platform::Synchronize([this] {
        if (!Terminated()) m_handler(m_buffer, m_received);
      });
      {
        std::lock_guard lock(m_mutex);
        m_inHandOver = false;
      }
      m_wake.notify_all();
    }
    std::unique_lock lock(m_mutex);
    if (m_wake.wait_for(lock, std::chrono::milliseconds(kPollMs), [this] { return Terminated(); })) return;
  }
}
