#include "radio/TRadio.h"

#include <chrono>
#include <climits>
#include <optional>
#include <thread>

#include "data/TRadioRestartFile.h"
#include "data/TextUtils.h"
#include "platform/MessageSink.h"

namespace {

// A whole decimal number (leading blanks and a sign allowed) that fits an
// int; nothing for anything else.
std::optional<int> WholeNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i == text.size()) return std::nullopt;
  long long value = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    value = value * 10 + (text[i] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) return std::nullopt;
  }
  value = negative ? -value : value;
  if (value > INT_MAX || value < INT_MIN) return std::nullopt;
  return static_cast<int>(value);
}

// The log modes of the mode names the libraries use.
std::string LogModeOf(const std::string& modeName) {
  for (const char* ph : {"USB", "LSB"})
    if (SameText(modeName, ph)) return "PH";
  for (const char* cw : {"CW", "UCW", "LCW", "CW-R", "CW-N", "CWR", "CWN"})
    if (SameText(modeName, cw)) return "CW";
  for (const char* ry : {"FSK", "FSR", "RTTY"})
    if (SameText(modeName, ry)) return "RY";
  return modeName;
}

}  // namespace

TRadio::TRadio(int radioNumber, std::string_view modelName, std::string_view libraryFile)
    : m_radioNumber(radioNumber),
      m_libraryFile(libraryFile),
      m_modelName(modelName),
      m_bands(DefaultBands()) {}

TRadio::~TRadio() = default;

int TRadio::Connect(std::string_view connectionText, platform::EventHandle radioChangeEvent,
                    std::string& port, bool wantTitleBars) {
  m_library = std::make_unique<TRadioLib>(m_libraryFile.view());
  if (!m_library->ConnectRadio(m_radioNumber, connectionText, radioChangeEvent, port, wantTitleBars))
    return 2;
  m_library->GetModeNames(m_radioNumber, m_modeNames);
  m_library->GetMacroNames(m_radioNumber, m_macroNames);
  m_supportsRit = m_library->RadioSupportsRit();
  m_supportsXit = m_library->RadioSupportsXit();
  return 0;
}

void TRadio::Disconnect() {
  if (!m_library) return;
  m_library->DisconnectRadio(m_radioNumber);
  m_library.reset();
}

bool TRadio::IsConnected() const { return m_library && m_library->IsLoaded(); }

void TRadio::RefreshFrequency() {
  if (!m_library) return;
  m_frequency = m_library->GetFrequency(m_radioNumber);
  if (m_supportsRit) {
    m_ritOn = m_library->GetRitIsOn(m_radioNumber);
    m_ritOffset = m_library->GetRitFreq(m_radioNumber);
  }
  if (m_supportsXit) {
    m_xitOn = m_library->GetXitIsOn(m_radioNumber);
    m_xitOffset = m_library->GetXitFreq(m_radioNumber);
  }
}

void TRadio::RefreshOutputPower() {
  if (m_library) m_outputPower = m_library->GetOutputPower(m_radioNumber);
}

void TRadio::RefreshMode() {
  if (m_library) m_modeIndex = m_library->GetMode(m_radioNumber);
}

void TRadio::RefreshKeyerSpeed() {
  m_keyerSpeed = m_library ? m_library->GetKeyerSpeed(m_radioNumber) : 0;
}

bool TRadio::ReadFrequency() {
  if (!m_library) return false;
  std::this_thread::sleep_for(std::chrono::milliseconds(m_readDelayMs));
  return m_library->ReadFrequency(m_radioNumber);
}

bool TRadio::ReadMode() {
  if (!m_library) return false;
  std::this_thread::sleep_for(std::chrono::milliseconds(m_readDelayMs));
  return m_library->ReadMode(m_radioNumber);
}

std::string TRadio::GetFrequencyText(std::size_t length) const {
  const int hz = m_frequency;
  const std::string text = hz >= 1000000000 ? "Too large" : std::to_string(hz / 1000);
  return text.substr(0, length);
}

std::string TRadio::GetPowerText(std::size_t length) const {
  const int power = m_outputPower;
  const std::string text = power >= 1000 ? "Too large" : std::to_string(power);
  return text.substr(0, length);
}

std::string TRadio::GetModeText(std::size_t length) const {
  const int index = m_modeIndex;
  const std::string name = index < 0 || index >= static_cast<int>(m_modeNames.size())
                               ? std::string("None")
                               : m_modeNames[static_cast<std::size_t>(index)].substr(0, 5);
  return LogModeOf(name).substr(0, length);
}

std::string TRadio::GetBaudRateText(std::size_t length) {
  if (!m_library) return std::string("0").substr(0, length);
  return m_library->GetBaudRate(m_radioNumber, static_cast<int>(length));
}

void TRadio::SetBandLimitsFile(std::string_view path) {
  m_bandLimitsFile = path;
  if (m_library) m_library->SetBandLimitsFile(path);
}

void TRadio::UpdateBandLimits() {
  if (m_library) m_library->UpdateBandLimits();
}

void TRadio::SetBandLimits(const TRadioBand& band) {
  for (auto& mine : m_bands) {
    if (SameText(mine.name.view(), band.name.view())) {
      mine.ParseLimits(band.FormatLimits(200));
      return;
    }
  }
}

void TRadio::StoreVFOMemories() {
  if (!m_library) return;
  for (const auto& memory : m_vfoMemories)
    m_library->StoreVFOMemory(m_radioNumber, memory.ToText(TVFOMemory::kTextLength));
}

void TRadio::FetchVFOMemories() {
  if (m_library) m_library->GetVFOMemories(m_radioNumber, m_vfoMemories);
}

