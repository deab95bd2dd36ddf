#pragma once
// Network logging's settings and their file, Talvex_NETLOG.txt in the
// program directory (the restart file's keys are fixed, so these live in a
// file of their own): whether each contact goes out as WSJT-X "QSO Logged"
// and "Logged ADIF" datagrams and as N1MM contactinfo datagrams, to which
// address, and the station call sent as our own. Both are off until the
// operator turns them on. KEY=value lines, flags YES or NO, and the marker
// line last; the file is replaced whole.

#include <cstdint>
#include <optional>
#include <string>

/// An IPv4 address and a UDP port.
struct TUdpAddress {
  std::string host;  // dotted IPv4, a multicast group allowed
  std::uint16_t port = 0;

  std::string Text() const { return host + ":" + std::to_string(port); }
  bool operator==(const TUdpAddress&) const = default;
};

/// "a.b.c.d:port" with a dotted IPv4 address and a port from 1 to 65535,
/// blanks around it allowed; nothing for any other text.
std::optional<TUdpAddress> ParseUdpAddress(const std::string& text);

struct TNetLogSettings {
  static constexpr std::uint16_t kWsjtxPort = 2237;
  static constexpr std::uint16_t kN1mmPort = 12060;

  bool wsjtx = false;
  TUdpAddress wsjtxAddress{"127.0.0.1", kWsjtxPort};
  bool n1mm = false;
  TUdpAddress n1mmAddress{"127.0.0.1", kN1mmPort};
  /// Our own call sign in the messages (MYCALL); the application title's
  /// call until the operator sets one.
  std::string stationCall;

  bool operator==(const TNetLogSettings&) const = default;
};

/// The file's name in the program directory.
inline constexpr const char* kNetLogFileName = "Talvex_NETLOG.txt";
inline constexpr const char* kNetLogMarker = "END_OF_NETLOG_FILE=YES";

/// The settings of the file; the defaults (both off) for a missing file or
/// one without its marker, and for each value that cannot be read.
/// defaultCall is the station call when the file sets none.
TNetLogSettings ReadNetLogSettings(const std::string& path, const std::string& defaultCall);

/// Replaces the file; false when it cannot be written (the old file stays).
bool WriteNetLogSettings(const std::string& path, const TNetLogSettings& settings);
