// The application object's log files: short calls into TContactLog with the
// default and local log settings.

#include "app/TTalvexApp.h"
#include "data/TContactLog.h"
#include "data/TWorkedIndex.h"
#include "data/TextUtils.h"
#include "platform/MessageSink.h"

namespace {
/// Where a contact goes that nobody could be asked about at the end.
constexpr const char* kUnsavedLogFile = "Talvex_UNSAVED.txt";

/// Tells the operator what the log file has to say; whether it took the text.
bool Told(const TLogAppend& append) {
  if (!append.message.empty()) platform::ShowMessage(append.message);
  return append.written;
}
}  // namespace

bool TTalvexApp::AppendDefaultLog(const std::string& line) {
  return Told(m_contactLog->AppendLine(m_files.defaultLogFile.str(), line));
}

bool TTalvexApp::AppendLocalLog(const TLogContact& contact) {
  if (!LocalLogging()) return true;
  return Told(m_contactLog->AppendLocal(m_options.localLogFile.str(), IsLocalLogAdif(), contact,
                                        m_files.version.empty() ? "unknown" : m_files.version.str()));
}

TLogLine::Logged TTalvexApp::LogTheQso(double utc, const std::function<void(const std::string&)>& sendSerial) {
  Journal();  // every target has its place in the log before the line goes in
  const TLogLine::Logged logged =
      m_logLine.Log(utc, {.appendDefault = [this](const std::string& line) { return AppendDefaultLog(line); },
                          .appendLocal = [this](const TLogContact& contact) { return AppendLocalLog(contact); },
                          .sendSerial = sendSerial});
  // What the default log took is in the index before the next call is typed.
  if (logged != TLogLine::Logged::kNoCall) m_worked->Refresh();
  return logged;
}

TWorkedSummary TTalvexApp::WorkedBefore(std::string_view call) {
  // The log may have grown without this object: a radio library's attached
  // grid logs into it itself. One look at its size tells.
  m_worked->Refresh();
  return m_worked->Lookup(call, m_logLine.Cell(kCellFreq), m_logLine.Cell(kCellMode));
}

bool TTalvexApp::AskQuitWithUnloggedContact() {
  const std::string call = Trim(m_logLine.Cell(kCellStation));
  return platform::Ask("Contact not logged", "The contact with " + UpperCase(call) + " was not logged. Quit anyway?",
                       platform::MessageIcon::Question, platform::MessageButtons::YesNo) ==
         platform::MessageAnswer::Yes;
}

bool TTalvexApp::SaveUnloggedContact(double utc) {
  return Told(m_contactLog->AppendLine(m_files.logsDir.str() + kUnsavedLogFile, m_logLine.RecordLine(utc)));
}

std::string TTalvexApp::GetLocalLogTypeName() const { return IsLocalLogAdif() ? "ADIF" : "ARRL"; }

std::string TTalvexApp::GetSerialLogFormatName() const { return m_options.sioLogAdif ? "ADIF" : "ARRL"; }
