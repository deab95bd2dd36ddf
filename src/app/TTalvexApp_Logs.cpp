// The application object's log files: short calls into TContactLog with the
// default and local log settings.

#include "app/TTalvexApp.h"
#include "data/TContactLog.h"

bool TTalvexApp::AppendDefaultLog(const std::string& line) {
  return m_contactLog->AppendLine(m_files.defaultLogFile.str(), line);
}

bool TTalvexApp::AppendLocalLog(const TLogContact& contact) {
  if (!LocalLogging()) return true;
  if (IsLocalLogAdif())
    return m_contactLog->AppendAdif(m_options.localLogFile.str(), contact,
                                   m_files.version.empty() ? "unknown" : m_files.version.str());
  return m_contactLog->AppendLine(m_options.localLogFile.str(), BuildRecordLine(contact));
}

TLogLine::Logged TTalvexApp::LogTheQso(double utc, const std::function<void(const std::string&)>& sendSerial) {
  return m_logLine.Log(utc, {.appendDefault = [this](const std::string& line) { return AppendDefaultLog(line); },
                             .appendLocal = [this](const TLogContact& contact) { return AppendLocalLog(contact); },
                             .sendSerial = sendSerial});
}

std::string TTalvexApp::GetLocalLogTypeName() const { return IsLocalLogAdif() ? "ADIF" : "ARRL"; }

std::string TTalvexApp::GetSerialLogFormatName() const { return m_options.sioLogAdif ? "ADIF" : "ARRL"; }
