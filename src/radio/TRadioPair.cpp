#include "radio/TRadioPair.h"

#include <type_traits>
#include <utility>

void TRadioPair::CreateRadio(int side, std::string_view modelName, std::string_view libraryFile,
                             std::string_view connectionText, platform::EventHandle radioChangeEvent,
                             std::string& port, bool wantTitleBars) {
  if (side != 1 && side != 2) return;
  std::unique_ptr<TRadio>& slot = side == 1 ? m_left : m_right;
  if (slot) {
    slot->Disconnect();
    slot.reset();
  }
  slot = std::make_unique<TRadio>(side, modelName, libraryFile);
  slot->Connect(connectionText, radioChangeEvent, port, wantTitleBars);
}

TRadio* TRadioPair::Side(int side) const {
  return side == 1 ? m_left.get() : side == 2 ? m_right.get() : nullptr;
}

TRadio* TRadioPair::GetRadio(int side) const { return Side(side); }

std::vector<TRadio*> TRadioPair::Sides123(int side) const {
  std::vector<TRadio*> radios;
  if ((side == 1 || side == 3) && m_left) radios.push_back(m_left.get());
  if ((side == 2 || side == 3) && m_right) radios.push_back(m_right.get());
  return radios;
}

std::vector<TRadio*> TRadioPair::Present() const { return Sides123(3); }

bool TRadioPair::IsRadioConnected(int side) const {
  TRadio* radio = Side(side);
  return radio && radio->IsConnected();
}

bool TRadioPair::SetActiveRadio(int side) {
  if (!IsRadioConnected(side)) return false;
  m_activeSide = side;
  return true;
}

void TRadioPair::DisconnectRadio(int side) {
  m_activeSide = 0;
  if (side != 1 && side != 2) return;
  const int other = side == 1 ? 2 : 1;
  if (TRadio* radio = Side(side)) radio->Disconnect();
  if (IsRadioConnected(other)) m_activeSide = other;
}

template <auto kDefault, typename Op, typename... Args>
auto TRadioPair::OnSide(int side, Op op, Args&&... args) const {
  using Result = decltype((std::declval<TRadio&>().*op)(std::forward<Args>(args)...));
  TRadio* radio = Side(side);
  if (!radio) {
    if constexpr (std::is_void_v<Result>) return;
    else if constexpr (std::is_arithmetic_v<Result>) return static_cast<Result>(kDefault);
    else return Result{};
  }
  return (radio->*op)(std::forward<Args>(args)...);
}

template <typename Op, typename... Args>
void TRadioPair::OnEach(const std::vector<TRadio*>& radios, Op op, const Args&... args) {
  for (TRadio* radio : radios) (radio->*op)(args...);
}

