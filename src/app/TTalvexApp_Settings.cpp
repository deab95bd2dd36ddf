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
  TRestartSettings s;
  s.disableAltF4 = disableAltF4;
  s.disableScreenSaver = disableScreenSaver;
  s.wantCenteredForms = wantCenteredForms;
  s.controlSubsetEnabled = controlSubsetEnabled;
  s.showFocMembers = showFocMembers;
  s.showCwopMembers = showCwopMembers;
  s.sioLogAdif = sioLogAdif;
  s.sioLogArrl = sioLogArrl;
  s.radioComPort = radioComPort;
  s.radioBaud = GetRadioBaud();
  s.sioLogComPort = sioLogComPort;
  s.sioLogBaud = sioLogBaud;
  s.sioLogStopBits = sioLogStopBits;
  s.sioLogDataBits = sioLogDataBits;
  s.sioLogParity = sioLogParity;
  s.localLogFile = m_localLogFile;
  s.localLogAdif = m_localLogType == kLogTypeAdif;
  s.columnWidths = columnWidths;
  s.autoCqDelay = autoCqDelay;
  s.wantKeyboard = wantKeyboard;
  s.wantLogGrid = wantLogGrid;
  s.wantMessageButtons = wantMessageButtons;
  s.wantTitleBars = wantTitleBars;
  s.wantAutoCq = wantAutoCq;
  return s;
}

void TTalvexApp::TakeRestartSettings(const TRestartSettings& s) {
  disableAltF4 = s.disableAltF4;
  disableScreenSaver = s.disableScreenSaver;
  wantCenteredForms = s.wantCenteredForms;
  controlSubsetEnabled = s.controlSubsetEnabled;
  showFocMembers = s.showFocMembers;
  showCwopMembers = s.showCwopMembers;
  sioLogAdif = s.sioLogAdif;
  sioLogArrl = s.sioLogArrl;
  radioComPort = s.radioComPort;
  SetRadioBaud(s.radioBaud.str());
  sioLogComPort = s.sioLogComPort;
  sioLogBaud = s.sioLogBaud;
  sioLogStopBits = s.sioLogStopBits;
  sioLogDataBits = s.sioLogDataBits;
  sioLogParity = s.sioLogParity;
  m_localLogFile = s.localLogFile;
  m_localLogType = s.localLogAdif ? kLogTypeAdif : kLogTypeArrl;
  columnWidths = s.columnWidths;
  autoCqDelay = s.autoCqDelay;
  wantKeyboard = s.wantKeyboard;
  wantLogGrid = s.wantLogGrid;
  wantMessageButtons = s.wantMessageButtons;
  wantTitleBars = s.wantTitleBars;
  wantAutoCq = s.wantAutoCq;
}

std::vector<std::string> TTalvexApp::GetBackupRestartFiles() const {
  return {m_programDir.str() + kBackupRestartFile, kBackupRestartFile};
}

bool TTalvexApp::ReadRestartFile() {
  std::error_code ec;
  if (!std::filesystem::exists(m_restartFile.str(), ec)) {
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
  if (!TRestartFile(m_restartFile.str(), GetBackupRestartFiles()).Load(settings)) return false;
  TakeRestartSettings(settings);
  return true;
}

void TTalvexApp::ApplyRestartEntry(const std::string& key, const std::string& value) {
  TRestartSettings settings = GetRestartSettings();
  settings.Apply(key, value);
  TakeRestartSettings(settings);
}

bool TTalvexApp::WriteRestartFile() {
  if (LeftRadioConnected()) RefreshLeftRadioBaud();
  TraceActivity("SAVING RESTART FILE");
  return TRestartFile(m_restartFile.str(), GetBackupRestartFiles()).Write(GetRestartSettings());
}

void TTalvexApp::LoadMessageTemplates() {
  TMessageTemplates templates;
  if (!templates.Load(m_messageTemplateFile.str())) return;
  for (std::size_t i = 0; i < templates.values.size() && i < messages.size(); ++i)
    messages[i].raw = templates.values[i];
  if (templates.autoCqDelay) autoCqDelay = *templates.autoCqDelay;
  for (auto& slot : messages)
    if (const auto text = MessageTextOfTemplate(slot.raw.view())) slot.text = *text;
}

void TTalvexApp::UpdateRadioMessages() {
  for (auto& slot : messages)
    slot.expanded = ExpandMessage(slot.text.view(), stationWorked.view(), sentRst.view(),
                                  operatorName.view());
  if (LeftRadioConnected()) {
    for (std::size_t i = 0; i < messages.size(); ++i)
      HandMessageToRadio(static_cast<int>(i), messages[i].expanded.str());
    return;
  }
  // Nothing acts on the answer yet: connecting is the main window's command.
  platform::Ask("Warning no radio", "Radio not connected - connect now?",
                platform::MessageIcon::Exclamation, platform::MessageButtons::YesNo);
}

std::string TTalvexApp::ExpandPlaceholder(std::string_view text, char placeholder,
                                          std::string_view value) const {
  return ::ExpandPlaceholder(text, placeholder, value);
}
