#pragma once
// The one application object: keeper of every path, option and list that is
// not a window, and the windows' one door to the radios. Created on the main
// thread before any window, destroyed after the message loop.
//
// Operations named after the file they handle are short calls into the
// classes of data/, radio/ and serial/, which do the work and know nothing of
// this class.

#include <array>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "data/FixedText.h"
#include "data/TRadioBand.h"
#include "platform/Event.h"
#include "radio/TRadioPair.h"
#include "radio/TRadioStartup.h"
// settings and data files
#include "data/TContactLog.h"
#include "data/TLogRecord.h"
#include "data/TOperatorList.h"
#include "data/TRestartFile.h"

using PathText = FixedText<260>;

/// One message slot: the template value, the message text and the message
/// expanded for the contact being worked.
struct TMessageSlot {
  FixedText<104> raw;
  FixedText<100> text;
  FixedText<100> expanded;
};

/// Local log type.
enum : int { kLogTypeArrl = 0, kLogTypeAdif = 1 };

/// Indices of the 12 logging grid columns.
enum GridColumn : int {
  kColDate, kColFreq, kColMode, kColPower, kColUtcOn, kColStation,
  kColSentRst, kColRcvdRst, kColUtcOff, kColQth, kColName, kColOrgs, kGridColumns
};

class TTalvexApp {
 public:
  /// Builds the file set from the program path and sets every default. Reads no file.
  TTalvexApp();
  ~TTalvexApp();
  TTalvexApp(const TTalvexApp&) = delete;
  TTalvexApp& operator=(const TTalvexApp&) = delete;

  // ---- start-up and file set ----

  /// Splits the module path into the program directory and builds every path.
  void BuildFileSet(const std::string& modulePath);
  /// The start-up sequence; false when the program must stop without a window
  /// (the user has been told why).
  bool OpenDataFiles();
  /// Reads the ini file; false (after "COULD NOT OPEN INI FILE") when it is missing.
  bool ReadIniFile();
  void ApplyIniEntry(const std::string& key, const std::string& value);
  /// Appends a time-stamped line to the activity file when the trace is on.
  void TraceActivity(const std::string& message);

  // ---- serial ports ----

  /// Fills the serial port list from the port registry; answers how many were found.
  int ListSerialPorts();
  /// Whether the trimmed name is in the serial port list (any case).
  bool IsSerialPortListed(const std::string& name) const;
  const std::vector<std::string>& SerialPorts() const { return m_serialPorts; }
  /// The port table file beside the devices file.
  std::string GetPortsFile() const;

  // ---- paths (copied out, 260 characters) ----

  void GetDevicesDirectory(char* out) const;
  void GetLogsDirectory(char* out) const;
  void GetDocumentsDirectory(char* out) const;
  std::string GetProgramDirectory() const { return m_programDir.str(); }
  std::string GetDevicesDirectory() const { return m_devicesDir.str(); }
  std::string GetLogsDirectory() const { return m_logsDir.str(); }
  std::string GetDocumentsDirectory() const { return m_documentsDir.str(); }
  std::string GetIniFile() const { return m_iniFile.str(); }
  std::string GetRestartFile() const { return m_restartFile.str(); }
  std::string GetActivityFile() const { return m_activityFile.str(); }
  std::string GetRadioRestartFile() const { return m_radioRestartFile.str(); }
  std::string GetDevicesFile() const { return m_devicesFile.str(); }
  std::string GetDefaultLogFile() const { return m_defaultLogFile.str(); }
  std::string GetMessageTemplateFile() const { return m_messageTemplateFile.str(); }
  std::string GetLocalLogFile() const { return options.localLogFile.str(); }
  void SetLocalLogFile(const std::string& path) { options.localLogFile = path; }
  std::string GetUserHelpFile() const { return m_userHelpFile.str(); }
  std::string GetRadioManualFile() const { return m_radioManualFile.str(); }
  std::string GetNamesFile() const { return m_namesFile.str(); }
  std::string GetFreqAllocationFile() const { return m_freqAllocationFile.str(); }
  std::string GetAllocationExtraFile() const { return m_allocationExtraFile.str(); }
  std::string GetAllocationAdvancedFile() const { return m_allocationAdvancedFile.str(); }
  std::string GetAllocationGeneralFile() const { return m_allocationGeneralFile.str(); }
  std::string GetRevisionsUrl() const { return m_revisionsUrl.str(); }
  std::string GetMakerUrl() const { return m_makerUrl.str(); }
  std::string GetProgramUrl() const { return m_programUrl.str(); }
  std::string GetVersion() const { return m_version.str(); }

  int GetLocalLogType() const { return options.localLogAdif ? kLogTypeAdif : kLogTypeArrl; }
  void SetLocalLogType(int type) { options.localLogAdif = type == kLogTypeAdif; }