int TRadioPair::GetFrequency(int side) const { return OnSide(side, &TRadio::GetFrequency); }
int TRadioPair::GetTuneStep(int side) const { return OnSide<1>(side, &TRadio::GetTuneStep); }
int TRadioPair::GetModeIndex(int side) const { return OnSide(side, &TRadio::GetModeIndex); }
// The texts' defaults are set first and then replaced by the radio's text.
std::string TRadioPair::GetFrequencyText(int side, std::size_t length) const {
  TRadio* r = Side(side);
  return r ? r->GetFrequencyText(length) : std::string("Idle ...").substr(0, length);
}
std::string TRadioPair::GetModeText(int side, std::size_t length) const {
  return OnSide(side, &TRadio::GetModeText, length);
}
bool TRadioPair::GetPowerText(int side, std::size_t length, std::string& text) const {
  TRadio* r = Side(side);
  if (!r) return false;
  text = r->GetPowerText(length);
  return true;
}
std::string TRadioPair::GetBaudRateText(int side, std::size_t length) {
  TRadio* r = Side(side);
  return r ? r->GetBaudRateText(length) : std::string("0").substr(0, length);
}
bool TRadioPair::GetRadioTag(int side, std::string& tag) const {
  TRadio* r = (side == 1 || side == 2) ? Side(side) : (m_left ? m_left.get() : m_right.get());
  if (!r) return false;
  tag = r->GetRadioTag();
  return true;
}
void TRadioPair::SetRadioTag(int side, std::string_view tag) { OnSide(side, &TRadio::SetRadioTag, tag); }
std::vector<TVFOMemory>* TRadioPair::GetVFOMemoryList(int side) const {
  TRadio* r = Side(side);
  return r ? &r->VFOMemories() : nullptr;
}
int TRadioPair::GetMsgId(int side) { return OnSide<-1>(side, &TRadio::GetMsgId); }
bool TRadioPair::ReadFrequency(int side) { return OnSide<false>(side, &TRadio::ReadFrequency); }
bool TRadioPair::ReadMode(int side) { return OnSide<false>(side, &TRadio::ReadMode); }
bool TRadioPair::RadioSupportsRit(int side) { return OnSide<false>(side, &TRadio::RadioSupportsRit); }
bool TRadioPair::RadioSupportsXit(int side) { return OnSide<false>(side, &TRadio::RadioSupportsXit); }
void TRadioPair::RefreshFrequency(int side) { OnSide(side, &TRadio::RefreshFrequency); }
void TRadioPair::RefreshOutputPower(int side) { OnSide(side, &TRadio::RefreshOutputPower); }
void TRadioPair::RefreshMode(int side) { OnSide(side, &TRadio::RefreshMode); }
void TRadioPair::RefreshKeyerSpeed(int side) { OnSide(side, &TRadio::RefreshKeyerSpeed); }
void TRadioPair::LoadRadioRestart(int side, const std::string& path) { OnSide(side, &TRadio::LoadRadioRestart, path); }
void TRadioPair::StoreVFOMemories(int side) { OnSide(side, &TRadio::StoreVFOMemories); }
void TRadioPair::FetchVFOMemories(int side) { OnSide(side, &TRadio::FetchVFOMemories); }
void TRadioPair::SetMsgAtIndex(int side, int index, std::string_view text) {
  OnSide(side, &TRadio::SetMsgAtIndex, index, text);
}
void TRadioPair::SendMsgAtIndex(int side, int index) { OnSide(side, &TRadio::SendMsgAtIndex, index); }
void TRadioPair::GetMacroNames(int side, std::vector<std::string>& names) { OnSide(side, &TRadio::GetMacroNames, names); }
void TRadioPair::FocusVfoKnob(int side, char knob) { OnSide(side, &TRadio::FocusVfoKnob, knob); }
void TRadioPair::ShowKeyboard(int side) { OnSide(side, &TRadio::ShowKeyboard); }
void TRadioPair::HideKeyboard(int side) { OnSide(side, &TRadio::HideKeyboard); }
void TRadioPair::ShowLogGrid(int side) { OnSide(side, &TRadio::ShowLogGrid); }
void TRadioPair::HideLogGrid(int side) { OnSide(side, &TRadio::HideLogGrid); }
void TRadioPair::ShowMsgButtons(int side) { OnSide(side, &TRadio::ShowMsgButtons); }
void TRadioPair::HideMsgButtons(int side) { OnSide(side, &TRadio::HideMsgButtons); }
void TRadioPair::ShowTitleBars(int side) { OnSide(side, &TRadio::ShowTitleBars); }
void TRadioPair::HideTitleBars(int side) { OnSide(side, &TRadio::HideTitleBars); }
void TRadioPair::TurnOffRadio(int side) { OnSide(side, &TRadio::TurnOffRadio); }
void TRadioPair::ShowConfig(int side) { OnSide(side, &TRadio::ShowConfig); }
void TRadioPair::ShowPigKnobConfig(int side) { OnSide(side, &TRadio::ShowPigKnobConfig); }
void TRadioPair::AddMacros(int side) { OnSide(side, &TRadio::AddMacros); }
void TRadioPair::HideConfigPanel(int side) { OnSide(side, &TRadio::HideConfigPanel); }
void TRadioPair::HideClosePanel(int side) { OnSide(side, &TRadio::HideClosePanel); }
void TRadioPair::HideSmallPanel(int side) { OnSide(side, &TRadio::HideSmallPanel); }
void TRadioPair::ShowMoreControls(int side) { OnSide(side, &TRadio::ShowMoreControls); }
void TRadioPair::SetShowMembers(int side, bool showFoc, bool showCwops) {
  OnSide(side, &TRadio::SetShowMembers, showFoc, showCwops);
}
void TRadioPair::SetNamesHistoryFile(int side, std::string_view path) {
  OnSide(side, &TRadio::SetNamesHistoryFile, path);
}
void TRadioPair::SetLogFile(int side, std::string_view path, bool isAdif) {
  OnSide(side, &TRadio::SetLogFile, path, isAdif);
}
void TRadioPair::SetWantsLog(int side, bool wantsLog) { OnSide(side, &TRadio::SetWantsLog, wantsLog); }
void TRadioPair::SetDefaultLogFile(int side, std::string_view path) { OnSide(side, &TRadio::SetDefaultLogFile, path); }

void TRadioPair::SetLogRequestEventHandle(int side, platform::EventHandle event) {
  OnEach(Sides123(side), &TRadio::SetLogRequestEventHandle, event);
}
void TRadioPair::SetMsgEventHandles(int side, platform::EventHandle startEvent,
                                    platform::EventHandle overEvent) {
  OnEach(Sides123(side), &TRadio::SetMsgEventHandles, startEvent, overEvent);
}
void TRadioPair::SetBaudRate(int side, std::string_view baud) { OnEach(Sides123(side), &TRadio::SetBaudRate, baud); }
void TRadioPair::SetAutoRepeatDelayTime(int side, std::string_view delay) {
  OnEach(Sides123(side), &TRadio::SetAutoRepeatDelayTime, delay);
}
void TRadioPair::SetAutoRepeatStatus(int side, bool on) { OnEach(Sides123(side), &TRadio::SetAutoRepeatStatus, on); }
void TRadioPair::RunMacro(int side, std::string_view macroName) { OnEach(Sides123(side), &TRadio::RunMacro, macroName); }
void TRadioPair::SetBandLimits(int side, const TRadioBand& band) {
  OnEach(Sides123(side == 1 || side == 2 ? side : 3), &TRadio::SetBandLimits, band);
}

void TRadioPair::SetBandLimitsFile(std::string_view path) { OnEach(Present(), &TRadio::SetBandLimitsFile, path); }
void TRadioPair::UpdateBandLimits() { OnEach(Present(), &TRadio::UpdateBandLimits); }
void TRadioPair::StopAutoRepeatMessage() { OnEach(Present(), &TRadio::StopAutoRepeatMessage); }
void TRadioPair::SetCenteredFormsInfo(bool flag, int left, int right, int top, int bottom) {
  OnEach(Present(), &TRadio::SetCenteredFormsInfo, flag, left, right, top, bottom);
}
