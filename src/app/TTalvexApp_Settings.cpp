// The application object's restart file and message templates: short calls
// into TRestartFile and TMessageTemplates with this object's paths and options.

#include <filesystem>

#include "app/TTalvexApp.h"
#include "data/TMessageTemplates.h"
#include "platform/MessageSink.h"

namespace {
constexpr const char* kBackupRestartFile = "Talvex_RESTART_B.txt";
}  // namespace

TRestartSettings TTalvexApp::GetRestartSettings() const {
  std::lock_guard lock(m_baudMutex);
  return options;
}

void TTalvexApp::TakeRestartSettings(const TRestartSettings& settings) {
  std::lock_guard lock(m_baudMutex);
  options = settings;
}

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
  TRestartSettings settings = GetRestartSettings();
  if (!TRestartFile(m_files.restartFile.str(), GetBackupRestartFiles()).Load(settings)) return false;
  TakeRestartSettings(settings);
  return true;
}

void TTalvexApp::ApplyRestartEntry(const std::string& key, const std::string& value) {
  TRestartSettings settings = GetRestartSettings();
  settings.Apply(key, value);
  TakeRestartSettings(settings);
}

bool TTalvexApp::WriteRestartFile() {
  if (IsRadioConnected(1)) RefreshRadioBaud(1);
  TraceActivity("SAVING RESTART FILE");
  return TRestartFile(m_files.restartFile.str(), GetBackupRestartFiles()).Write(GetRestartSettings());
}

void TTalvexApp::LoadMessageTemplates() {
  TMessageTemplates templates;
  if (!templates.Load(m_files.messageTemplateFile.str())) return;
  TakeMessageTemplates(templates, messages);
  if (templates.autoCqDelay) options.autoCqDelay = *templates.autoCqDelay;
}

bool TTalvexApp::UpdateRadioMessages() {
  ExpandMessageSlots(messages, stationWorked.view(), sentRst.view(), operatorName.view());
  if (IsRadioConnected(1)) {
    // The stored expanded message becomes upper case too, as the radio has it.
    for (std::size_t i = 0; i < messages.size(); ++i) {
      std::string message = messages[i].expanded.str();
      SetMessageText(1, static_cast<int>(i), message);
      messages[i].expanded = message;
    }
    return false;
  }
  // Connecting is the main window's command: it acts on the answer.
  return platform::Ask("Warning no radio", "Radio not connected - connect now?",
                       platform::MessageIcon::Exclamation, platform::MessageButtons::YesNo) ==
         platform::MessageAnswer::Yes;
}

std::string TTalvexApp::ExpandPlaceholder(std::string_view text, char placeholder,
                                          std::string_view value) const {
  return ::ExpandPlaceholder(text, placeholder, value);
}
