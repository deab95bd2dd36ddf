// The application object's journal of logged contacts and its network
// logging: short calls into TLogJournal and TNetLogger with the file set's
// paths.

#include <string>

#include "app/TNetLogger.h"
#include "app/TTalvexApp.h"
#include "data/TLogJournal.h"
#include "data/TNetLogSettings.h"
#include "platform/AppTitle.h"

namespace {
/// The delivery positions, beside the default log.
constexpr const char* kDeliveryFileName = "Talvex_DELIVERY.txt";

/// Our station call until the operator sets one: the application title's call.
std::string TitleCall() {
  const std::string title = kAppTitle;
  return title.substr(title.rfind(' ') + 1);
}
}  // namespace

TLogJournal& TTalvexApp::Journal() {
  if (!m_journal) {
    m_journal = std::make_unique<TLogJournal>(m_files.defaultLogFile.str(), m_files.logsDir.str() + kDeliveryFileName);
    for (const char* target : {TLogJournal::kSerialTarget, TNetLogger::kWsjtxTarget, TNetLogger::kN1mmTarget})
      m_journal->Track(target);
  }
  return *m_journal;
}

TNetLogger& TTalvexApp::NetLogger() {
  if (!m_netLogger) {
    m_netLogger = std::make_unique<TNetLogger>(m_files.version.empty() ? "unknown" : m_files.version.str());
    m_netLogger->SetSettings(ReadNetLogSettings(m_files.programDir.str() + kNetLogFileName, TitleCall()));
  }
  return *m_netLogger;
}

void TTalvexApp::DeliverNetworkContacts() { NetLogger().Deliver(Journal()); }

TNetLogSettings TTalvexApp::NetLogSettings() { return NetLogger().Settings(); }

bool TTalvexApp::StoreNetLogSettings(const TNetLogSettings& settings) {
  // A target turned on starts at the end of the log: what was logged while
  // it was off is not sent.
  DeliverNetworkContacts();
  NetLogger().SetSettings(settings);
  return WriteNetLogSettings(m_files.programDir.str() + kNetLogFileName, settings);
}

std::string TTalvexApp::SendNetHeartbeat(const TNetLogSettings& settings) {
  return NetLogger().SendHeartbeat(settings);
}

std::string TTalvexApp::NetLogFailure() { return NetLogger().Failure(); }
