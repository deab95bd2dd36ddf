#pragma once
// The one application object: keeper of every path, option and list that is
// not a window, and the windows' one door to the radios. Created on the main
// thread before any window, destroyed after the message loop.
//
// Operations named after the file they handle are short calls into the
// classes of data/, radio/ and serial/, which do the work and know nothing of
// this class. The objects it owns are declared, not included, so a form that
// includes this header gets neither the radio library contract nor a system
// header; a form that drives the pair directly includes radio/TRadioPair.h.
//
// Main thread only (the thread rule, platform/HandOver.h); every call into a
// radio library is made from here.

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "data/FixedText.h"
#include "data/TFileSet.h"
#include "data/TLogLine.h"
#include "data/TProgramDirectory.h"
#include "data/TLogRecord.h"
#include "data/TMessageTemplates.h"
#include "data/TRadioBand.h"
#include "data/TRestartFile.h"
#include "app/TWindowApp.h"
#include "platform/Event.h"

class TContactLog;
class TNetLogger;
struct TSioLogSettings;
class TOperatorList;
class TRadioPair;
class TRadioPairStartup;

/// The logging grid's columns are the cells of a logged contact, in grid
/// order: one enumeration (LogCell, data/TLogRecord.h). The kCol names are
/// the grid's spelling of the same values.
using GridColumn = LogCell;
inline constexpr GridColumn kColDate = kCellDate, kColFreq = kCellFreq, kColMode = kCellMode,
                            kColPower = kCellPower, kColUtcOn = kCellUtcOn, kColStation = kCellStation,
                            kColSentRst = kCellSentRst, kColRcvdRst = kCellRcvdRst,
                            kColUtcOff = kCellUtcOff, kColQth = kCellQth, kColName = kCellName,
                            kColOrgs = kCellOrgs, kGridColumns = kLogCells;

class TTalvexApp : public TWindowApp {
 public:
  /// Builds the file set from the program path and sets every default. Reads no file.
  TTalvexApp();
  ~TTalvexApp() override;
  TTalvexApp(const TTalvexApp&) = delete;
  TTalvexApp& operator=(const TTalvexApp&) = delete;

  // ---- start-up and file set ----

  /// Splits the module path into the program directory and builds every path.
  void BuildFileSet(const std::string& modulePath) { m_files.Build(modulePath); }
  /// The start-up sequence; false when the program must stop without a window
  /// (the user has been told why). A per-user program directory is filled
  /// from the installed data set first.
  bool OpenDataFiles();
  /// Reads the ini file; false (after "COULD NOT OPEN INI FILE") when it is missing.
  bool ReadIniFile();
  void ApplyIniEntry(const std::string& key, const std::string& value) { m_files.ApplyIniEntry(key, value); }
  /// Appends a time-stamped line to the activity file when the trace is on.
  void TraceActivity(const std::string& message);

  // ---- serial ports ----

  /// Fills the serial port list from the port registry; answers how many were found.
  int ListSerialPorts();
  /// Whether the trimmed name is in the serial port list (any case).
  bool IsSerialPortListed(const std::string& name) const;
  const std::vector<std::string>& SerialPorts() const override { return m_serialPorts; }
  /// The port table file beside the devices file.

  // ---- paths and options ----

  const TFileSet& Files() const override { return m_files; }
  std::string GetLocalLogFile() const { return m_options.localLogFile.str(); }
  void SetLocalLogFile(const std::string& path) { m_options.localLogFile = path; }

  int GetLocalLogType() const { return m_options.localLogAdif ? kLogTypeAdif : kLogTypeArrl; }
  void SetLocalLogType(int type) { m_options.localLogAdif = type == kLogTypeAdif; }

  // ---- status ----

  /// Whether the names file was read at start-up.
  bool NamesFileRead() const { return m_namesFileRead; }
  /// Switches the activity trace on or off (the tests switch it on).
  void SetActivityTrace(bool on) { m_activityTraceOn = on; }

  // ---- options persisted by the restart file ----

