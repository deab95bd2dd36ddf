#pragma once
// The left (side 1) and right (side 2) radio, and which of them is active.
// Every operation names a side and goes to that side's radio, or answers a
// fixed default when the side has no radio; a few take side 3 for both.
//
// Threads: main thread only (platform/HandOver.h), so the pair takes no
// lock. A disconnected radio stays in the pair, so a step that comes after
// the disconnect finds a radio without a library and gets neutral answers.

#include <memory>
#include <string>
#include <vector>

#include "data/TRadioBand.h"
#include "radio/TRadio.h"

class TRadioPair {
 public:
  TRadioPair() = default;
  /// Destroys the radios that exist, without disconnecting them.
  ~TRadioPair() = default;
  TRadioPair(const TRadioPair&) = delete;
  TRadioPair& operator=(const TRadioPair&) = delete;

  // ---- radio life ----

  /// Side 1 or 2: disconnects and replaces that side's radio, then connects
  /// the new one. The outcome is read with IsRadioConnected afterwards.
  void CreateRadio(int side, std::string_view modelName, std::string_view libraryFile,
                   std::string_view connectionText, platform::EventHandle radioChangeEvent,
                   std::string& port, bool wantTitleBars);
  TRadio* GetRadio(int side) const;
  bool IsRadioConnected(int side) const;
  int GetActiveSide() const { return m_activeSide; }
  /// Makes a connected side active; false otherwise.
  bool SetActiveRadio(int side);
  /// Disconnects the side's radio (it stays in the pair); the other side
  /// becomes active when it is connected.
  void DisconnectRadio(int side);

  // ---- per side (1 or 2), with the defaults without a radio ----

  int GetFrequency(int side) const;        // 0
  int GetTuneStep(int side) const;         // 1
  int GetModeIndex(int side) const;        // 0
  std::string GetFrequencyText(int side, std::size_t length) const;  // "Idle ..."
  std::string GetModeText(int side, std::size_t length) const;       // empty
  /// False (and text untouched) without a radio.
  bool GetPowerText(int side, std::size_t length, std::string& text) const;
  std::string GetBaudRateText(int side, std::size_t length);         // "0"
  /// Side 1, 2; any other side gives the left radio's, else the right's. False without.
  bool GetRadioTag(int side, std::string& tag) const;
  void SetRadioTag(int side, std::string_view tag);
  std::vector<TVFOMemory>* GetVFOMemoryList(int side) const;  // null
  int GetMsgId(int side);                                     // -1
  bool ReadFrequency(int side);
  bool ReadMode(int side);
  bool RadioSupportsRit(int side);
  bool RadioSupportsXit(int side);
  void RefreshFrequency(int side);
  void RefreshOutputPower(int side);
  void RefreshMode(int side);
  void RefreshKeyerSpeed(int side);
  void LoadRadioRestart(int side, const std::string& path);
  void StoreVFOMemories(int side);
  void FetchVFOMemories(int side);
  void SetMsgAtIndex(int side, int index, std::string_view text);
  void SendMsgAtIndex(int side, int index);
  void GetMacroNames(int side, std::vector<std::string>& names);
  void FocusVfoKnob(int side, char knob);
  void ShowKeyboard(int side);
  void HideKeyboard(int side);
  void ShowLogGrid(int side);
  void HideLogGrid(int side);
  void ShowMsgButtons(int side);
  void HideMsgButtons(int side);
  void ShowTitleBars(int side);
  void HideTitleBars(int side);
  void TurnOffRadio(int side);
  void ShowConfig(int side);
  void ShowPigKnobConfig(int side);
  void AddMacros(int side);
  void HideConfigPanel(int side);
  void HideClosePanel(int side);
  void HideSmallPanel(int side);
  void ShowMoreControls(int side);
  void SetShowMembers(int side, bool showFoc, bool showCwops);
  void SetNamesHistoryFile(int side, std::string_view path);
  void SetLogFile(int side, std::string_view path, bool isAdif);
  void SetWantsLog(int side, bool wantsLog);
  void SetDefaultLogFile(int side, std::string_view path);

  // ---- sides 1, 2 or 3 (both, left first) ----

  void SetLogRequestEventHandle(int side, platform::EventHandle event);
  void SetMsgEventHandles(int side, platform::EventHandle startEvent, platform::EventHandle overEvent);
  void SetBaudRate(int side, std::string_view baud);
  void SetAutoRepeatDelayTime(int side, std::string_view delay);
  void SetAutoRepeatStatus(int side, bool on);
  void RunMacro(int side, std::string_view macroName);
  /// Side 1 or 2; any other side addresses both.
  void SetBandLimits(int side, const TRadioBand& band);

  // ---- every radio present, left first ----

  void SetBandLimitsFile(std::string_view path);
  void UpdateBandLimits();
  void StopAutoRepeatMessage();
  void SetCenteredFormsInfo(bool flag, int left, int right, int top, int bottom);

 private:
  /// Calls the operation on the radio of side 1 or 2; without one, answers
  /// kDefault (an empty value for a result that is not a number, nothing
  /// for an operation without a result).
  template <auto kDefault = 0, typename Op, typename... Args>
  auto OnSide(int side, Op op, Args&&... args) const;
  /// Calls the operation on each of the radios, in order.
  template <typename Op, typename... Args>
  static void OnEach(const std::vector<TRadio*>& radios, Op op, const Args&... args);

  /// The radio of side 1 or 2, else null.
  TRadio* Side(int side) const;
  /// The radios addressed by side 1, 2 or 3 (both, left first).
  std::vector<TRadio*> Sides123(int side) const;
  std::vector<TRadio*> Present() const;

  std::unique_ptr<TRadio> m_left;
  std::unique_ptr<TRadio> m_right;
  int m_activeSide = 0;
};
