#pragma once
// One transceiver as the program sees it: its radio number, the library that
// drives it, and the last known state cached for display and for the radio
// restart file. The radio pair is its only caller.
//
// Threads: main thread only (platform/HandOver.h).

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "data/FixedText.h"
#include "data/TRadioBand.h"
#include "platform/Event.h"
#include "radio/TRadioLib.h"
#include "radio/TVFOMemory.h"

class TRadio {
 public:
  static constexpr int kReadDelayMs = 250;

  /// Stores the number, model name (cut to 29) and library file (cut to 260);
  /// loads nothing.
  TRadio(int radioNumber, std::string_view modelName, std::string_view libraryFile);
  /// Destroys the library object without disconnecting it.
  ~TRadio();
  TRadio(const TRadio&) = delete;
  TRadio& operator=(const TRadio&) = delete;

  /// How the radio waits its read delay: a sleep on the calling thread
  /// unless a test records the wait instead.
  void SetReadPause(std::function<void(int ms)> pause) { m_readPause = std::move(pause); }

  // ---- connection ----

  /// 0 connected; 1 no library object; 2 the library did not connect (it
  /// stays with the radio). Fills the mode and macro names and RIT/XIT support.
  int Connect(std::string_view connectionText, platform::EventHandle radioChangeEvent,
              std::string& port, bool wantTitleBars);
  /// Disconnects and forgets the library; cached values stay.
  void Disconnect();
  /// Connected means the library is loaded.
  bool IsConnected() const;

  // ---- cached state, refreshed on each radio change ----

  void RefreshFrequency();
  void RefreshOutputPower();
  void RefreshMode();
  void RefreshKeyerSpeed();
  /// Wait the read delay, then ask the library to read; false without a library.
  bool ReadFrequency();
  bool ReadMode();

  // ---- texts, cut to length ----

  std::string GetFrequencyText(std::size_t length) const;
  std::string GetPowerText(std::size_t length) const;
  /// The log mode: PH, CW, RY, the mode name itself, or "None".
  std::string GetModeText(std::size_t length) const;
  std::string GetBaudRateText(std::size_t length);

  // ---- accessors ----

  int GetRadioNumber() const { return m_radioNumber; }
  int GetFrequency() const { return m_frequency; }
  void SetFrequency(int hz) { m_frequency = hz; }
  int GetOutputPower() const { return m_outputPower; }
  int GetRitOffset() const { return m_ritOffset; }
  int GetXitOffset() const { return m_xitOffset; }
  bool GetRitOn() const { return m_ritOn; }
  bool GetXitOn() const { return m_xitOn; }
  bool SupportsRit() const { return m_supportsRit; }
  bool SupportsXit() const { return m_supportsXit; }
  int GetTuneStep() const { return m_tuneStep; }
  void SetTuneStep(int step) { m_tuneStep = step; }
  int GetKeyerSpeed() const { return m_keyerSpeed; }
  int GetModeIndex() const { return m_modeIndex; }
  void SetModeIndex(int index) { m_modeIndex = index; }
  std::string GetRadioTag() const { return m_radioTag.str(); }
  void SetRadioTag(std::string_view tag) { m_radioTag = tag; }
  std::string GetModelName() const { return m_modelName.str(); }
  std::string GetLibraryFile() const { return m_libraryFile.str(); }
  std::string GetBandLimitsFile() const { return m_bandLimitsFile.str(); }
  const std::vector<std::string>& ModeNames() const { return m_modeNames; }
  const std::vector<std::string>& MacroNames() const { return m_macroNames; }
  std::vector<TVFOMemory>& VFOMemories() { return m_vfoMemories; }
  const std::vector<TRadioBand>& Bands() const { return m_bands; }
  TRadioLib* Library() { return m_library.get(); }

  /// Into the radio and, when there is one, its library (260 characters each).
  void SetBandLimitsFile(std::string_view path);
  void UpdateBandLimits();
  /// Copies the record's limits into this radio's band of the same name (any case).
  void SetBandLimits(const TRadioBand& band);

  // ---- VFO memories and the radio restart file ----

  void StoreVFOMemories();
  void FetchVFOMemories();
  /// Reads this radio's keys (LEFT_ for radio 1, RIGHT_ for radio 2). A value
  /// that is not a whole number keeps the current value.
  void LoadRadioRestart(const std::string& path);

  // ---- forwarders: nothing (or false) without a library ----

  void ShowKeyboard();
  void HideKeyboard();
  void ShowLogGrid();
  void HideLogGrid();
  void ShowMsgButtons();
  void HideMsgButtons();
  void ShowTitleBars();
  void HideTitleBars();
  void TurnOffRadio();
  void ShowConfig();
  void ShowPigKnobConfig();
  void AddMacros();
  void HideConfigPanel();
  void HideClosePanel();
  void HideSmallPanel();
  void ShowMoreControls();
  void SetShowMembers(bool showFoc, bool showCwops);
  void SetNamesHistoryFile(std::string_view path);
  void SetLogFile(std::string_view path, bool isAdif);
  void SetWantsLog(bool wantsLog);
  void SetDefaultLogFile(std::string_view path);
  void SetMsgAtIndex(int index, std::string_view text);
  void SendMsgAtIndex(int index);
  void StopAutoRepeatMessage();
  void FocusVfoKnob(char knob);
  void SetCenteredFormsInfo(bool flag, int left, int right, int top, int bottom);
  bool RadioSupportsRit();
  bool RadioSupportsXit();
  /// Clears the list, then fills it from the library when there is one.
  void GetMacroNames(std::vector<std::string>& names);

  // ---- forwarders that report a missing library ----

  void SetLogRequestEventHandle(platform::EventHandle event);
  void SetMsgEventHandles(platform::EventHandle startEvent, platform::EventHandle overEvent);
  int GetMsgId();
  void SetBaudRate(std::string_view baud);
  void SetAutoRepeatDelayTime(std::string_view delay);
  void SetAutoRepeatStatus(bool on);
  void RunMacro(std::string_view macroName);

 private:
  void WaitReadDelay();
  /// Calls the library's operation with this radio's number before args;
  /// without a library, tells the missing message (none when empty) and
  /// answers kFallback (an empty value for a result that is not a number,
  /// nothing for an operation without a result).
  template <auto kFallback = 0, typename Op, typename... Args>
  auto Forward(const char* missing, Op op, Args&&... args);

  const int m_radioNumber;
  int m_frequency = 14030;
  int m_outputPower = 0;
  int m_ritOffset = 0;
  int m_xitOffset = 0;
  int m_tuneStep = 100;
  std::function<void(int ms)> m_readPause;
  bool m_ritOn = false;
  bool m_xitOn = false;
  bool m_supportsRit = false;
  bool m_supportsXit = false;
  FixedText<4> m_radioTag{"NRND"};
  int m_keyerSpeed = 30;
  int m_modeIndex = 0;
  FixedText<260> m_libraryFile;
  FixedText<260> m_bandLimitsFile;
  FixedText<29> m_modelName;
  std::vector<std::string> m_modeNames;
  std::vector<std::string> m_macroNames;
  std::unique_ptr<TRadioLib> m_library;
  std::vector<TVFOMemory> m_vfoMemories;
  std::vector<TRadioBand> m_bands;
};