  /// Every option of the restart file; the windows change them through the
  /// named operations below.
  const TRestartSettings& Options() const override { return m_options; }
  void SetDisplayOption(TDisplayOption option, bool on) override;
  /// The FOC and CWOps display flags, kept for the names lookup and the restart file.
  void SetMemberDisplay(bool showFoc, bool showCwops) {
    m_options.showFocMembers = showFoc;
    m_options.showCwopMembers = showCwops;
  }
  void SetColumnWidths(const std::array<int, 12>& widths) { m_options.columnWidths = widths; }
  void RememberPanels(const TResumeChoice& choice) override;
  /// The serial I/O logging part of the options (serial/TSioLogSettings.h).
  TSioLogSettings SioLogSettings() const override;
  void StoreSioLogSettings(const TSioLogSettings& settings) override;
  void ChangeLocalLog(const std::string& file, int type) override;

  // ---- run-time state ----

  /// True once: at the window's first activation.
  bool TakeFirstActivation() override { return std::exchange(m_firstActivation, false); }
  bool RestartFileRead() const override { return m_restartFileRead; }
  /// Local logging on (in the stored format) or off.
  void SetLocalLogging(bool on) {
    m_localLogWantedAdif = on && IsLocalLogAdif();
    m_localLogWantedArrl = on && !IsLocalLogAdif();
  }
  bool LocalLogging() const { return m_localLogWantedAdif || m_localLogWantedArrl; }

  /// The contact in progress: the logging grid's cells and the details the
  /// messages are filled from.
  TLogLine& LogLine() override { return m_logLine; }
  const TLogLine& LogLine() const { return m_logLine; }

  /// The six message slots (data/TMessageTemplates.h).
  const TMessageSlots& Messages() const override { return m_messages; }

  // ---- owned lists ----

  std::vector<TRadioBand>& Bands() { return m_bands; }
  const std::vector<TRadioBand>& Bands() const { return m_bands; }

  // ---- restart file and message templates (TTalvexApp_Settings.cpp) ----

  /// Reads the restart file at start-up; true when it (or the backup that
  /// replaced it) was read. Traces what happened.
  bool ReadRestartFile();
  void ApplyRestartEntry(const std::string& key, const std::string& value);
  /// Replaces the restart file with the current options; false when it
  /// cannot be written (the old file is left as it was).
  bool WriteRestartFile() override;
  /// The places of the backup restart file, in the order they are tried:
  /// the program directory, then the current directory.
  std::vector<std::string> GetBackupRestartFiles() const;
  /// Fills the message slots from the template file (messages unchanged
  /// when it is missing); its AUTOCQ_DELAY overrides the restart file's.
  void LoadMessageTemplates();
  /// LoadMessageTemplates, then the delay to the left radio.
  void TemplateUpdated() override;
  /// Expands the six messages for the contact being worked and hands them
  /// to the left radio, or asks "Radio not connected - connect now?". True
  /// when the user answered Yes (the caller runs the connect command).
  bool UpdateRadioMessages();
  /// Expands the six messages and hands them to the left radio; false (the
  /// texts expanded all the same) when it is not connected.
  bool LoadRadioMessages();
  /// "Radio not connected - connect now?"; true for Yes.
  bool AskToConnectRadio();
  /// One placeholder substitution, at most 100 characters.
  std::string ExpandPlaceholder(std::string_view text, char placeholder,
                                std::string_view value) const;

  // ---- operator names (TTalvexApp_Names.cpp) ----

  /// Reads the names file into the operator list; false when it cannot be read.
  bool LoadNamesFile() override;
  /// "name,clubs" of the call ("N/A,N/A" when unknown) with the current show
  /// options, cut to length (the logging grid asks with 23).
  std::string LookupOperator(std::string_view call, std::size_t length = 23) const override;
  const TOperatorList& Operators() const { return *m_operators; }

  // ---- log files (TTalvexApp_Logs.cpp) ----

  /// Logs the log line at the moment utc to the default and local logs and
  /// hands its record line to sendSerial (TLogLine::Log).
  TLogLine::Logged LogTheQso(double utc, const std::function<void(const std::string&)>& sendSerial) override;
  /// From the default log as indexed at start-up and since (what a radio
  /// library's grid logged included), with the log line's FREQ and MODE.
  TWorkedSummary WorkedBefore(std::string_view call) override;
  bool MayCloseWithContact(bool endRequested) override;
  std::string GetLocalLogTypeName() const;
  bool IsLocalLogAdif() const { return m_options.localLogAdif; }
  std::string GetSerialLogFormatName() const;

