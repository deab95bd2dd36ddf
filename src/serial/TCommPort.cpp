#include "serial/TCommPort.h"

#include <cstring>

#include "data/FixedText.h"
#include "platform/SerialPortRegistry.h"
#include "platform/SystemError.h"
#include "serial/ECommError.h"

namespace {
constexpr const char* kDevicePrefix = "\\\\.\\";
constexpr std::size_t kDevicePathWidth = 13;
}  // namespace

TCommPort::TCommPort(std::string portFile) : m_portFile(std::move(portFile)) {}

TCommPort::~TCommPort() {
  try {
    Close();
  } catch (const ECommError&) {
    // The device is released either way; nobody is left to tell.
  }
}

std::string TCommPort::DeviceName(const std::string& portName) {
  const std::string prefix = kDevicePrefix;
  const std::string path = CutText(prefix + portName, kDevicePathWidth);
  return path.substr(prefix.size());
}

void TCommPort::SetPortName(const std::string& name) {
  if (m_open) throw ECommError(kCommErrPortIsOpen, 0);
  m_portName = name;
}

void TCommPort::ApplyOrRestore(const platform::SerialLineSettings& previous, std::uint8_t kind) {
  if (!m_open || m_handle.SetLine(m_settings)) return;
  const ECommError error(kind);
  m_settings = previous;
  throw error;
}

void TCommPort::SetBaudRate(std::uint32_t baudRate) {
  const auto previous = m_settings;
  m_settings.baudRate = baudRate;
  ApplyOrRestore(previous, kCommErrBaudRate);
}

void TCommPort::SetByteSize(std::uint8_t byteSize) {
  const auto previous = m_settings;
  m_settings.byteSize = byteSize;
  ApplyOrRestore(previous, kCommErrByteSize);
}

void TCommPort::SetParity(std::uint8_t parity) {
  const auto previous = m_settings;
  m_settings.parity = parity;
  ApplyOrRestore(previous, kCommErrParity);
}

void TCommPort::SetStopBits(std::uint8_t stopBits) {
  const auto previous = m_settings;
  m_settings.stopBits = stopBits;
  ApplyOrRestore(previous, kCommErrStopBits);
}

void TCommPort::SetAllSettings(const std::string& name, std::uint32_t baudRate, std::uint8_t byteSize,
                               std::uint8_t stopBits, std::uint8_t parity, bool rtsEnabled,
                               bool dtrEnabled) {
  const auto previous = m_settings;
  m_portName = name;
  m_settings.baudRate = baudRate;
  m_settings.byteSize = byteSize;
  m_settings.stopBits = stopBits;
  m_settings.parity = parity;
  m_settings.rtsControl = rtsEnabled ? platform::kLineControlEnable : platform::kLineControlDisable;
  m_settings.dtrControl = dtrEnabled ? platform::kLineControlEnable : platform::kLineControlDisable;
  ApplyOrRestore(previous, kCommErrBaudRate);
}

void TCommPort::Open() {
  if (m_open) return;
  const platform::SerialLineSettings wanted = m_settings;

  const std::string device = platform::SerialPortRegistry(m_portFile).DeviceOf(DeviceName(m_portName));
  if (device.empty()) throw ECommError(kCommErrOpen, platform::SystemErrorOf(platform::SystemErrorKind::NotFound));
  if (!m_handle.Open(device)) throw ECommError(kCommErrOpen);

  // Every failure from here on releases the device before it raises.
  auto fail = [this](std::uint8_t kind) {
    const ECommError error(kind);
    m_handle.Close();
    throw error;
  };
  if (!m_handle.GetLine(m_savedSettings)) fail(kCommErrGetState);
  if (!m_handle.GetLine(m_settings)) fail(kCommErrGetState);
  m_settings.baudRate = wanted.baudRate;
  m_settings.byteSize = wanted.byteSize;
  m_settings.parity = wanted.parity;
  m_settings.stopBits = wanted.stopBits;
  m_settings.dtrControl = wanted.dtrControl;
  m_settings.rtsControl = wanted.rtsControl;
  if (!m_handle.SetLine(m_settings)) fail(kCommErrSetState);
  if (!m_handle.SetQueueSizes(kInputQueue, kOutputQueue)) fail(kCommErrQueueSizes);
  m_timeouts = kTimeouts;
  if (!m_handle.SetTimeouts(m_timeouts)) fail(kCommErrTimeouts);
  m_handle.Flush();
  m_open = true;
}

void TCommPort::Close() {
  if (!m_open) return;
  const bool flushed = m_handle.Flush();
  if (!m_handle.RestoreLine(m_savedSettings) || !flushed) {
    const ECommError error(kCommErrSetState);
    m_handle.Close();
    m_open = false;
    throw error;
  }
  if (!m_handle.Close()) {
    m_open = false;
    throw ECommError(kCommErrClose);
  }
  m_open = false;
}

std::uint32_t TCommPort::Read(void* buffer, std::uint32_t count) {
  if (!m_open) throw ECommError(kCommErrNotOpen, 0);
  std::uint32_t got = 0;
  if (!m_handle.Read(buffer, count, got)) throw ECommError(kCommErrRead);
  if (got < count) static_cast<unsigned char*>(buffer)[got] = 0;
  return got;
}

void TCommPort::Write(const void* buffer, std::uint32_t count) {
  if (!m_open) throw ECommError(kCommErrNotOpen, 0);
  if (count == 0 || buffer == nullptr) return;
  std::uint32_t written = 0;
  if (!m_handle.Write(buffer, count, written)) throw ECommError(kCommErrWrite);
}

int TCommPort::WriteText(const char* text) {
  if (!m_open) throw ECommError(kCommErrNotOpen, 0);
  if (text == nullptr || *text == '\0') return 0;
  Write(text, static_cast<std::uint32_t>(std::strlen(text)));
  return 1;
}

std::uint32_t TCommPort::BytesWaiting() {
  if (!m_open) throw ECommError(kCommErrNotOpen, 0);
  std::uint32_t count = 0;
  if (!m_handle.BytesWaiting(count)) throw ECommError(kCommErrStatus);
  return count;
}

int EnumerateCommPorts(const std::string& portFile, std::vector<std::string>& list) {
  list.clear();
  for (const auto& port : platform::SerialPortRegistry(portFile).PresentPorts()) list.push_back(port.name);
  return static_cast<int>(list.size());
}
