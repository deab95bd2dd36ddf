// The application object's radio side: connecting the left radio from the
// devices list, the accessors, the radio restart file and the band limits.

#include <filesystem>
#include <optional>

#include "app/TTalvexApp.h"
#include "data/FixedText.h"
#include "data/TRadioRestartFile.h"
#include "radio/TRadioPair.h"
#include "radio/TRadioStartup.h"
#include "data/TextUtils.h"
#include "platform/MessageSink.h"
#include "platform/SystemError.h"

bool TTalvexApp::ConnectRadio(int radioNumber, const std::string& radioName, const std::string& baud,
                              platform::EventHandle radioEvent, std::string& port,
                              const std::string& radioTag) {
  if (m_radioPair->IsRadioConnected(radioNumber)) return false;
  std::string libraryFile;
  if (!m_radioPairStartup->GetLibraryFileName(radioName, libraryFile)) return false;
  std::string connectionText;
  if (!m_radioPairStartup->GetConnectionText(radioName, baud, connectionText, 59)) {
    platform::ShowMessage("Did not find radio data ");
    return false;
  }
  connectionText = CutText(connectionText + "," + radioTag, 65);
  const std::string libraryPath = CutText(m_files.devicesDir.str() + libraryFile, 260);
  m_radioPair->SetRadioTag(radioNumber, radioTag);
  // The left radio is created whatever the radio number.
  m_radioPair->CreateRadio(1, radioName, libraryPath, connectionText, radioEvent, port, m_options.wantTitleBars);
  if (!m_radioPair->GetRadio(1)) return false;
  if (m_radioPair->GetActiveSide() == 0) m_radioPair->SetActiveRadio(1);
  m_radioPair->RadioSupportsRit(1);
  m_radioPair->RadioSupportsXit(1);
  m_radioPair->SetBandLimitsFile(m_files.radioRestartFile.view());
  const WindowBounds bounds = m_boundsSource ? m_boundsSource() : WindowBounds{};
  SendCenteredFormsInfo(bounds.left, bounds.right, bounds.top, bounds.bottom);
  return true;
}

