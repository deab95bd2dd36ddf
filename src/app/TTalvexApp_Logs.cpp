// The application object's log files: short calls into TContactLog with the
// default and local log settings.

#include "app/TTalvexApp.h"

static_assert(static_cast<int>(kColDate) == kCellDate && static_cast<int>(kColStation) == kCellStation &&
                  static_cast<int>(kColOrgs) == kCellOrgs &&
                  static_cast<int>(kGridColumns) == kLogCells,
              "the record builder takes the cells in grid column order");

bool TTalvexApp::AppendDefaultLog(const std::string& line) {
  return m_contactLog.AppendLine(m_defaultLogFile.str(), line);
}

bool TTalvexApp::AppendLocalLog(const TLogContact& contact) {
  if (!localLogWantedAdif && !localLogWantedArrl) return true;
  if (IsLocalLogAdif())
    return m_contactLog.AppendAdif(options.localLogFile.str(), contact,
                                   m_version.empty() ? "unknown" : m_version.str());
  return m_contactLog.AppendLine(options.localLogFile.str(), BuildRecordLine(contact));
}

std::string TTalvexApp::LogContact(const TLogContact& contact) {
  const std::string line = BuildRecordLine(contact);
  AppendDefaultLog(line);
  AppendLocalLog(contact);
  return line;
}

std::string TTalvexApp::GetLocalLogTypeName() const { return IsLocalLogAdif() ? "ADIF" : "ARRL"; }

std::string TTalvexApp::GetSerialLogFormatName() const { return options.sioLogAdif ? "ADIF" : "ARRL"; }
