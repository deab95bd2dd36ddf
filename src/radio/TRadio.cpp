#include "radio/TRadio.h"

#include <chrono>
#include <climits>
#include <optional>
#include <thread>
#include <type_traits>
#include <utility>

#include "data/FixedText.h"
#include "data/TLogRecord.h"
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

void TRadio::WaitReadDelay() {
  // The radio is given time to settle before it is asked to read again.
  if (m_readPause)
    m_readPause(kReadDelayMs);
  else
    std::this_thread::sleep_for(std::chrono::milliseconds(kReadDelayMs));
}

bool TRadio::ReadFrequency() {
  if (!m_library) return false;
  WaitReadDelay();
  return m_library->ReadFrequency(m_radioNumber);
}

bool TRadio::ReadMode() {
  if (!m_library) return false;
  WaitReadDelay();
  return m_library->ReadMode(m_radioNumber);
}

std::string TRadio::GetFrequencyText(std::size_t length) const {
  return FrequencyCellText(m_frequency, length);
}

std::string TRadio::GetPowerText(std::size_t length) const {
  return PowerCellText(m_outputPower, length);
}

std::string TRadio::GetModeText(std::size_t length) const {
  const int index = m_modeIndex;
  return ModeCellText(index < 0 || index >= static_cast<int>(m_modeNames.size())
                          ? std::string("None")
                          : m_modeNames[static_cast<std::size_t>(index)],
                      length);
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
    int* member;
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

template <auto kFallback, typename Op, typename... Args>
auto TRadio::Forward(const char* missing, Op op, Args&&... args) {
  using Result = decltype((std::declval<TRadioLib&>().*op)(m_radioNumber, std::forward<Args>(args)...));
  if (!m_library) {
    if (*missing) platform::ShowMessage(missing);
    if constexpr (std::is_void_v<Result>) return;
    else if constexpr (std::is_arithmetic_v<Result>) return static_cast<Result>(kFallback);
    else return Result{};
  }
  return ((*m_library).*op)(m_radioNumber, std::forward<Args>(args)...);
}

namespace {
constexpr const char* kQuiet = "";
}  // namespace

void TRadio::ShowKeyboard() { Forward(kQuiet, &TRadioLib::ShowKeyboard); }
void TRadio::HideKeyboard() { Forward(kQuiet, &TRadioLib::HideKeyboard); }
void TRadio::ShowLogGrid() { Forward(kQuiet, &TRadioLib::ShowLogGrid); }
void TRadio::HideLogGrid() { Forward(kQuiet, &TRadioLib::HideLogGrid); }
void TRadio::ShowMsgButtons() { Forward(kQuiet, &TRadioLib::ShowMsgButtons); }
void TRadio::HideMsgButtons() { Forward(kQuiet, &TRadioLib::HideMsgButtons); }
void TRadio::ShowTitleBars() { Forward(kQuiet, &TRadioLib::ShowTitleBars); }
void TRadio::HideTitleBars() { Forward(kQuiet, &TRadioLib::HideTitleBars); }
void TRadio::TurnOffRadio() { Forward(kQuiet, &TRadioLib::TurnOffRadio); }
void TRadio::ShowConfig() { Forward(kQuiet, &TRadioLib::ShowConfig); }
void TRadio::ShowPigKnobConfig() { Forward(kQuiet, &TRadioLib::ShowPigKnobConfig); }
void TRadio::AddMacros() { Forward(kQuiet, &TRadioLib::AddMacros); }
void TRadio::HideConfigPanel() { Forward(kQuiet, &TRadioLib::HideConfigPanel); }
void TRadio::HideClosePanel() { Forward(kQuiet, &TRadioLib::HideClosePanel); }
void TRadio::HideSmallPanel() { Forward(kQuiet, &TRadioLib::HideSmallPanel); }
void TRadio::ShowMoreControls() { Forward(kQuiet, &TRadioLib::ShowMoreControls); }
void TRadio::StopAutoRepeatMessage() { Forward(kQuiet, &TRadioLib::StopAutoRepeatMessage); }
void TRadio::SetShowMembers(bool showFoc, bool showCwops) {
  Forward(kQuiet, &TRadioLib::SetShowMembers, showFoc, showCwops);
}
void TRadio::SetNamesHistoryFile(std::string_view path) { Forward(kQuiet, &TRadioLib::SetNamesHistoryFile, path); }
void TRadio::SetLogFile(std::string_view path, bool isAdif) { Forward(kQuiet, &TRadioLib::SetLogFile, path, isAdif); }
void TRadio::SetWantsLog(bool wantsLog) { Forward(kQuiet, &TRadioLib::SetWantsLog, wantsLog); }
void TRadio::SetDefaultLogFile(std::string_view path) { Forward(kQuiet, &TRadioLib::SetDefaultLogFile, path); }
void TRadio::SetMsgAtIndex(int index, std::string_view text) { Forward(kQuiet, &TRadioLib::SetMsgAtIndex, index, text); }
void TRadio::SendMsgAtIndex(int index) { Forward(kQuiet, &TRadioLib::SendMsgAtIndex, index); }
void TRadio::FocusVfoKnob(char knob) { Forward(kQuiet, &TRadioLib::FocusVfoKnob, knob); }
void TRadio::GetMacroNames(std::vector<std::string>& names) {
  names.clear();
  Forward(kQuiet, &TRadioLib::GetMacroNames, names);
}
// The library operations that take no radio number.
void TRadio::SetCenteredFormsInfo(bool flag, int left, int right, int top, int bottom) {
  if (m_library) m_library->SetCenteredFormsInfo(flag, left, right, top, bottom);
}
bool TRadio::RadioSupportsRit() { return m_library && m_library->RadioSupportsRit(); }
bool TRadio::RadioSupportsXit() { return m_library && m_library->RadioSupportsXit(); }

// ---- forwarders that report a missing library ----

void TRadio::SetLogRequestEventHandle(platform::EventHandle event) {
  Forward("No radio lib--unable to set log request event handle", &TRadioLib::SetLogRequestEventHandle, event);
}
void TRadio::SetMsgEventHandles(platform::EventHandle startEvent, platform::EventHandle overEvent) {
  Forward("No radio lib--unable to set log request event handle", &TRadioLib::SetMsgEventHandles, startEvent,
          overEvent);
}
int TRadio::GetMsgId() { return Forward<-1>("No radio lib--unable to obtain message ID", &TRadioLib::GetMsgId); }
void TRadio::SetBaudRate(std::string_view baud) {
  Forward("No radio lib--baud rate not changed", &TRadioLib::SetBaudRate, baud);
}
void TRadio::SetAutoRepeatDelayTime(std::string_view delay) {
  Forward("No radio lib--auto repeat delay time not set", &TRadioLib::SetAutoRepeatDelayTime, delay);
}
void TRadio::SetAutoRepeatStatus(bool on) {
  Forward("No radio lib--auto repeat status not set", &TRadioLib::SetAutoRepeatStatus, on);
}
void TRadio::RunMacro(std::string_view macroName) {
  Forward("No radio lib--run macro", &TRadioLib::RunMacro, macroName);
}