bool TTalvexApp::IsRadioConnected(int radioNumber) const { return m_radioPair->IsRadioConnected(radioNumber); }
bool TTalvexApp::SetActiveRadio(int radioNumber) { return m_radioPair->SetActiveRadio(radioNumber); }
void TTalvexApp::DisconnectRadio(int radioNumber) { m_radioPair->DisconnectRadio(radioNumber); }
void TTalvexApp::SetLogRequestEvent(int radioNumber, platform::EventHandle event) {
  m_radioPair->SetLogRequestEventHandle(radioNumber, event);
}
int TTalvexApp::SetMessageEvents(int radioNumber, platform::EventHandle startEvent, platform::EventHandle endEvent) {
  m_radioPair->SetMsgEventHandles(radioNumber, startEvent, endEvent);
  return 0;
}
int TTalvexApp::GetMessageId(int radioNumber) { return m_radioPair->GetMsgId(radioNumber); }
void TTalvexApp::SendCenteredFormsInfo(int left, int right, int top, int bottom) {
  m_radioPair->SetCenteredFormsInfo(false, left, right, top, bottom);
}
void TTalvexApp::SetRadioBaudRate(int radioNumber, const std::string& baud) { m_radioPair->SetBaudRate(radioNumber, baud); }
bool TTalvexApp::ReadRadioFrequency(int radioNumber) { return m_radioPair->ReadFrequency(radioNumber); }
bool TTalvexApp::ReadRadioMode(int radioNumber) { return m_radioPair->ReadMode(radioNumber); }
void TTalvexApp::PollKeyerSpeed(int radioNumber) { m_radioPair->RefreshKeyerSpeed(radioNumber); }
std::string TTalvexApp::GetFrequencyText(int radioNumber, std::size_t length) const {
  return m_radioPair->GetFrequencyText(radioNumber, length);
}
std::string TTalvexApp::GetModeText(int radioNumber, std::size_t length) const {
  return m_radioPair->GetModeText(radioNumber, length);
}
bool TTalvexApp::GetPowerText(int radioNumber, std::size_t length, std::string& text) const {
  return m_radioPair->GetPowerText(radioNumber, length, text);
}
void TTalvexApp::SendMessageAt(int radioNumber, int index) { m_radioPair->SendMsgAtIndex(radioNumber, index); }
void TTalvexApp::ShowKeyboard(int radioNumber) { m_options.wantKeyboard = true; m_radioPair->ShowKeyboard(radioNumber); }
void TTalvexApp::HideKeyboard(int radioNumber) { m_options.wantKeyboard = false; m_radioPair->HideKeyboard(radioNumber); }
void TTalvexApp::ShowLogGrid(int radioNumber) { m_options.wantLogGrid = true; m_radioPair->ShowLogGrid(radioNumber); }
void TTalvexApp::HideLogGrid(int radioNumber) { m_options.wantLogGrid = false; m_radioPair->HideLogGrid(radioNumber); }
void TTalvexApp::ShowMessageButtons(int radioNumber) {
  m_options.wantMessageButtons = true;
  m_radioPair->ShowMsgButtons(radioNumber);
}
void TTalvexApp::HideMessageButtons(int radioNumber) {
  m_options.wantMessageButtons = false;
  m_radioPair->HideMsgButtons(radioNumber);
}
void TTalvexApp::ShowTitleBars(int radioNumber) { m_options.wantTitleBars = true; m_radioPair->ShowTitleBars(radioNumber); }
void TTalvexApp::HideTitleBars(int radioNumber) { m_options.wantTitleBars = false; m_radioPair->HideTitleBars(radioNumber); }
void TTalvexApp::TurnOffRadio(int radioNumber) { m_radioPair->TurnOffRadio(radioNumber); }
void TTalvexApp::SetShowMembers(int radioNumber, bool showFoc, bool showCwops) {
  m_radioPair->SetShowMembers(radioNumber, showFoc, showCwops);
}
void TTalvexApp::SetNamesHistoryFile(int radioNumber, const std::string& path) {
  m_radioPair->SetNamesHistoryFile(radioNumber, path);
}
void TTalvexApp::SetLogFile(int radioNumber, const std::string& path, int type) {
  m_radioPair->SetLogFile(radioNumber, path, type == kLogTypeAdif);
}
void TTalvexApp::SetWantsLog(int radioNumber, bool flag) { m_radioPair->SetWantsLog(radioNumber, flag); }
void TTalvexApp::SetDefaultLogFile(int radioNumber, const std::string& path) {
  m_radioPair->SetDefaultLogFile(radioNumber, path);
}
void TTalvexApp::ShowConfig(int radioNumber) { m_radioPair->ShowConfig(radioNumber); }
void TTalvexApp::HideConfigPanel(int radioNumber) { m_radioPair->HideConfigPanel(radioNumber); }
void TTalvexApp::ShowPigKnobConfig(int radioNumber) { m_radioPair->ShowPigKnobConfig(radioNumber); }
void TTalvexApp::AddMacros(int radioNumber) { m_radioPair->AddMacros(radioNumber); }
void TTalvexApp::HideClosePanel(int radioNumber) { m_radioPair->HideClosePanel(radioNumber); }
void TTalvexApp::HideSmallPanel(int radioNumber) { m_radioPair->HideSmallPanel(radioNumber); }
void TTalvexApp::ShowMoreControls(int radioNumber) { m_radioPair->ShowMoreControls(radioNumber); }
void TTalvexApp::GetMacroNames(int radioNumber, std::vector<std::string>& names) {
  names.clear();
  m_radioPair->GetMacroNames(radioNumber, names);
}
void TTalvexApp::RunMacro(const std::string& macro) { m_radioPair->RunMacro(1, macro); }
void TTalvexApp::FocusVfoKnob(int radioNumber, char value) { m_radioPair->FocusVfoKnob(radioNumber, value); }
void TTalvexApp::StopAutoRepeat() { m_radioPair->StopAutoRepeatMessage(); }
void TTalvexApp::SetAutoCq(bool flag) {
  m_options.wantAutoCq = flag;
  m_radioPair->SetAutoRepeatStatus(1, flag);
}
void TTalvexApp::SendAutoCqDelay() { m_radioPair->SetAutoRepeatDelayTime(1, std::to_string(m_options.autoCqDelay)); }
void TTalvexApp::SendBandLimits() { m_radioPair->UpdateBandLimits(); }

void TTalvexApp::SetRadioBaud(const std::string& baud) { m_options.radioBaud = baud; }

std::string TTalvexApp::GetRadioBaud() const { return m_options.radioBaud.str(); }

void TTalvexApp::RefreshRadioBaud(int radioNumber) {
  // "0" is the answer of a library without GETBAUDRATE (and of no radio):
  // it must not replace the baud rate the connection texts are built from.
  const std::string baud = m_radioPair->GetBaudRateText(radioNumber, 6);
  if (baud.empty() || baud == "0") return;
  SetRadioBaud(baud);
}