  // ---- radio side (TTalvexApp_Radio.cpp): each accessor is one call into
  // ---- the radio pair, after storing its option where it has one

  /// Where the main window's bounds come from, for the radio library's
  /// centred forms; zeros until the main window sets it.
  using WindowBounds = TWindowBounds;
  /// Set by the window's radio session while it lives.
  void SetMainWindowBoundsSource(std::function<WindowBounds()> source) { m_boundsSource = std::move(source); }

  /// Finds the radio in the devices list and has the pair create and connect
  /// the left radio; false when already connected, unknown, or without
  /// connection data ("Did not find radio data "). The port name comes back
  /// as the library left it (a library may change it).
  bool ConnectRadio(int radioNumber, const std::string& radioName, const std::string& baud,
                    platform::EventHandle radioEvent, std::string& port,
                    const std::string& radioTag);
  bool IsRadioConnected(int radioNumber) const;
  bool SetActiveRadio(int radioNumber);
  void DisconnectRadio(int radioNumber);
  void SetLogRequestEvent(int radioNumber, platform::EventHandle event);
  /// Always 0.
  int SetMessageEvents(int radioNumber, platform::EventHandle startEvent, platform::EventHandle endEvent);
  int GetMessageId(int radioNumber);
  void SetRadioBaudRate(int radioNumber, const std::string& baud);
  void SetRadioBaud(const std::string& baud);
  std::string GetRadioBaud() const;
  /// Asks the radio for its baud rate and stores it (cut to 6 characters);
  /// an answer of "0" or nothing keeps the stored text.
  void RefreshRadioBaud(int radioNumber);
  void SetRadioModel(const std::string& model) { m_radioModel = model; }
  std::string GetRadioModel() const { return m_radioModel.str(); }
  void SetRadioComPort(const std::string& port) { m_options.radioComPort = port; }
  std::string GetRadioComPort() const { return m_options.radioComPort.str(); }
  bool ReadRadioFrequency(int radioNumber);
  bool ReadRadioMode(int radioNumber);
  int PollFrequency(int radioNumber);
  int PollOutputPower(int radioNumber);
  int PollMode(int radioNumber);
  void PollKeyerSpeed(int radioNumber);
  std::string GetFrequencyText(int radioNumber, std::size_t length) const;
  std::string GetModeText(int radioNumber, std::size_t length) const;
  /// False (text untouched) when the radio number has no radio.
  bool GetPowerText(int radioNumber, std::size_t length, std::string& text) const;
  void SendMessageAt(int radioNumber, int index);
  void ShowKeyboard(int radioNumber);
  void HideKeyboard(int radioNumber);
  void ShowLogGrid(int radioNumber);
  void HideLogGrid(int radioNumber);
  void ShowMessageButtons(int radioNumber);
  void HideMessageButtons(int radioNumber);
  void ShowTitleBars(int radioNumber);
  void HideTitleBars(int radioNumber);
  void TurnOffRadio(int radioNumber);
  void SetShowMembers(int radioNumber, bool showFoc, bool showCwops);
  void SetNamesHistoryFile(int radioNumber, const std::string& path);
  void SetLogFile(int radioNumber, const std::string& path, int type);
  void SetWantsLog(int radioNumber, bool flag);
  void SetDefaultLogFile(int radioNumber, const std::string& path);
  void ShowConfig(int radioNumber);
  void HideConfigPanel(int radioNumber);
  void ShowPigKnobConfig(int radioNumber);
  void AddMacros(int radioNumber);
  void HideClosePanel(int radioNumber);
  void HideSmallPanel(int radioNumber);
  void ShowMoreControls(int radioNumber);
  /// Empties the list, then fills it with the radio's macro names.
  void GetMacroNames(int radioNumber, std::vector<std::string>& names);
  /// On the left radio.
  void RunMacro(const std::string& macro);
  void FocusVfoKnob(int radioNumber, char value);
  void StopAutoRepeat();
  /// Stores the flag, then SETAUTOREPEATSTATUS on the left radio.
  void SetAutoCq(bool flag);
  /// The Auto CQ delay, as decimal text, to the left radio.
  void SendAutoCqDelay();

