#pragma once
// The binding to one radio library: loads the library file, keeps one
// function pointer per export of the contract (src/radiolib/RadioLibrary.h)
// and calls them with a check each. A missing export never stops the program:
// each operation then shows its own fixed message or answers a neutral value.
//
// Threads: main thread only (platform/HandOver.h; radiolib/RadioLibrary.h
// for library authors), so no call can race an unload and the binding takes
// no lock.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "data/FixedText.h"
#include "platform/Event.h"
#include "platform/Module.h"
#include "radio/TVFOMemory.h"
#include "radiolib/RadioLibrary.h"

class TRadioLib {
 public:
  static constexpr std::size_t kPathLength = 260;
  /// The port buffer handed to CONNECTRADIO: a port name and its terminator.
  static constexpr std::size_t kPortBufferSize = 7;
  static constexpr int kMacroNameLength = 30;
  static constexpr int kModeNameLength = 9;
  static constexpr int kConnectionTextLength = 64;
  /// The widest texts the binding hands a library: longer ones are cut here.
  static constexpr std::size_t kMessageLength = 100;
  static constexpr std::size_t kBaudTextLength = 10;
  static constexpr std::size_t kDelayTextLength = 10;
  /// At most this many mode names, macro names or VFO memories are read,
  /// whatever count a library answers.
  static constexpr int kMaxListCount = 256;

  /// Stores the library file name (at most 260 characters); a name that does
  /// not contain ".dll" (case-sensitive, anywhere) gains it. Loads nothing.
  explicit TRadioLib(std::string_view libraryFileName);
  /// Forgets the function table but leaves the library loaded: a library that
  /// was never told to disconnect may still run threads in its code. The
  /// owner unloads through DisconnectRadio first.
  ~TRadioLib();
  TRadioLib(const TRadioLib&) = delete;
  TRadioLib& operator=(const TRadioLib&) = delete;

  /// Loads the library once and resolves its exports. False only when the
  /// file does not exist ("ERROR: Missing DLL " + name). A file that exists
  /// but does not load still answers true, with every pointer null.
  bool LoadRadioLib();
  /// Looks up every export; true only when all 94 were found.
  bool ResolveFunctions();
  /// Releases the library and clears the function table.
  void UnloadRadioLib();
  bool IsLoaded() const { return m_loaded; }
  /// The path UpdateBandLimits hands to the library (at most 260 characters).
  void SetBandLimitsFile(std::string_view path) { m_bandLimitsFile = path; }

  const FixedText<kPathLength>& LibraryFileName() const { return m_libraryFileName; }
  const FixedText<kPathLength>& BandLimitsFile() const { return m_bandLimitsFile; }

  // ---- Connection ----------------------------------------------------------

  /// Loads the library, then INITTITLEBARFLAG, CONNECTRADIO and
  /// SETRADIODIRECTORY. The port name goes to the library in a 7-byte buffer
  /// and comes back as the library left it (at most 6 characters). The
  /// connection text is cut to 64 characters. False when the library is
  /// missing or lacks CONNECTRADIO.
  bool ConnectRadio(int radioNumber, std::string_view connectionText,
                    platform::EventHandle radioChangeEvent, std::string& port,
                    bool wantTitleBars);
  /// DISCONNECTRADIO, then unloads. Radio numbers other than 1 and 2 are
  /// refused with "Invalid radio ID"; without the export nothing happens and
  /// the library stays loaded.
  void DisconnectRadio(int radioNumber);
  void SetLogRequestEventHandle(int radioNumber, platform::EventHandle event);
  /// Hands both message events; the export takes the over event first.
  void SetMsgEventHandles(int radioNumber, platform::EventHandle msgStartEvent,
                          platform::EventHandle msgOverEvent);

  // ---- Radio state ---------------------------------------------------------

  /// Frequency in Hz; 0 without the export.
  int GetFrequency(int radioNumber);
  bool ReadFrequency(int radioNumber);
  int GetOutputPower(int radioNumber);
  bool GetRitIsOn(int radioNumber);
  bool GetXitIsOn(int radioNumber);
  int GetRitFreq(int radioNumber);
  int GetXitFreq(int radioNumber);
  bool RadioSupportsRit();
  bool RadioSupportsXit();
  /// Index of the current mode in the mode names; 0 without the export.
  int GetMode(int radioNumber);
  bool ReadMode(int radioNumber);
  /// Clears the list, then fills it with the library's mode names in index order.
  void GetModeNames(int radioNumber, std::vector<std::string>& names);
  int GetKeyerSpeed(int radioNumber);
  void SetBaudRate(int radioNumber, std::string_view baud);
  /// The baud rate text, at most length characters; "0" (cut to the length)
  /// without the export.
  std::string GetBaudRate(int radioNumber, int length);
  void FocusVfoKnob(int radioNumber, char knob);

