// The application object's radio side: connecting the left radio from the
// devices list, the radio restart file and the band limits.

#include <filesystem>
#include <mutex>
#include <optional>

#include "app/TTalvexApp.h"
#include "data/TRadioRestartFile.h"
#include "data/TextUtils.h"
#include "platform/MessageSink.h"
#include "platform/SystemError.h"

bool TTalvexApp::ConnectRadio(int radioNumber, const std::string& radioName, const std::string& baud,
                              platform::EventHandle radioEvent, std::string& port,
                              const std::string& radioTag) {
  if (m_radioPair.IsRadioConnected(radioNumber)) return false;
  std::string libraryFile;
  if (!m_radioPairStartup.GetLibraryFileName(radioName, libraryFile)) return false;
  std::string connectionText;
  if (!m_radioPairStartup.GetConnectionText(radioName, baud, connectionText, 59)) {
    platform::ShowMessage("Did not find radio data ");
    return false;
  }
  connectionText = (connectionText + "," + radioTag).substr(0, 65);
  const std::string libraryPath = (m_devicesDir.str() + libraryFile).substr(0, 260);
  m_radioPair.SetRadioTag(radioNumber, radioTag);
  // The left radio is created whatever the radio number.
  m_radioPair.CreateRadio(1, radioName, libraryPath, connectionText, radioEvent, port, options.wantTitleBars);
  if (!m_radioPair.GetRadio(1)) return false;
  if (m_radioPair.GetActiveSide() == 0) m_radioPair.SetActiveRadio(1);
  m_radioPair.RadioSupportsRit(1);
  m_radioPair.RadioSupportsXit(1);
  m_radioPair.SetBandLimitsFile(m_radioRestartFile.view());
  const WindowBounds bounds = m_boundsSource ? m_boundsSource() : WindowBounds{};
  SendCenteredFormsInfo(bounds.left, bounds.right, bounds.top, bounds.bottom);
  return true;
}

void TTalvexApp::SetRadioBaud(const std::string& baud) {
  std::lock_guard lock(m_baudMutex);
  options.radioBaud = baud;
}

std::string TTalvexApp::GetRadioBaud() const {
  std::lock_guard lock(m_baudMutex);
  return options.radioBaud.str();
}

void TTalvexApp::RefreshRadioBaud(int radioNumber) {
  // "0" is the answer of a library without GETBAUDRATE (and of no radio):
  // it must not replace the baud rate the connection texts are built from.
  const std::string baud = m_radioPair.GetBaudRateText(radioNumber, 6);
  if (baud.empty() || baud == "0") return;
  SetRadioBaud(baud);
}

int TTalvexApp::PollFrequency(int radioNumber) {
  m_radioPair.RefreshFrequency(radioNumber);
  return m_radioPair.GetFrequency(radioNumber);
}

int TTalvexApp::PollOutputPower(int radioNumber) {
  m_radioPair.RefreshOutputPower(radioNumber);
  TRadio* radio = m_radioPair.GetRadio(radioNumber);
  return radio ? radio->GetOutputPower() : 0;
}

int TTalvexApp::PollMode(int radioNumber) {
  m_radioPair.RefreshMode(radioNumber);
  return m_radioPair.GetModeIndex(radioNumber);
}

void TTalvexApp::SetMessageText(int radioNumber, int index, std::string& text) {
  text = UpperCase(text);
  m_radioPair.SetMsgAtIndex(radioNumber, index, text);
}

// ---- band limits and the radio restart file ----

void TTalvexApp::ReloadRadioRestart(int radioNumber) {
  const std::string path = m_radioRestartFile.str();
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return;
  m_radioPair.LoadRadioRestart(radioNumber, path);
  m_radioPair.SetBandLimitsFile(path);
  m_radioPair.StoreVFOMemories(radioNumber);
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

void TTalvexApp::SetBandLimits(const std::string& name, const std::array<std::string, 8>& limits) {
  for (auto& band : m_bands) {
    if (SameText(band.name.view(), name)) {
      band.SetLimits(limits);
      break;
    }
  }
  for (const auto& band : m_bands) m_radioPair.SetBandLimits(3, band);
}

bool TTalvexApp::GetBandLimitText(const std::string& name, std::size_t length, std::string& text) const {
  for (const auto& band : m_bands) {
    if (SameText(band.name.view(), name)) {
      text = band.FormatLimits(length);
      return true;
    }
  }
  return false;
}

bool TTalvexApp::WriteRadioRestartFile() {
  TraceActivity("SAVING RADIO RESTART FILE");
  std::optional<TRadioRestartState> left;
  if (TRadio* radio = m_radioPair.GetRadio(1)) {
    left.emplace();
    left->frequency = m_radioPair.GetFrequency(1);
    left->tuneStep = m_radioPair.GetTuneStep(1);
    left->modeIndex = m_radioPair.GetModeIndex(1);
    m_radioPair.GetRadioTag(1, left->radioTag);
    m_radioPair.FetchVFOMemories(1);
    for (const auto& memory : radio->VFOMemories()) left->vfoMemories.push_back(memory.ToText(TVFOMemory::kTextLength));
  }
  int error = 0;
  const bool written = TRadioRestartFile(m_radioRestartFile.str()).Write(left, m_bands, &error);
  if (!written)
    platform::ShowMessage(platform::WithSystemError("Could not write the radio restart file " + m_radioRestartFile.str(), error));
  m_radioPair.UpdateBandLimits();
  return written;
}

// ---- the settings operations' questions to the radio side ----

bool TTalvexApp::LeftRadioConnected() const { return m_radioPair.IsRadioConnected(1); }

// The stored expanded message becomes upper case too, as the radio has it.
void TTalvexApp::HandMessageToRadio(int index, const std::string& text) {
  std::string message = text;
  SetMessageText(1, index, message);
  if (index >= 0 && index < static_cast<int>(messages.size())) messages[static_cast<std::size_t>(index)].expanded = message;
}

void TTalvexApp::RefreshLeftRadioBaud() { RefreshRadioBaud(1); }
