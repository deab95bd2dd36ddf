// The application object's restart file and message templates: short calls
// into TRestartFile and TMessageTemplates with this object's paths and options.

#include <filesystem>

#include "app/TTalvexApp.h"
#include "data/TMessageTemplates.h"
#include "platform/MessageSink.h"
#include "serial/TSioLogSettings.h"

namespace {
constexpr const char* kBackupRestartFile = "Talvex_RESTART_B.txt";
}  // namespace

std::vector<std::string> TTalvexApp::GetBackupRestartFiles() const {
  return {m_files.programDir.str() + kBackupRestartFile, kBackupRestartFile};
}

bool TTalvexApp::ReadRestartFile() {
  std::error_code ec;
  if (!std::filesystem::exists(m_files.restartFile.str(), ec)) {
    TraceActivity("RESTART FILE DOES NOT EXIST");
    return false;
  }
  if (LoadRestartFile()) {
    TraceActivity("OPEN_RESTART");
    return true;
  }
  TraceActivity("UNABLE TO READ RESTART FILE");
  return false;
}

bool TTalvexApp::LoadRestartFile() {
  return TRestartFile(m_files.restartFile.str(), GetBackupRestartFiles()).Load(m_options);
}

void TTalvexApp::ApplyRestartEntry(const std::string& key, const std::string& value) {
  m_options.Apply(key, value);
}

bool TTalvexApp::WriteRestartFile() {
  if (IsRadioConnected(1)) RefreshRadioBaud(1);
  TraceActivity("SAVING RESTART FILE");
  return TRestartFile(m_files.restartFile.str(), GetBackupRestartFiles()).Write(m_options);
}

void TTalvexApp::LoadMessageTemplates() {
  TMessageTemplates templates;
  if (!templates.Load(m_files.messageTemplateFile.str())) return;
  TakeMessageTemplates(templates, m_messages);
  if (templates.autoCqDelay) m_options.autoCqDelay = *templates.autoCqDelay;
}

bool TTalvexApp::UpdateRadioMessages() { return !LoadRadioMessages() && AskToConnectRadio(); }

bool TTalvexApp::LoadRadioMessages() {
  ExpandMessageSlots(m_messages, m_logLine.StationWorked(), m_logLine.SentRst(), m_logLine.Name());
  if (!IsRadioConnected(1)) return false;
  // The stored expanded message becomes upper case too, as the radio has it.
  for (std::size_t i = 0; i < m_messages.size(); ++i) {
    std::string message = m_messages[i].expanded.str();
    SetMessageText(1, static_cast<int>(i), message);
    m_messages[i].expanded = message;
  }
  return true;
}

bool TTalvexApp::AskToConnectRadio() {
  // Connecting is the main window's command: it acts on the answer.
  return platform::Ask("Warning no radio", "Radio not connected - connect now?",
                       platform::MessageIcon::Exclamation, platform::MessageButtons::YesNo) ==
         platform::MessageAnswer::Yes;
}

std::string TTalvexApp::ExpandPlaceholder(std::string_view text, char placeholder,
                                          std::string_view value) const {
  return ::ExpandPlaceholder(text, placeholder, value);
}

TSioLogSettings TTalvexApp::SioLogSettings() const { return SioLogSettingsOf(m_options); }

void TTalvexApp::StoreSioLogSettings(const TSioLogSettings& settings) { ::StoreSioLogSettings(settings, m_options); }

void TTalvexApp::RememberPanels(const TResumeChoice& choice) {
  m_options.wantMessageButtons = choice.messageButtons;
  m_options.wantKeyboard = choice.keyboard;
  m_options.wantLogGrid = choice.logGrid;
  m_options.wantAutoCq = choice.autoCq;
  m_options.wantTitleBars = choice.titleBars;
}

void TTalvexApp::TemplateUpdated() {
  LoadMessageTemplates();
  SendAutoCqDelay();
}