  // ---- VFO memories, messages, macros --------------------------------------

  void StoreVFOMemory(int radioNumber, std::string_view memoryText);
  /// Clears the list, then fills it from the library; empty when either
  /// export is missing.
  void GetVFOMemories(int radioNumber, std::vector<TVFOMemory>& memories);
  void SetMsgAtIndex(int radioNumber, int index, std::string_view text);
  void SendMsgAtIndex(int radioNumber, int index);
  /// The slot being sent, or -1.
  int GetMsgId(int radioNumber);
  void StopAutoRepeatMessage(int radioNumber);
  void SetAutoRepeatDelayTime(int radioNumber, std::string_view delay);
  void SetAutoRepeatStatus(int radioNumber, bool on);
  void RunMacro(int radioNumber, std::string_view macroName);
  /// Clears the list, then fills it with the macro names in index order.
  void GetMacroNames(int radioNumber, std::vector<std::string>& names);

  // ---- The library's panels, dialogs and options ---------------------------

  void ShowKeyboard(int radioNumber);
  void HideKeyboard(int radioNumber);
  void ShowLogGrid(int radioNumber);
  void HideLogGrid(int radioNumber);
  void ShowMsgButtons(int radioNumber);
  void HideMsgButtons(int radioNumber);
  void ShowTitleBars(int radioNumber);
  void HideTitleBars(int radioNumber);
  void TurnOffRadio(int radioNumber);
  void ShowConfig(int radioNumber);
  void ShowPigKnobConfig(int radioNumber);
  void AddMacros(int radioNumber);
  void HideConfigPanel(int radioNumber);
  void HideClosePanel(int radioNumber);
  void HideSmallPanel(int radioNumber);
  void ShowMoreControls(int radioNumber);
  /// The export takes the CWOps flag first.
  void SetShowMembers(int radioNumber, bool showFoc, bool showCwops);
  void SetNamesHistoryFile(int radioNumber, std::string_view path);
  /// The export takes (flag, path, radio).
  void SetLogFile(int radioNumber, std::string_view path, bool isAdif);
  void SetWantsLog(int radioNumber, bool wantsLog);
  void SetDefaultLogFile(int radioNumber, std::string_view path);
  /// Hands the band-limits file member to UPDATEBANDLIMITS.
  void UpdateBandLimits();
  /// The export takes (bottom, top, right, left, flag).
  void SetCenteredFormsInfo(bool flag, int left, int right, int top, int bottom);

 private:
  /// The buffers of every text handed to the library (defined in the source).
  struct LibraryTexts;
  /// Keeps a library that is still loaded, and its texts, to the end of the process.
  static void KeepLoaded(platform::Module module, std::unique_ptr<LibraryTexts> texts);

  void ClearFunctionTable();
  /// Calls a text-filling export into a buffer of length + 1 and returns the text.
  template <typename Fn>
  static std::string FillText(int length, Fn&& call);
  template <typename CountFn, typename TextFn>
  static void ReadNames(int radioNumber, CountFn count, TextFn text, int length,
                        std::vector<std::string>& names);

  FixedText<kPathLength> m_libraryFileName;
  FixedText<kPathLength> m_bandLimitsFile;
  bool m_loaded = false;
  platform::Module m_module;
  /// A library may keep any text pointer it is given, so the texts live in
  /// buffers of their own, as long as the library stays loaded (a library
  /// left loaded keeps them to the end of the process).
  std::unique_ptr<LibraryTexts> m_texts;
  // The function table, one pointer per export in table order, named after
  // the export ("p" + its mixed-case name, e.g. pConnectRadio).
#define TALVEX_RADIO_FUNCTION_MEMBER(NAME, Mixed) RadioFn_##NAME p##Mixed = nullptr;
  RADIO_LIBRARY_EXPORTS(TALVEX_RADIO_FUNCTION_MEMBER)
#undef TALVEX_RADIO_FUNCTION_MEMBER
};
