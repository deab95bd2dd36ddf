#include "data/TNetLogSettings.h"

#include <algorithm>

#include "data/TextFile.h"
#include "data/TextUtils.h"
#include "platform/Files.h"

namespace {
bool IsDottedIpv4(const std::string& host) {
  const std::vector<std::string> parts = SplitFields(host, ".");
  if (parts.size() != 4 || std::count(host.begin(), host.end(), '.') != 3) return false;
  for (const std::string& part : parts) {
    if (part.empty() || part.size() > 3 || part.find_first_not_of("0123456789") != std::string::npos) return false;
    if (ReadInteger(part) > 255) return false;
  }
  return true;
}
}  // namespace

std::optional<TUdpAddress> ParseUdpAddress(const std::string& text) {
  const std::string trimmed = Trim(text);
  const auto colon = trimmed.rfind(':');
  if (colon == std::string::npos) return std::nullopt;
  const std::string host = trimmed.substr(0, colon), port = trimmed.substr(colon + 1);
  if (!IsDottedIpv4(host) || port.empty() || port.size() > 5 ||
      port.find_first_not_of("0123456789") != std::string::npos)
    return std::nullopt;
  const int number = ReadInteger(port);
  if (number < 1 || number > 65535) return std::nullopt;
  return TUdpAddress{host, static_cast<std::uint16_t>(number)};
}

TNetLogSettings ReadNetLogSettings(const std::string& path, const std::string& defaultCall) {
  TNetLogSettings settings;
  settings.stationCall = defaultCall;
  std::vector<std::string> lines;
  if (!LoadTextLines(path, lines) || lines.empty() || !SameText(Trim(lines.back()), kNetLogMarker)) return settings;
  for (const std::string& line : lines) {
    const auto equals = line.find('=');
    if (equals == std::string::npos) continue;
    const std::string key = Trim(line.substr(0, equals)), value = Trim(line.substr(equals + 1));
    if (SameText(key, "WSJTX_LOGGING")) settings.wsjtx = SameText(value, "YES");
    if (SameText(key, "N1MM_LOGGING")) settings.n1mm = SameText(value, "YES");
    if (SameText(key, "WSJTX_ADDRESS"))
      if (auto address = ParseUdpAddress(value)) settings.wsjtxAddress = *address;
    if (SameText(key, "N1MM_ADDRESS"))
      if (auto address = ParseUdpAddress(value)) settings.n1mmAddress = *address;
    if (SameText(key, "STATION_CALL") && IsCallsign(value)) settings.stationCall = UpperCase(value);
  }
  return settings;
}

bool WriteNetLogSettings(const std::string& path, const TNetLogSettings& settings) {
  const auto flag = [](bool on) { return on ? std::string("YES") : std::string("NO"); };
  const std::string text = "WSJTX_LOGGING=" + flag(settings.wsjtx) + "\nWSJTX_ADDRESS=" +
                           settings.wsjtxAddress.Text() + "\nN1MM_LOGGING=" + flag(settings.n1mm) +
                           "\nN1MM_ADDRESS=" + settings.n1mmAddress.Text() + "\nSTATION_CALL=" +
                           settings.stationCall + "\n" + kNetLogMarker;
  return platform::WriteFileAtomically(path, text);
}
