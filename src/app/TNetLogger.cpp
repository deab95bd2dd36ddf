#include "app/TNetLogger.h"

#include <cstdio>
#include <functional>

#include "data/TLogJournal.h"
#include "data/TNetLogMessages.h"
#include "platform/SystemError.h"

bool TNetLogger::Send(const std::string& target, const TUdpAddress& address, const std::string& bytes) {
  int error = 0;
  const bool sent = m_udp.SendTo(address.host, address.port, bytes, &error);
  std::string& failing = m_failing[target];
  if (sent) {
    failing.clear();
    return true;
  }
  if (failing.empty()) {
    failing = platform::WithSystemError("Network logging could not send to " + address.Text(), error);
    std::fprintf(stderr, "Talvex: %s (the contacts are sent again later)\n", failing.c_str());
  }
  return false;
}

bool TNetLogger::SendWsjtx(const std::string& line) {
  const auto contact = ContactOfRecordLine(line);
  if (!contact) return true;  // not a contact: nothing to send for it
  return Send(kWsjtxTarget, m_settings.wsjtxAddress, wsjtx::QsoLogged(kWsjtxId, *contact, m_settings.stationCall)) &&
         Send(kWsjtxTarget, m_settings.wsjtxAddress, wsjtx::LoggedAdif(kWsjtxId, *contact, m_version));
}

bool TNetLogger::SendN1mm(const std::string& line) {
  const auto contact = ContactOfRecordLine(line);
  if (!contact) return true;
  return Send(kN1mmTarget, m_settings.n1mmAddress, N1mmContactInfo(*contact, m_settings.stationCall, line));
}

void TNetLogger::Deliver(TLogJournal& journal) {
  using Deliver = std::function<bool(const std::string&)>;
  journal.Feed(kWsjtxTarget, m_settings.wsjtx ? Deliver([this](const std::string& l) { return SendWsjtx(l); }) : nullptr);
  journal.Feed(kN1mmTarget, m_settings.n1mm ? Deliver([this](const std::string& l) { return SendN1mm(l); }) : nullptr);
}

std::string TNetLogger::Failure() const {
  std::string text;
  for (const auto& [target, failure] : m_failing)
    if (!failure.empty()) text += (text.empty() ? "" : "; ") + failure;
  return text;
}

std::string TNetLogger::SendHeartbeat(const TNetLogSettings& settings) {
  int error = 0;
  const TUdpAddress& address = settings.wsjtxAddress;
  return m_udp.SendTo(address.host, address.port, wsjtx::Heartbeat(kWsjtxId, m_version), &error)
             ? "Heartbeat sent to " + address.Text()
             : platform::WithSystemError("Could not send to " + address.Text(), error);
}
