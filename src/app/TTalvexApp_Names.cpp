// The application object's operator names: short calls into TOperatorList.

#include "app/TTalvexApp.h"
#include "data/TOperatorList.h"
#include "platform/MessageSink.h"

bool TTalvexApp::OpenNamesFile() {
  if (!LoadNamesFile()) {
    TraceActivity("COULD NOT OPEN OPERATOR HISTORY FILE");
    platform::ShowMessage("Could not open operator names/history file");
    return false;
  }
  TraceActivity("OPEN_OPERATOR_HISTORY_FILE");
  return true;
}

bool TTalvexApp::LoadNamesFile() { return m_operators->LoadNamesFile(m_files.namesFile.str()); }

std::string TTalvexApp::LookupOperator(std::string_view call, std::size_t length) const {
  return m_operators->Lookup(call, length, m_options.showFocMembers, m_options.showCwopMembers);
}