int TTalvexApp::PollFrequency(int radioNumber) {
  m_radioPair->RefreshFrequency(radioNumber);
  return m_radioPair->GetFrequency(radioNumber);
}

int TTalvexApp::PollOutputPower(int radioNumber) {
  m_radioPair->RefreshOutputPower(radioNumber);
  TRadio* radio = m_radioPair->GetRadio(radioNumber);
  return radio ? radio->GetOutputPower() : 0;
}

int TTalvexApp::PollMode(int radioNumber) {
  m_radioPair->RefreshMode(radioNumber);
  return m_radioPair->GetModeIndex(radioNumber);
}

void TTalvexApp::SetMessageText(int radioNumber, int index, std::string& text) {
  text = UpperCase(text);
  m_radioPair->SetMsgAtIndex(radioNumber, index, text);
}

// ---- band limits and the radio restart file ----

void TTalvexApp::ReloadRadioRestart(int radioNumber) {
  const std::string path = m_files.radioRestartFile.str();
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return;
  m_radioPair->LoadRadioRestart(radioNumber, path);
  m_radioPair->SetBandLimitsFile(path);
  m_radioPair->StoreVFOMemories(radioNumber);
  ReadRadioSettings(path);
  SendBandLimits();
}

void TTalvexApp::ReadRadioSettings(const std::string& path) {
  TRadioRestartFile file(path);
  file.Load();
  for (const auto& text : file.BandLimitTexts()) ApplyBandLimitText(text);
}

void TTalvexApp::ApplyBandLimitText(const std::string& text) {
  const auto pieces = SplitBandLimitText(text);
  if (pieces.size() < 9) return;
  std::array<std::string, 8> limits;
  for (std::size_t i = 0; i < 8; ++i) limits[i] = pieces[i + 1];
  SetBandLimits(pieces[0], limits);
}

TRadioBand* TTalvexApp::FindBand(const std::string& name) {
  for (auto& band : m_bands)
    if (SameText(band.name.view(), name)) return &band;
  return nullptr;
}

const TRadioBand* TTalvexApp::FindBand(const std::string& name) const {
  return const_cast<TTalvexApp*>(this)->FindBand(name);
}

void TTalvexApp::SetBandLimits(const std::string& name, const std::array<std::string, 8>& limits) {
  if (TRadioBand* band = FindBand(name)) band->SetLimits(limits);
  for (const auto& band : m_bands) m_radioPair->SetBandLimits(3, band);
}

bool TTalvexApp::GetBandLimitText(const std::string& name, std::size_t length, std::string& text) const {
  const TRadioBand* band = FindBand(name);
  if (band) text = band->FormatLimits(length);
  return band != nullptr;
}

std::optional<std::array<std::int32_t, 8>> TTalvexApp::BandLimits(const std::string& name) const {
  const TRadioBand* b = FindBand(name);
  if (!b) return std::nullopt;
  return std::array<std::int32_t, 8>{b->fccMin, b->fccMax, b->cwMin, b->cwMax, b->phMin, b->phMax, b->ryMin, b->ryMax};
}

void TTalvexApp::ApplyBandLimits(const std::vector<TBandLimitRow>& rows) {
  for (const TBandLimitRow& row : rows) SetBandLimits(row.name, row.limits);
  WriteRadioRestartFile();
}

bool TTalvexApp::WriteRadioRestartFile() {
  TraceActivity("SAVING RADIO RESTART FILE");
  std::optional<TRadioRestartState> left;
  if (TRadio* radio = m_radioPair->GetRadio(1)) {
    left.emplace();
    left->frequency = m_radioPair->GetFrequency(1);
    left->tuneStep = m_radioPair->GetTuneStep(1);
    left->modeIndex = m_radioPair->GetModeIndex(1);
    m_radioPair->GetRadioTag(1, left->radioTag);
    m_radioPair->FetchVFOMemories(1);
    for (const auto& memory : radio->VFOMemories()) left->vfoMemories.push_back(memory.ToText(TVFOMemory::kTextLength));
  }
  int error = 0;
  const bool written = TRadioRestartFile(m_files.radioRestartFile.str()).Write(left, m_bands, &error);
  if (!written)
    platform::ShowMessage(platform::WithSystemError("Could not write the radio restart file " + m_files.radioRestartFile.str(), error));
  m_radioPair->UpdateBandLimits();
  return written;
}
