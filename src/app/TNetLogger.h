#pragma once
// Network logging: each contact of the default log goes out as UDP
// datagrams to the logging and mapping programs on the network, in the
// formats they read (data/TNetLogMessages.h): WSJT-X "QSO Logged" and
// "Logged ADIF" to one address, N1MM contactinfo to another. Each is a
// target of the journal with its own delivery position, so a contact whose
// datagram the system refused goes out again, in order, at the next
// delivery; the failure is written to standard error once, until a send
// works again. A target that is off takes its lines without sending them,
// so turning it on later replays nothing. Main thread only.

#include <map>
#include <string>

#include "data/TNetLogSettings.h"
#include "platform/UdpSender.h"

class TLogJournal;

class TNetLogger {
 public:
  static constexpr const char* kWsjtxTarget = "WSJTX";
  static constexpr const char* kN1mmTarget = "N1MM";
  /// The id our WSJT-X messages carry.
  static constexpr const char* kWsjtxId = "Talvex";

  explicit TNetLogger(std::string programVersion) : m_version(std::move(programVersion)) {}

  void SetSettings(const TNetLogSettings& settings) { m_settings = settings; }
  const TNetLogSettings& Settings() const { return m_settings; }

  /// Feeds both targets from the journal.
  void Deliver(TLogJournal& journal);

  /// Sends a WSJT-X heartbeat to the WSJT-X address of the settings (N1MM's
  /// format has none) and answers what happened, for the dialog:
  /// "Heartbeat sent to 127.0.0.1:2237" or the failure with its reason.
  std::string SendHeartbeat(const TNetLogSettings& settings);

  /// While a target's datagrams are refused: what the system said, for the
  /// dialog; empty once every target sends again.
  std::string Failure() const;

 private:
  bool Send(const std::string& target, const TUdpAddress& address, const std::string& bytes);
  bool SendWsjtx(const std::string& line);
  bool SendN1mm(const std::string& line);

  std::string m_version;
  TNetLogSettings m_settings;
  platform::UdpSender m_udp;
  std::map<std::string, std::string> m_failing;  // told of, until a send works
};
