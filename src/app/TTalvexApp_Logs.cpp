// The application object's log files: short calls into TContactLog with the
// default and local log settings.

#include "app/TTalvexApp.h"
#include "data/TContactLog.h"

bool TTalvexApp::AppendDefaultLog(const std::string& line) {
  return m_contactLog->AppendLine(m_files.defaultLogFile.str(), line);
}

bool TTalvexApp::AppendLocalLog(const TLogContact& contact) {
  if (!localLogWantedAdif && !localLogWantedArrl) return true;
  if (IsLocalLogAdif())
    return m_contactLog->AppendAdif(options.localLogFile.str(), contact,
                                   m_files.version.empty() ? "unknown" : m_files.version.str());
  return m_contactLog->AppendLine(options.localLogFile.str(), BuildRecordLine(contact));
}

std::string TTalvexApp::LogContact(const TLogContact& contact) {
  const std::string line = BuildRecordLine(contact);
  AppendDefaultLog(line);
  AppendLocalLog(contact);
  return line;
}

std::string TTalvexApp::GetLocalLogTypeName() const { return IsLocalLogAdif() ? "ADIF" : "ARRL"; }

std::string TTalvexApp::GetSerialLogFormatName() const { return options.sioLogAdif ? "ADIF" : "ARRL"; }
