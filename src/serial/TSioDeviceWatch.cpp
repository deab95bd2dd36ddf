#include "serial/TSioDeviceWatch.h"

#include <filesystem>
#include <system_error>

#include "data/TextUtils.h"
#include "platform/SerialPortRegistry.h"

namespace fs = std::filesystem;

namespace {
std::string Resolved(const std::string& path) {
  std::error_code ec;
  if (path.empty() || !fs::exists(path, ec)) return {};
  const fs::path real = fs::canonical(path, ec);
  return ec ? std::string() : real.string();
}
}  // namespace

void TSioDeviceWatch::Opened(const std::string& portName, const std::string& portFile) {
  m_watching = false;
  m_portName = portName;
  m_device = Resolved(platform::SerialPortRegistry(portFile).DeviceOf(Trim(portName)));
  m_byId.clear();
  std::error_code ec;
  for (fs::directory_iterator it(m_byIdFolder, ec), end; !ec && it != end; it.increment(ec))
    if (!m_device.empty() && Resolved(it->path().string()) == m_device) {
      m_byId = it->path().string();
      break;
    }
}

void TSioDeviceWatch::Lost() {
  m_watching = !m_portName.empty();
  m_sawGone = false;
}

void TSioDeviceWatch::OpenFailed(const std::string& portName, const std::string& portFile) {
  m_portName = portName;
  m_device.clear();
  m_byId.clear();
  m_watching = Resolved(platform::SerialPortRegistry(portFile).DeviceOf(Trim(portName))).empty();
  m_sawGone = true;
}

std::optional<std::string> TSioDeviceWatch::Returned(const std::string& portFile) {
  if (!m_watching) return std::nullopt;
  const platform::SerialPortRegistry ports(portFile);
  const std::string device = Resolved(m_byId.empty() ? ports.DeviceOf(Trim(m_portName)) : m_byId);
  if (device.empty()) {
    m_sawGone = true;
    return std::nullopt;
  }
  if (device == m_device && !m_sawGone) return std::nullopt;
  // The port's own name first, then any name of the table that leads there.
  if (Resolved(ports.DeviceOf(Trim(m_portName))) == device) {
    m_watching = false;
    return m_portName;
  }
  for (const platform::SerialPortEntry& entry : ports.Table())
    if (Resolved(entry.device) == device) {
      m_watching = false;
      return entry.name;
    }
  return std::nullopt;
}