  // ---- status ----

  bool restartFileRead = false;
  bool namesFileRead = false;
  bool activityTraceOn = false;

  // ---- options persisted by the restart file ----

  /// Every option of the restart file; the windows read and write them here.
  /// The radio baud text is also written by the radio listener thread: use
  /// GetRadioBaud / SetRadioBaud for it.
  TRestartSettings options;
  FixedText<20> radioModel;  // not persisted; "Varo" once connected

  // ---- run-time state ----

  bool localLogWantedAdif = false;
  bool localLogWantedArrl = false;
  /// Copied from the resume dialog's check boxes.
  struct ResumeChoices {
    bool radioPort = false, messageButtons = false, keyboard = false, logGrid = false;
    bool autoCq = false, titleBars = false, sioLog = false, userLog = false;
  } resume;
  bool firstActivation = true;

  /// The contact being worked; the logging grid writes these directly.
  FixedText<30> stationWorked;
  FixedText<3> sentRst;
  FixedText<15> operatorName;

  std::array<TMessageSlot, 6> messages;

  // ---- owned lists ----

  std::vector<TRadioBand>& Bands() { return m_bands; }
  const std::vector<TRadioBand>& Bands() const { return m_bands; }

  // ==== settings and data files (TTalvexApp_Settings.cpp, _Names.cpp, _Logs.cpp) ====

  // ---- restart file and message templates ----

  /// Reads the restart file at start-up; true when it (or the backup that
  /// replaced it) was read. Traces what happened.
  bool ReadRestartFile();
  /// Reads the restart file, falling back to the backup when it has no marker.
  bool LoadRestartFile();
  void ApplyRestartEntry(const std::string& key, const std::string& value);
  /// Replaces the restart file with the current options; false when it
  /// cannot be written (the old file is left as it was).
  bool WriteRestartFile();
  /// The places of the backup restart file, in the order they are tried:
  /// the program directory, then the current directory.
  std::vector<std::string> GetBackupRestartFiles() const;
  /// Fills the message slots from the template file (messages unchanged
  /// when it is missing); its AUTOCQ_DELAY overrides the restart file's.
  void LoadMessageTemplates();
  /// Expands the six messages for the contact being worked and hands them
  /// to the left radio, or asks "Radio not connected - connect now?".
  void UpdateRadioMessages();
  /// One placeholder substitution, at most 100 characters.
  std::string ExpandPlaceholder(std::string_view text, char placeholder,
                                std::string_view value) const;

  // ---- operator names ----

  /// Reads the names file at start-up; false (with a message) when it is missing.
  bool OpenNamesFile();
  /// Reads the names file into the operator list; false when it cannot be read.
  bool LoadNamesFile();
  void AddOrUpdateOperator(std::string_view call, std::string_view name,
                           std::string_view number, std::string_view club);
  /// "name,clubs" of the call ("N/A,N/A" when unknown) with the current show
  /// options, cut to length (the logging grid asks with 23).
  std::string LookupOperator(std::string_view call, std::size_t length = 23) const;
  const TOperatorList& Operators() const { return m_operators; }

  // ---- log files ----

  /// Appends the record line to the default log file; false when it cannot be written.
  bool AppendDefaultLog(const std::string& line);
  /// Appends the contact to the local log file while local logging is
  /// wanted: its record line for ARRL, an ADIF record for ADIF. False when
  /// logging is wanted and the file cannot be written.
  bool AppendLocalLog(const TLogContact& contact);
  /// Logs one contact: builds the record line, appends it to the default
  /// log and the contact to the local log; returns the line (for the serial
  /// I/O log).
  std::string LogContact(const TLogContact& contact);
  std::string GetLocalLogTypeName() const;
  bool IsLocalLogAdif() const { return options.localLogAdif; }
  std::string GetSerialLogFormatName() const;

  // ==== end of settings and data files ====

  // ==== radio side (TTalvexApp_Radio.cpp) ====

  /// Where the main window's bounds come from, for the radio library's
  /// centred forms; zeros until the main window sets it.
  struct WindowBounds {
    int left = 0, right = 0, top = 0, bottom = 0;
  };
  void SetMainWindowBoundsSource(std::function<WindowBounds()> source) { m_boundsSource = std::move(source); }

