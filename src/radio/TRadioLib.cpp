#include "radio/TRadioLib.h"

#include <cstring>
#include <filesystem>
#include <type_traits>

#include "platform/MessageSink.h"
#include "platform/ProgramPath.h"

// The contract's prototypes and the pointer types the table uses must agree.
#define TALVEX_CHECK_EXPORT_SHAPE(NAME)                                   \
  static_assert(std::is_same_v<RadioFn_##NAME, decltype(&NAME)>, \
                #NAME " has a different shape in the prototype and the function table");
RADIO_LIBRARY_CALLED_EXPORTS(TALVEX_CHECK_EXPORT_SHAPE)
#undef TALVEX_CHECK_EXPORT_SHAPE

namespace {

void Show(const char* text) { platform::ShowMessage(text); }

// The fixed answer of an export whose absence goes unreported.
constexpr const char* kSilent = "";

// One optional export: calls it when the library has it, else tells the
// fixed message (none when it is kSilent). True when it was called.
template <typename Fn, typename... Args>
bool CallOrTell(Fn fn, const char* missing, Args... args) {
  if (fn) {
    fn(args...);
    return true;
  }
  if (*missing) Show(missing);
  return false;
}

// An export that answers through its first, out-parameter: the answer, or
// the neutral value (after the message, if any) without the export.
template <typename T, typename Fn, typename... Args>
T AnswerOrTell(Fn fn, const char* missing, T neutral, Args... args) {
  T value = neutral;
  return CallOrTell(fn, missing, &value, args...) ? value : neutral;
}

// One text buffer handed to a library: at most N characters, terminated.
// Each call of the export that takes it overwrites it in place, so a
// pointer the library kept still points at a terminated text.
template <std::size_t N>
struct LibraryText {
  char text[N + 1] = {};
  char* Set(std::string_view value) {
    const std::size_t n = value.size() < N ? value.size() : N;
    if (n > 0) std::memmove(text, value.data(), n);
    text[n] = '\0';
    return text;
  }
};

}  // namespace

struct TRadioLib::LibraryTexts {
  static constexpr std::size_t kMessageSlots = 6;

  LibraryText<kPortBufferSize - 1> port;  // the library may change the name in place
  LibraryText<kConnectionTextLength> connection;
  LibraryText<kPathLength> directory;
  LibraryText<kPathLength> namesFile;
  LibraryText<kPathLength> logFile;
  LibraryText<kPathLength> defaultLogFile;
  LibraryText<kPathLength> bandLimitsFile;
  LibraryText<kMessageLength> messages[kMessageSlots];
  LibraryText<kMessageLength> otherMessage;  // an index outside the six slots
  LibraryText<kMacroNameLength> macro;
  LibraryText<kBaudTextLength> baud;
  LibraryText<kDelayTextLength> delay;
  LibraryText<TVFOMemory::kTextLength> vfoMemory;

  char* Message(int index, std::string_view text) {
    if (index >= 0 && index < static_cast<int>(kMessageSlots)) return messages[index].Set(text);
    return otherMessage.Set(text);
  }
};

// Libraries whose binding went away without unloading them. They stay loaded
// to the end of the process, reachable, so nothing runs in unmapped code,
// and so do the texts they were handed. Main thread only, as every binding.
void TRadioLib::KeepLoaded(platform::Module module, std::unique_ptr<LibraryTexts> texts) {
  struct Kept {
    platform::Module module;
    std::unique_ptr<LibraryTexts> texts;
  };
  static auto* kept = new std::vector<Kept>;
  kept->push_back(Kept{std::move(module), std::move(texts)});
}

TRadioLib::TRadioLib(std::string_view libraryFileName)
    : m_libraryFileName(libraryFileName), m_texts(std::make_unique<LibraryTexts>()) {
  if (m_libraryFileName.view().find(".dll") == std::string_view::npos) m_libraryFileName += ".dll";
}

TRadioLib::~TRadioLib() {
  ClearFunctionTable();
  if (m_module.IsLoaded()) KeepLoaded(std::move(m_module), std::move(m_texts));
}

bool TRadioLib::LoadRadioLib() {
  if (m_loaded) return true;
  std::error_code ec;
  std::filesystem::path path(m_libraryFileName.str());
  if (!std::filesystem::exists(path, ec) || std::filesystem::is_directory(path, ec)) {
    platform::ShowMessage("ERROR: Missing DLL " + m_libraryFileName.str());
    return false;
  }
  m_loaded = false;
  // A bare name would send the loader to its search path; load the file that
  // was just found in the current directory instead.
  std::string loadPath = m_libraryFileName.str();
  if (loadPath.find('/') == std::string::npos) loadPath = "./" + loadPath;
  m_module = platform::Module::Load(loadPath);
  if (m_module.IsLoaded()) m_loaded = true;
  ResolveFunctions();
  return true;
}

bool TRadioLib::ResolveFunctions() {
  if (!m_loaded) {
    Show("Must first load DLL library");
    return false;
  }
  bool all = true;
#define TALVEX_RESOLVE_EXPORT(NAME, Mixed)                                  \
  p##Mixed = reinterpret_cast<RadioFn_##NAME>(m_module.Symbol(#NAME)); \
  all = all && p##Mixed != nullptr;
  RADIO_LIBRARY_EXPORTS(TALVEX_RESOLVE_EXPORT)
#undef TALVEX_RESOLVE_EXPORT
  return all;
}

void TRadioLib::UnloadRadioLib() {
  // The pointers would point into unmapped code once the library is gone.
  ClearFunctionTable();
  m_module.Unload();
  m_loaded = false;
}

void TRadioLib::ClearFunctionTable() {
#define TALVEX_CLEAR_EXPORT(NAME, Mixed) p##Mixed = nullptr;
  RADIO_LIBRARY_EXPORTS(TALVEX_CLEAR_EXPORT)
#undef TALVEX_CLEAR_EXPORT
}

template <typename Fn>
std::string TRadioLib::FillText(int length, Fn&& call) {
  if (length < 0) length = 0;
  std::string buffer(static_cast<std::size_t>(length) + 1, '\0');
  call(static_cast<std::int32_t>(length), buffer.data());
  buffer[static_cast<std::size_t>(length)] = '\0';  // a library that filled it all
  buffer.resize(std::char_traits<char>::length(buffer.c_str()));
  return buffer;
}

template <typename CountFn, typename TextFn>
void TRadioLib::ReadNames(int radioNumber, CountFn count, TextFn text, int length,
                          std::vector<std::string>& names) {
  names.clear();
  if (!count || !text) return;
  std::int32_t n = 0;
  count(&n, radioNumber);
  // A garbage count must not mean two billion calls at connection.
  if (n > kMaxListCount) n = kMaxListCount;
  for (std::int32_t i = 0; i < n; ++i) {
    names.push_back(FillText(length, [&](std::int32_t len, char* buffer) {
      text(len, buffer, i, radioNumber);
    }));
  }
}

// ---- Connection -------------------------------------------------------------

bool TRadioLib::ConnectRadio(int radioNumber, std::string_view connectionText,
                             platform::EventHandle radioChangeEvent, std::string& port,
                             bool wantTitleBars) {
  if (!LoadRadioLib()) {
    Show("Failure loading the RadioLib");
    return false;
  }
  if (!pConnectRadio) {
    Show("Library function pConnectRadio not found");
    return false;
  }
  CallOrTell(pInitTitleBarFlag, "Library function pInitTitleBarFlag not found", RadioFlag(wantTitleBars ? 1 : 0));
  char* portBuffer = m_texts->port.Set(port);
  pConnectRadio(portBuffer, radioChangeEvent, m_texts->connection.Set(connectionText), radioNumber);
  portBuffer[kPortBufferSize - 1] = '\0';
  port = portBuffer;

  std::string directory = m_libraryFileName.str();
  std::size_t separator = directory.rfind(platform::kPathSeparator);
  if (separator != std::string::npos) directory.resize(separator);
  CallOrTell(pSetRadioDirectory, kSilent, m_texts->directory.Set(directory));
  return true;
}

void TRadioLib::DisconnectRadio(int radioNumber) {
  if (radioNumber < 1 || radioNumber > 2) {
    Show("Invalid radio ID");
    return;
  }
  if (!pDisconnectRadio) return;
  pDisconnectRadio(radioNumber);
  UnloadRadioLib();
}

void TRadioLib::SetLogRequestEventHandle(int radioNumber, platform::EventHandle event) {
  CallOrTell(pSetLogRequestEventHandle, "Library function pSetLogRequestEventHandle not found", event, radioNumber);
}

void TRadioLib::SetMsgEventHandles(int radioNumber, platform::EventHandle msgStartEvent,
                                   platform::EventHandle msgOverEvent) {
  CallOrTell(pSetMsgEventHandles, "Library function pSetMsgEventHandles not found", msgOverEvent, msgStartEvent,
             radioNumber);
}

// ---- Radio state ------------------------------------------------------------

int TRadioLib::GetFrequency(int radioNumber) {
  return AnswerOrTell<std::int32_t>(pGetFrequency, kSilent, 0, radioNumber);
}
bool TRadioLib::ReadFrequency(int radioNumber) {
  return CallOrTell(pReadFrequency, "Library function pReadFrequency not found", radioNumber);
}
int TRadioLib::GetOutputPower(int radioNumber) {
  return AnswerOrTell<std::int32_t>(pGetOutputPower, kSilent, 0, radioNumber);
}
bool TRadioLib::GetRitIsOn(int radioNumber) {
  return AnswerOrTell<RadioFlag>(pGetRitIsOn, "Library function pGetRitIsOn not found", 0, radioNumber) != 0;
}
bool TRadioLib::GetXitIsOn(int radioNumber) {
  return AnswerOrTell<RadioFlag>(pGetXitIsOn, "Library function pGetXitIsOn not found", 0, radioNumber) != 0;
}
int TRadioLib::GetRitFreq(int radioNumber) {
  return AnswerOrTell<std::int32_t>(pGetRitFreq, "Library function pGetRitFreq not found", 0, radioNumber);
}
int TRadioLib::GetXitFreq(int radioNumber) {
  return AnswerOrTell<std::int32_t>(pGetXitFreq, "Library function pGetXitFreq not found", 0, radioNumber);
}
bool TRadioLib::RadioSupportsRit() {
  return AnswerOrTell<RadioFlag>(pSupportsRit, "RadioSupportsRit function is not available", 0) != 0;
}
bool TRadioLib::RadioSupportsXit() {
  return AnswerOrTell<RadioFlag>(pSupportsXit, "RadioSupportsXit function is not available", 0) != 0;
}
int TRadioLib::GetMode(int radioNumber) { return AnswerOrTell<std::int32_t>(pGetMode, kSilent, 0, radioNumber); }
bool TRadioLib::ReadMode(int radioNumber) {
  return CallOrTell(pReadMode, "Library function pReadMode not found", radioNumber);
}
void TRadioLib::GetModeNames(int radioNumber, std::vector<std::string>& names) {
  ReadNames(radioNumber, pGetNumModes, pGetModeNameAtIndex, kModeNameLength, names);
}
int TRadioLib::GetKeyerSpeed(int radioNumber) {
  return AnswerOrTell<std::int32_t>(pGetKeyerSpeed, kSilent, 0, radioNumber);
}
void TRadioLib::SetBaudRate(int radioNumber, std::string_view baud) {
  CallOrTell(pSetBaudRate, "Library function pSetBaudRate not found", m_texts->baud.Set(baud), radioNumber);
}

std::string TRadioLib::GetBaudRate(int radioNumber, int length) {
  if (!pGetBaudRate) return std::string("0").substr(0, length > 0 ? 1 : 0);
  return FillText(length, [&](std::int32_t len, char* buffer) {
    pGetBaudRate(len, buffer, radioNumber);
  });
}

void TRadioLib::FocusVfoKnob(int radioNumber, char knob) { CallOrTell(pFocusVfoKnob, kSilent, knob, radioNumber); }

// ---- VFO memories, messages, macros -----------------------------------------

void TRadioLib::StoreVFOMemory(int radioNumber, std::string_view memoryText) {
  CallOrTell(pStoreVFOMemory, "Function StoreVFOMemory not found in DLL", m_texts->vfoMemory.Set(memoryText),
             radioNumber);
}

void TRadioLib::GetVFOMemories(int radioNumber, std::vector<TVFOMemory>& memories) {
  std::vector<std::string> texts;
  ReadNames(radioNumber, pGetNumVFOMemories, pGetVFOMemoryAtIndex,
            static_cast<int>(TVFOMemory::kTextLength), texts);
  memories.clear();
  for (const std::string& text : texts) memories.push_back(TVFOMemory::FromText(text));
}

void TRadioLib::SetMsgAtIndex(int radioNumber, int index, std::string_view text) {
  CallOrTell(pSetMsgAtIndex, "SetMsgAtIndex is not available", m_texts->Message(index, text), index, radioNumber);
}
void TRadioLib::SendMsgAtIndex(int radioNumber, int index) {
  CallOrTell(pSendMsgAtIndex, "SendMsgAtIndex is not available", index, radioNumber);
}
int TRadioLib::GetMsgId(int radioNumber) { return AnswerOrTell<std::int32_t>(pGetMsgId, kSilent, -1, radioNumber); }
void TRadioLib::StopAutoRepeatMessage(int radioNumber) { CallOrTell(pStopAutoRepeatMessage, kSilent, radioNumber); }
void TRadioLib::SetAutoRepeatDelayTime(int radioNumber, std::string_view delay) {
  CallOrTell(pSetAutoRepeatDelayTime, kSilent, m_texts->delay.Set(delay), radioNumber);
}
void TRadioLib::SetAutoRepeatStatus(int radioNumber, bool on) {
  CallOrTell(pSetAutoRepeatStatus, kSilent, RadioFlag(on ? 1 : 0), radioNumber);
}
void TRadioLib::RunMacro(int radioNumber, std::string_view macroName) {
  CallOrTell(pRunMacro, kSilent, m_texts->macro.Set(macroName), radioNumber);
}

void TRadioLib::GetMacroNames(int radioNumber, std::vector<std::string>& names) {
  ReadNames(radioNumber, pGetNumMacros, pGetMacroNameAtIndex, kMacroNameLength, names);
}

// ---- The library's panels, dialogs and options ------------------------------

void TRadioLib::ShowKeyboard(int r) { CallOrTell(pShowKeyboard, "Keyboard is not available", r); }
void TRadioLib::HideKeyboard(int r) { CallOrTell(pHideKeyboard, "Hide Keyboard is not available", r); }
void TRadioLib::ShowLogGrid(int r) {
  CallOrTell(pShowLogGrid, "Logging grid is not available on the radio panel", r);
}
void TRadioLib::HideLogGrid(int r) {
  CallOrTell(pHideLogGrid, "Hide logging grid is not available for this radio", r);
}
void TRadioLib::ShowMsgButtons(int r) { CallOrTell(pShowMsgButtons, "Message buttons are not available", r); }
void TRadioLib::HideMsgButtons(int r) { CallOrTell(pHideMsgButtons, "Hide Message buttons is not available", r); }
void TRadioLib::ShowTitleBars(int r) { CallOrTell(pShowTitleBars, kSilent, r); }
void TRadioLib::HideTitleBars(int r) { CallOrTell(pHideTitleBars, kSilent, r); }
void TRadioLib::TurnOffRadio(int r) { CallOrTell(pTurnOffRadio, "The Turn off radio function is not available", r); }
void TRadioLib::ShowConfig(int r) { CallOrTell(pShowConfig, "Configuration display is not available", r); }
void TRadioLib::ShowPigKnobConfig(int r) {
  CallOrTell(pShowPigKnobConfig, "Pig Knob configuration display is not available", r);
}
void TRadioLib::AddMacros(int r) { CallOrTell(pAddMacros, "Add macros dialog is not available", r); }
void TRadioLib::HideConfigPanel(int r) {
  CallOrTell(pHideConfigPanel, "Hide configuration panel is not available", r);
}
void TRadioLib::HideClosePanel(int r) { CallOrTell(pHideClosePanel, "Hide close panel is not available", r); }
void TRadioLib::HideSmallPanel(int r) { CallOrTell(pHideSmallPanel, "Hide small panel is not available", r); }
void TRadioLib::ShowMoreControls(int r) {
  CallOrTell(pShowMoreControls, "More controls function is not available", r);
}

void TRadioLib::SetShowMembers(int radioNumber, bool showFoc, bool showCwops) {
  CallOrTell(pSetShowMembers, kSilent, RadioFlag(showCwops ? 1 : 0), RadioFlag(showFoc ? 1 : 0), radioNumber);
}
void TRadioLib::SetNamesHistoryFile(int radioNumber, std::string_view path) {
  CallOrTell(pSetNamesHistoryFile, kSilent, m_texts->namesFile.Set(path), radioNumber);
}
void TRadioLib::SetLogFile(int radioNumber, std::string_view path, bool isAdif) {
  CallOrTell(pSetLogFile, kSilent, RadioFlag(isAdif ? 1 : 0), m_texts->logFile.Set(path), radioNumber);
}
void TRadioLib::SetWantsLog(int radioNumber, bool wantsLog) {
  CallOrTell(pSetWantsLog, kSilent, RadioFlag(wantsLog ? 1 : 0), radioNumber);
}
void TRadioLib::SetDefaultLogFile(int radioNumber, std::string_view path) {
  CallOrTell(pSetDefaultLogFile, kSilent, m_texts->defaultLogFile.Set(path), radioNumber);
}
void TRadioLib::UpdateBandLimits() {
  CallOrTell(pUpdateBandLimits, kSilent, m_texts->bandLimitsFile.Set(m_bandLimitsFile.view()));
}
void TRadioLib::SetCenteredFormsInfo(bool flag, int left, int right, int top, int bottom) {
  CallOrTell(pSetCenteredFormsInfo, kSilent, bottom, top, right, left, RadioFlag(flag ? 1 : 0));
}