  std::unique_ptr<TRadioSession> OpenSession(TSessionWindow& window) override;

  // ---- delivering logged contacts (TTalvexApp_Delivery.cpp) ----

  TLogJournal& Journal() override;
  void DeliverNetworkContacts() override;
  TNetLogSettings NetLogSettings() override;
  bool StoreNetLogSettings(const TNetLogSettings& settings) override;
  std::string SendNetHeartbeat(const TNetLogSettings& settings) override;
  std::string NetLogFailure() override;

  TRadioPair& RadioPair() { return *m_radioPair; }
  const TRadioPairStartup& RadioPairStartup() const { return *m_radioPairStartup; }

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
  std::optional<std::array<std::int32_t, 8>> BandLimits(const std::string& name) const override;
  void ApplyBandLimits(const std::vector<TBandLimitRow>& rows) override;
  /// Replaces the radio restart file: the left radio's state and memories,
  /// the band limits and the marker; then SendBandLimits. False when it
  /// cannot be written (the old file stays).
  bool WriteRadioRestartFile();

 private:
  // The steps of the operations above, called only from within.
  /// The band of that name (any case), or nullptr.
  TRadioBand* FindBand(const std::string& name);
  const TRadioBand* FindBand(const std::string& name) const;
  /// Reads the restart file, falling back to the backup when it has no marker.
  bool LoadRestartFile();
  /// Reads the names file at start-up; false (with a message) when it is missing.
  bool OpenNamesFile();
  /// Appends the record line to the default log file; false when it cannot be written.
  bool AppendDefaultLog(const std::string& line);
  /// Appends the contact to the local log file while local logging is
  /// wanted: its record line for ARRL, an ADIF record for ADIF. False when
  /// logging is wanted and the file cannot be written.
  bool AppendLocalLog(const TLogContact& contact);
  /// "The contact with <CALL> was not logged. Quit anyway?"; true for Yes.
  bool AskQuitWithUnloggedContact();
  /// Appends the unlogged contact of the log line to Logs/Talvex_UNSAVED.txt
  /// (when the program must end without asking); false when it cannot.
  bool SaveUnloggedContact(double utc);
  void SendCenteredFormsInfo(int left, int right, int top, int bottom);
  /// Converts the text to upper case, then SETMSGATINDEX.
  void SetMessageText(int radioNumber, int index, std::string& text);
  /// Every radio present takes its band limits (UPDATEBANDLIMITS).
  void SendBandLimits();

  TProgramDirectory m_programDirectory;  // which folder, chosen at construction
  TFileSet m_files;
  // owned objects, created in this order
  std::vector<std::string> m_serialPorts;
  std::unique_ptr<TRadioPair> m_radioPair;
  std::unique_ptr<TRadioPairStartup> m_radioPairStartup;
  std::vector<TRadioBand> m_bands;
  std::unique_ptr<TOperatorList> m_operators;
  std::unique_ptr<TContactLog> m_contactLog;
  std::unique_ptr<TWorkedIndex> m_worked;  // the default log by call

  std::function<WindowBounds()> m_boundsSource;
  // made at their first use, from the file set
  std::unique_ptr<TLogJournal> m_journal;
  std::unique_ptr<TNetLogger> m_netLogger;
  TNetLogger& NetLogger();

  TRestartSettings m_options;
  FixedText<20> m_radioModel;  // not persisted; "Varo" once connected
  bool m_firstActivation = true;
  bool m_restartFileRead = false;
  bool m_namesFileRead = false;
  bool m_activityTraceOn = false;
  bool m_localLogWantedAdif = false;
  bool m_localLogWantedArrl = false;
  TLogLine m_logLine;
  TMessageSlots m_messages;
};

/// The one application object; set by the entry point before the file check,
/// cleared after the object is destroyed.
extern TTalvexApp* TalvexApp;