  /// Finds the radio in the devices list and has the pair create and connect
  /// the left radio; false when already connected, unknown, or without
  /// connection data ("Did not find radio data "). The port name comes back
  /// as the library left it (a library may change it).
  bool ConnectRadio(int radioNumber, const std::string& radioName, const std::string& baud,
                    platform::EventHandle radioEvent, std::string& port,
                    const std::string& radioTag);
  bool IsRadioConnected(int radioNumber) const { return m_radioPair.IsRadioConnected(radioNumber); }
  bool SetActiveRadio(int radioNumber) { return m_radioPair.SetActiveRadio(radioNumber); }
  void DisconnectRadio(int radioNumber) { m_radioPair.DisconnectRadio(radioNumber); }
  void SetLogRequestEvent(int radioNumber, platform::EventHandle event) {
    m_radioPair.SetLogRequestEventHandle(radioNumber, event);
  }
  int SetMessageEvents(int radioNumber, platform::EventHandle startEvent, platform::EventHandle endEvent) {
    m_radioPair.SetMsgEventHandles(radioNumber, startEvent, endEvent);
    return 0;
  }
  int GetMessageId(int radioNumber) { return m_radioPair.GetMsgId(radioNumber); }
  void SendCenteredFormsInfo(int left, int right, int top, int bottom) {
    m_radioPair.SetCenteredFormsInfo(false, left, right, top, bottom);
  }
  void SetRadioBaudRate(int radioNumber, const std::string& baud) { m_radioPair.SetBaudRate(radioNumber, baud); }
  void SetRadioBaud(const std::string& baud);
  std::string GetRadioBaud() const;
  /// Asks the radio for its baud rate and stores it (cut to 6 characters);
  /// an answer of "0" or nothing keeps the stored text.
  void RefreshRadioBaud(int radioNumber);
  void SetRadioModel(const std::string& model) { radioModel = model; }
  void SetRadioComPort(const std::string& port) { options.radioComPort = port; }
  std::string GetRadioComPort() const { return options.radioComPort.str(); }
  bool ReadRadioFrequency(int radioNumber) { return m_radioPair.ReadFrequency(radioNumber); }
  bool ReadRadioMode(int radioNumber) { return m_radioPair.ReadMode(radioNumber); }
  int PollFrequency(int radioNumber);
  int PollOutputPower(int radioNumber);
  int PollMode(int radioNumber);
  void PollKeyerSpeed(int radioNumber) { m_radioPair.RefreshKeyerSpeed(radioNumber); }
  std::string GetFrequencyText(int radioNumber, std::size_t length) const {
    return m_radioPair.GetFrequencyText(radioNumber, length);
  }
  std::string GetModeText(int radioNumber, std::size_t length) const {
    return m_radioPair.GetModeText(radioNumber, length);
  }
  /// False (text untouched) when the radio number has no radio.
  bool GetPowerText(int radioNumber, std::size_t length, std::string& text) const {
    return m_radioPair.GetPowerText(radioNumber, length, text);
  }
  /// Converts the text to upper case, then SETMSGATINDEX.
  void SetMessageText(int radioNumber, int index, std::string& text);
  void SendMessageAt(int radioNumber, int index) { m_radioPair.SendMsgAtIndex(radioNumber, index); }
  void ShowKeyboard(int radioNumber) { options.wantKeyboard = true; m_radioPair.ShowKeyboard(radioNumber); }
  void HideKeyboard(int radioNumber) { options.wantKeyboard = false; m_radioPair.HideKeyboard(radioNumber); }
  void ShowLogGrid(int radioNumber) { options.wantLogGrid = true; m_radioPair.ShowLogGrid(radioNumber); }
  void HideLogGrid(int radioNumber) { options.wantLogGrid = false; m_radioPair.HideLogGrid(radioNumber); }
  void ShowMessageButtons(int radioNumber) { options.wantMessageButtons = true; m_radioPair.ShowMsgButtons(radioNumber); }
  void HideMessageButtons(int radioNumber) { options.wantMessageButtons = false; m_radioPair.HideMsgButtons(radioNumber); }
  void ShowTitleBars(int radioNumber) { options.wantTitleBars = true; m_radioPair.ShowTitleBars(radioNumber); }
  void HideTitleBars(int radioNumber) { options.wantTitleBars = false; m_radioPair.HideTitleBars(radioNumber); }
  void TurnOffRadio(int radioNumber) { m_radioPair.TurnOffRadio(radioNumber); }
  void SetShowMembers(int radioNumber, bool showFoc, bool showCwops) {
    m_radioPair.SetShowMembers(radioNumber, showFoc, showCwops);
  }
  void SetNamesHistoryFile(int radioNumber, const std::string& path) { m_radioPair.SetNamesHistoryFile(radioNumber, path); }
  void SetLogFile(int radioNumber, const std::string& path, int type) {
    m_radioPair.SetLogFile(radioNumber, path, type == kLogTypeAdif);
  }
  void SetWantsLog(int radioNumber, bool flag) { m_radioPair.SetWantsLog(radioNumber, flag); }
  void SetDefaultLogFile(int radioNumber, const std::string& path) { m_radioPair.SetDefaultLogFile(radioNumber, path); }
  void ShowConfig(int radioNumber) { m_radioPair.ShowConfig(radioNumber); }
  void HideConfigPanel(int radioNumber) { m_radioPair.HideConfigPanel(radioNumber); }
  void ShowPigKnobConfig(int radioNumber) { m_radioPair.ShowPigKnobConfig(radioNumber); }
  void AddMacros(int radioNumber) { m_radioPair.AddMacros(radioNumber); }
  void HideClosePanel(int radioNumber) { m_radioPair.HideClosePanel(radioNumber); }
  void HideSmallPanel(int radioNumber) { m_radioPair.HideSmallPanel(radioNumber); }
  void ShowMoreControls(int radioNumber) { m_radioPair.ShowMoreControls(radioNumber); }
  void GetMacroNames(int radioNumber, std::vector<std::string>& names) {
    names.clear();
    m_radioPair.GetMacroNames(radioNumber, names);
  }
  void RunMacro(const std::string& macro) { m_radioPair.RunMacro(1, macro); }
  void FocusVfoKnob(int radioNumber, char value) { m_radioPair.FocusVfoKnob(radioNumber, value); }
  void StopAutoRepeat() { m_radioPair.StopAutoRepeatMessage(); }
  void SetAutoCq(bool flag) { options.wantAutoCq = flag; m_radioPair.SetAutoRepeatStatus(1, flag); }
  void SendAutoCqDelay() { m_radioPair.SetAutoRepeatDelayTime(1, std::to_string(options.autoCqDelay)); }