void TRadio::LoadRadioRestart(const std::string& path) {
  if (m_radioNumber != 1 && m_radioNumber != 2) return;
  TRadioRestartFile file(path);
  file.Load();
  struct Key {
    const char* name;
    std::atomic<int>* member;
  };
  for (Key key : {Key{"FREQUENCY", &m_frequency}, Key{"TUNESTEP", &m_tuneStep}, Key{"MODE", &m_modeIndex}}) {
    const std::string value = file.Value(TRadioRestartFile::RadioKey(m_radioNumber, key.name));
    if (value.empty()) continue;
    // A value that is not a whole number keeps the radio's value for that key.
    if (auto number = WholeNumber(value)) *key.member = *number;
  }
  for (const auto& text : file.VFOMemoryTexts(m_radioNumber)) m_vfoMemories.push_back(TVFOMemory::FromText(text));
}

// ---- forwarders ----

#define TALVEX_FORWARD(Name)                      \
  void TRadio::Name() {                           \
    if (m_library) m_library->Name(m_radioNumber); \
  }
TALVEX_FORWARD(ShowKeyboard)
TALVEX_FORWARD(HideKeyboard)
TALVEX_FORWARD(ShowLogGrid)
TALVEX_FORWARD(HideLogGrid)
TALVEX_FORWARD(ShowMsgButtons)
TALVEX_FORWARD(HideMsgButtons)
TALVEX_FORWARD(ShowTitleBars)
TALVEX_FORWARD(HideTitleBars)
TALVEX_FORWARD(TurnOffRadio)
TALVEX_FORWARD(ShowConfig)
TALVEX_FORWARD(ShowPigKnobConfig)
TALVEX_FORWARD(AddMacros)
TALVEX_FORWARD(HideConfigPanel)
TALVEX_FORWARD(HideClosePanel)
TALVEX_FORWARD(HideSmallPanel)
TALVEX_FORWARD(ShowMoreControls)
TALVEX_FORWARD(StopAutoRepeatMessage)
#undef TALVEX_FORWARD

void TRadio::SetShowMembers(bool showFoc, bool showCwops) {
  if (m_library) m_library->SetShowMembers(m_radioNumber, showFoc, showCwops);
}
void TRadio::SetNamesHistoryFile(std::string_view path) {
  if (m_library) m_library->SetNamesHistoryFile(m_radioNumber, path);
}
void TRadio::SetLogFile(std::string_view path, bool isAdif) {
  if (m_library) m_library->SetLogFile(m_radioNumber, path, isAdif);
}
void TRadio::SetWantsLog(bool wantsLog) {
  if (m_library) m_library->SetWantsLog(m_radioNumber, wantsLog);
}
void TRadio::SetDefaultLogFile(std::string_view path) {
  if (m_library) m_library->SetDefaultLogFile(m_radioNumber, path);
}
void TRadio::SetMsgAtIndex(int index, std::string_view text) {
  if (m_library) m_library->SetMsgAtIndex(m_radioNumber, index, text);
}
void TRadio::SendMsgAtIndex(int index) {
  if (m_library) m_library->SendMsgAtIndex(m_radioNumber, index);
}
void TRadio::FocusVfoKnob(char knob) {
  if (m_library) m_library->FocusVfoKnob(m_radioNumber, knob);
}
void TRadio::SetCenteredFormsInfo(bool flag, int left, int right, int top, int bottom) {
  if (m_library) m_library->SetCenteredFormsInfo(flag, left, right, top, bottom);
}
bool TRadio::RadioSupportsRit() { return m_library && m_library->RadioSupportsRit(); }
bool TRadio::RadioSupportsXit() { return m_library && m_library->RadioSupportsXit(); }

void TRadio::GetMacroNames(std::vector<std::string>& names) {
  names.clear();
  if (m_library) m_library->GetMacroNames(m_radioNumber, names);
}

// ---- forwarders that report a missing library ----

void TRadio::SetLogRequestEventHandle(platform::EventHandle event) {
  if (!m_library) return platform::ShowMessage("No radio lib--unable to set log request event handle");
  m_library->SetLogRequestEventHandle(m_radioNumber, event);
}
void TRadio::SetMsgEventHandles(platform::EventHandle startEvent, platform::EventHandle overEvent) {
  if (!m_library) return platform::ShowMessage("No radio lib--unable to set log request event handle");
  m_library->SetMsgEventHandles(m_radioNumber, startEvent, overEvent);
}
int TRadio::GetMsgId() {
  if (!m_library) {
    platform::ShowMessage("No radio lib--unable to obtain message ID");
    return -1;
  }
  return m_library->GetMsgId(m_radioNumber);
}
void TRadio::SetBaudRate(std::string_view baud) {
  if (!m_library) return platform::ShowMessage("No radio lib--baud rate not changed");
  m_library->SetBaudRate(m_radioNumber, baud);
}
void TRadio::SetAutoRepeatDelayTime(std::string_view delay) {
  if (!m_library) return platform::ShowMessage("No radio lib--auto repeat delay time not set");
  m_library->SetAutoRepeatDelayTime(m_radioNumber, delay);
}
void TRadio::SetAutoRepeatStatus(bool on) {
  if (!m_library) return platform::ShowMessage("No radio lib--auto repeat status not set");
  m_library->SetAutoRepeatStatus(m_radioNumber, on);
}
void TRadio::RunMacro(std::string_view macroName) {
  if (!m_library) return platform::ShowMessage("No radio lib--run macro");
  m_library->RunMacro(m_radioNumber, macroName);
}
