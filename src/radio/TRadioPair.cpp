#include "radio/TRadioPair.h"

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

int TRadioPair::GetFrequency(int side) const {
  TRadio* r = Side(side);
  return r ? r->GetFrequency() : 0;
}
int TRadioPair::GetTuneStep(int side) const {
  TRadio* r = Side(side);
  return r ? r->GetTuneStep() : 1;
}
int TRadioPair::GetModeIndex(int side) const {
  TRadio* r = Side(side);
  return r ? r->GetModeIndex() : 0;
}
std::string TRadioPair::GetFrequencyText(int side, std::size_t length) const {
  TRadio* r = Side(side);
  return r ? r->GetFrequencyText(length) : std::string("Idle ...").substr(0, length);
}
std::string TRadioPair::GetModeText(int side, std::size_t length) const {
  TRadio* r = Side(side);
  return r ? r->GetModeText(length) : std::string();
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
void TRadioPair::SetRadioTag(int side, std::string_view tag) {
  if (TRadio* r = Side(side)) r->SetRadioTag(tag);
}
std::vector<TVFOMemory>* TRadioPair::GetVFOMemoryList(int side) const {
  TRadio* r = Side(side);
  return r ? &r->VFOMemories() : nullptr;
}
int TRadioPair::GetMsgId(int side) {
  TRadio* r = Side(side);
  return r ? r->GetMsgId() : -1;
}
bool TRadioPair::ReadFrequency(int side) {
  TRadio* r = Side(side);
  return r && r->ReadFrequency();
}
bool TRadioPair::ReadMode(int side) {
  TRadio* r = Side(side);
  return r && r->ReadMode();
}
bool TRadioPair::RadioSupportsRit(int side) {
  TRadio* r = Side(side);
  return r && r->RadioSupportsRit();
}
bool TRadioPair::RadioSupportsXit(int side) {
  TRadio* r = Side(side);
  return r && r->RadioSupportsXit();
}
void TRadioPair::LoadRadioRestart(int side, const std::string& path) {
  if (TRadio* r = Side(side)) r->LoadRadioRestart(path);
}
void TRadioPair::SetMsgAtIndex(int side, int index, std::string_view text) {
  if (TRadio* r = Side(side)) r->SetMsgAtIndex(index, text);
}
void TRadioPair::SendMsgAtIndex(int side, int index) {
  if (TRadio* r = Side(side)) r->SendMsgAtIndex(index);
}
void TRadioPair::GetMacroNames(int side, std::vector<std::string>& names) {
  if (TRadio* r = Side(side)) r->GetMacroNames(names);
}
void TRadioPair::FocusVfoKnob(int side, char knob) {
  if (TRadio* r = Side(side)) r->FocusVfoKnob(knob);
}
void TRadioPair::SetShowMembers(int side, bool showFoc, bool showCwops) {
  if (TRadio* r = Side(side)) r->SetShowMembers(showFoc, showCwops);
}
void TRadioPair::SetNamesHistoryFile(int side, std::string_view path) {
  if (TRadio* r = Side(side)) r->SetNamesHistoryFile(path);
}
void TRadioPair::SetLogFile(int side, std::string_view path, bool isAdif) {
  if (TRadio* r = Side(side)) r->SetLogFile(path, isAdif);
}
void TRadioPair::SetWantsLog(int side, bool wantsLog) {
  if (TRadio* r = Side(side)) r->SetWantsLog(wantsLog);
}
void TRadioPair::SetDefaultLogFile(int side, std::string_view path) {
  if (TRadio* r = Side(side)) r->SetDefaultLogFile(path);
}

// Operations without arguments that go to the radio of side 1 or 2.
#define TALVEX_SIDE_FORWARD(Name)          \
  void TRadioPair::Name(int side) {        \
    if (TRadio* r = Side(side)) r->Name(); \
  }
TALVEX_SIDE_FORWARD(RefreshFrequency)
TALVEX_SIDE_FORWARD(RefreshOutputPower)
TALVEX_SIDE_FORWARD(RefreshMode)
TALVEX_SIDE_FORWARD(RefreshKeyerSpeed)
TALVEX_SIDE_FORWARD(StoreVFOMemories)
TALVEX_SIDE_FORWARD(FetchVFOMemories)
TALVEX_SIDE_FORWARD(ShowKeyboard)
TALVEX_SIDE_FORWARD(HideKeyboard)
TALVEX_SIDE_FORWARD(ShowLogGrid)
TALVEX_SIDE_FORWARD(HideLogGrid)
TALVEX_SIDE_FORWARD(ShowMsgButtons)
TALVEX_SIDE_FORWARD(HideMsgButtons)
TALVEX_SIDE_FORWARD(ShowTitleBars)
TALVEX_SIDE_FORWARD(HideTitleBars)
TALVEX_SIDE_FORWARD(TurnOffRadio)
TALVEX_SIDE_FORWARD(ShowConfig)
TALVEX_SIDE_FORWARD(ShowPigKnobConfig)
TALVEX_SIDE_FORWARD(AddMacros)
TALVEX_SIDE_FORWARD(HideConfigPanel)
TALVEX_SIDE_FORWARD(HideClosePanel)
TALVEX_SIDE_FORWARD(HideSmallPanel)
TALVEX_SIDE_FORWARD(ShowMoreControls)
#undef TALVEX_SIDE_FORWARD

void TRadioPair::SetLogRequestEventHandle(int side, platform::EventHandle event) {
  for (TRadio* r : Sides123(side)) r->SetLogRequestEventHandle(event);
}
void TRadioPair::SetMsgEventHandles(int side, platform::EventHandle startEvent,
                                    platform::EventHandle overEvent) {
  for (TRadio* r : Sides123(side)) r->SetMsgEventHandles(startEvent, overEvent);
}
void TRadioPair::SetBaudRate(int side, std::string_view baud) {
  for (TRadio* r : Sides123(side)) r->SetBaudRate(baud);
}
void TRadioPair::SetAutoRepeatDelayTime(int side, std::string_view delay) {
  for (TRadio* r : Sides123(side)) r->SetAutoRepeatDelayTime(delay);
}
void TRadioPair::SetAutoRepeatStatus(int side, bool on) {
  for (TRadio* r : Sides123(side)) r->SetAutoRepeatStatus(on);
}
void TRadioPair::RunMacro(int side, std::string_view macroName) {
  for (TRadio* r : Sides123(side)) r->RunMacro(macroName);
}
void TRadioPair::SetBandLimits(int side, const TRadioBand& band) {
  for (TRadio* r : Sides123(side == 1 || side == 2 ? side : 3)) r->SetBandLimits(band);
}

void TRadioPair::SetBandLimitsFile(std::string_view path) {
  for (TRadio* r : Present()) r->SetBandLimitsFile(path);
}
void TRadioPair::UpdateBandLimits() {
  for (TRadio* r : Present()) r->UpdateBandLimits();
}
void TRadioPair::StopAutoRepeatMessage() {
  for (TRadio* r : Present()) r->StopAutoRepeatMessage();
}
void TRadioPair::SetCenteredFormsInfo(bool flag, int left, int right, int top, int bottom) {
  for (TRadio* r : Present()) r->SetCenteredFormsInfo(flag, left, right, top, bottom);
}