  TRadioPair& RadioPair() { return m_radioPair; }
  const TRadioPairStartup& RadioPairStartup() const { return m_radioPairStartup; }

  // ---- band limits and the radio restart file ----

  /// After a connection: loads the radio restart file into the radio, its
  /// memories into the library, then the band limits. Nothing without the file.
  void ReloadRadioRestart(int radioNumber);
  /// Reads the BANDLIMIT= lines of a file.
  void ReadRadioSettings(const std::string& path);
  /// The text after "BANDLIMIT="; applied only when all nine pieces are there.
  void ApplyBandLimitText(const std::string& text);
  /// SetLimits on the named band, then every band record to both radios.
  void SetBandLimits(const std::string& name, const std::array<std::string, 8>& limits);
  /// The eight limits of the named band, or false (text untouched) when none has that name.
  bool GetBandLimitText(const std::string& name, std::size_t length, std::string& text) const;
  /// Every radio present takes its band limits (UPDATEBANDLIMITS).
  void SendBandLimits() { m_radioPair.UpdateBandLimits(); }
  /// Replaces the radio restart file: the left radio's state and memories,
  /// the band limits and the marker; then SendBandLimits. False when it
  /// cannot be written (the old file stays).
  bool WriteRadioRestartFile();

  // ==== end of radio side ====

 private:
  // file set
  FixedText<14> m_version;
  PathText m_programDir, m_documentsDir, m_devicesDir, m_logsDir;
  PathText m_iniFile, m_restartFile, m_activityFile, m_radioRestartFile, m_devicesFile;
  PathText m_defaultLogFile, m_messageTemplateFile, m_localLogFile;
  PathText m_userHelpFile, m_radioManualFile, m_namesFile, m_freqAllocationFile;
  PathText m_allocationExtraFile, m_allocationAdvancedFile, m_allocationGeneralFile;
  PathText m_revisionsUrl, m_makerUrl, m_programUrl;


  // owned objects, created in this order
  std::vector<std::string> m_serialPorts;
  TRadioPair m_radioPair;
  TRadioPairStartup m_radioPairStartup;
  std::vector<TRadioBand> m_bands;
  std::function<WindowBounds()> m_boundsSource;

  // ==== settings and data files ====
  TOperatorList m_operators;
  TContactLog m_contactLog;
  /// The options with the radio baud text read under its lock.
  TRestartSettings GetRestartSettings() const;
  void TakeRestartSettings(const TRestartSettings& settings);
  mutable std::mutex m_baudMutex;

  // ---- radio hooks: the data operations' questions to the radio side ----
  // Implemented in TTalvexApp_RadioHooks.cpp; the radio side fills them.
  /// Whether the left radio (radio number 1) is connected.
  bool LeftRadioConnected() const;
  /// Hands expanded message index (0 to 5) to the left radio.
  void HandMessageToRadio(int index, const std::string& text);
  /// Stores the left radio's current baud rate as the radio baud text.
  void RefreshLeftRadioBaud();
  // ==== end of settings and data files ====
};

/// The one application object; set by the entry point before the file check,
/// cleared after the object is destroyed.
extern TTalvexApp* TalvexApp;
