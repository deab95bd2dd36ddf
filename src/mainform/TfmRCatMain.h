#pragma once
// The main window: the radio's front-panel picture, the one-line logging
// grid and the row of message keys. Created first of the long-lived forms;
// closing it ends the program. Main thread only (platform/HandOver.h); the
// listener threads only wake it (TListenerThreads.h).
//
// The window keeps widgets, layout and wiring: the contact in progress is
// the application object's TLogLine, the connection sequences are
// TRadioSession's, and this window shows what they decide. Split by concern:
// lifecycle (this file's .cpp and _Lifecycle.cpp), the listener threads and
// their steps (_Listeners.cpp), message keys and Auto CQ (_Keys.cpp), the
// logging grid (_Grid.cpp) and the menu (_Menu.cpp).

#include <QMainWindow>
#include <QKeySequence>
#include <QPalette>
#include <QPointer>
#include <QRect>
#include <array>
#include <memory>
#include <optional>
#include <utility>
#include <vector>
#include <string>

#include "platform/ScreenSaver.h"
#include "app/TRadioSession.h"
#include "platform/Event.h"

class QAction;
class QFrame;
class QKeyEvent;
class QLabel;
class QMenu;
class QTableWidget;
class QTimer;
class QWidget;
class TfmPanel;
class TfmOpenDialog;
class TfmResume;
class TWindowApp;
class TListenerThread;
class TSioLogController;
class TfmSioLog;
class TfmRadioPort;
class KeyPreviewFilter;

/// The menu bar's items, by what they do.
struct TMainMenu {
  QAction *updateNames = nullptr, *exit = nullptr;
  QAction *centerForms = nullptr, *disableScreenSaver = nullptr, *disableAltF4 = nullptr,
          *showTitleBars = nullptr, *attachLogGrid = nullptr;
  QAction* connectRadio = nullptr;
  QMenu *radio = nullptr, *runMacros = nullptr;
  QAction *setParameters = nullptr, *setBandLimits = nullptr, *manageMacros = nullptr, *vfoA = nullptr,
          *vfoB = nullptr, *checkSwr = nullptr, *configurePigKnob = nullptr, *turnOffRadio = nullptr;
  QAction *editTemplate = nullptr, *loadTemplate = nullptr, *showKeyboard = nullptr,
          *showMessageButtons = nullptr, *setAutoCqDelay = nullptr, *enableAutoCq = nullptr,
          *stopMessage = nullptr;
  QAction *clearLogLine = nullptr, *showFoc = nullptr, *showCwops = nullptr, *setupLocalLog = nullptr,
          *performSioLogging = nullptr;
  QAction* networkLogging = nullptr;
  QAction *userNotes = nullptr, *checkUpdates = nullptr, *varoManual = nullptr, *ostrelSite = nullptr,
          *usAllocations = nullptr, *about = nullptr;
};

class TfmRCatMain : public QMainWindow, private TSessionWindow {
  Q_OBJECT
 public:
  /// Builds every component and runs FormCreate. The application object
  /// must outlive the window.
  explicit TfmRCatMain(TWindowApp& app, QWidget* parent = nullptr);
  ~TfmRCatMain() override;

  /// Shows the window un-minimised and in front (a second copy asked for it).
  void BringToFront();

  /// The caption: title, ":  [Built: " and the program file's time stamp.
  static QString BuildCaption(const std::string& programPath);

  // ---- lifecycle ----

  void FormCreate();
  /// Runs at every activation of the window (and once when it is first shown).
  void FormActivate();
  /// Writes the radio restart file, disconnects, stops the listeners, keeps
  /// the column widths and writes the restart file. Runs once.
  void FormClose();
  /// The connect command: the radio port dialog, then connect or disconnect.
  void ConnectCommand();
  void pnActivateSoftPanelClick();
  /// The system asked the program to end (a logout, a kill): closes the
  /// window the normal way, keeping an unlogged contact in
  /// Logs/Talvex_UNSAVED.txt instead of asking about it.
  void CloseAtEndRequest();

  // ---- message keys and Auto CQ ----

  /// SENDMSGATINDEX for radio 1 when it is connected.
  void SendMessage(int index);
  /// STOPAUTOREPEATMESSAGE for every radio present, when radio 1 is connected.
  void StopMessage();
  /// Sets the log request event (F7).
  void RequestLog();
  /// UpdateRadioMessages, then the key hints. A "Yes" to "Radio not
  /// connected - connect now?" runs the connect command.
  void PrepareMessages() override;
  void RefreshKeyHints();
  /// "Radio not connected - connect now?", when still not connected; Yes runs
  /// the connect command.
  void AskToConnect();
  /// Acts on a key released anywhere in the window; true when it was consumed.
  bool HandleKeyRelease(int key);
  /// Whether the key is one of ESC, F1 to F7.
  static bool IsMessageKey(int key);
  /// Whether the key is the shortcut of a menu item ("Change VFO-A
  /// Frequency"'s Ctrl+A and the others of the menu table).
  bool IsMenuShortcut(const QKeyEvent& key) const;
  /// With "Disable Alt-F4" checked, whether a close asked for now is the
  /// window manager's Alt+F4, to be refused (any window of the program).
  bool RefusesAltF4Close() const;

  // ---- logging grid ----

  void ClearLogLine() override;
  /// Takes back a notice of the key row (at the next key).
  void ClearNotice();
  /// Logs row 1 of the grid when its station worked is a valid call sign;
  /// otherwise, when the operator asked, says why in the key row.
  void LogTheQso(bool asked = true);
  void sgLogSelectCell(int row, int column);
  void sgLogSetEditText(int row, int column, const QString& text);

  // ---- for the tests and benchmarks ----

  const TMainMenu& Menu() const { return m_menu; }
  /// The menu item with this caption (null when there is none).
  QAction* MenuItem(const QString& caption) const;
  int ClientHeight() const;
  platform::EventHandle RadioChangeEvent() const;
  platform::EventHandle LogRequestEvent() const;
  platform::EventHandle MsgStartEvent() const;
  platform::EventHandle MsgOverEvent() const;
  TSioLogController& SioLog() { return *m_sioLog; }

  // ---- delivering logged contacts (_Delivery.cpp) ----

  /// Sends the serial I/O logging port and the network targets what the
  /// default log holds for them (the radio library's contacts included),
  /// and shows in the key row how many contacts wait for the port.
  void DeliverContacts();

 protected:
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  enum Listener { kRadioChange, kLogRequest, kMsgOver, kMsgStart, kListeners };

  void BuildComponents();
  void BuildMenu();
  void InstallGridHandlers();
  void RebuildRunMacros();
  /// Shows the log line's cells in row 1 (only those that differ).
  void ShowLogLine();
  /// Row 1's STN.WRKD becomes the current cell with the keyboard focus,
  /// when the grid is visible.
  void FocusStation();
  /// A short notice in the key row's status panel, until the next key; a
  /// warning in red.
  void ShowNotice(const QString& text, const QString& hint, bool warning = false);
  /// The status panel sized for what it shows: a notice wider than the
  /// panel takes room to its left, over the keys (which still take their
  /// clicks), until it goes.
  void FitNotice(bool warning = false);
  /// Once STN.WRKD holds a call the names were looked up for: the key row's
  /// worked-before or DUPE notice, nothing for a new call.
  void ShowWorkedBefore(const std::string& call);
  void InstallKeyPreview();
  void RemoveKeyPreview();
  void SetClientHeight(int height);
  /// Once connected: the client area holds the strip (the grid, unless it is
  /// attached to the library's panel, and the key row; stripHeight when
  /// given, else as before) and, while it shows, the soft-panel switch.
  void LayOutStrip(int stripHeight = 0);
  static constexpr int kSwitchMargin = 6;
  int m_stripHeight = 0;
  void EnableConnectedMenus();
  /// A connection made: the keys and radio menus enabled, and a line on
  /// standard error naming the port and baud rate.
  void ReportConnected();

  // ---- TSessionWindow: what the connection sequences ask of the window ----
  void ShowConnecting(const std::string& text) override;
  void ShrinkToGridAndKeys() override;
  void StartListeners() override;
  void StopListeners(TListenersToStop which) override;
  TListenerEvents ListenerEvents() const override;
  void SetItemChecked(TSessionItem item, bool checked) override;
  void EnableAutoCqItems(bool checked) override;
  void ShowSoftPanelSwitch() override;
  void FocusLogLine() override;
  void ResumeSerialIoLogging(bool chosen) override;
  std::array<int, 12> ColumnWidths() const override;
  TWindowBounds MainWindowBounds() const override;

  void StartListener(Listener which);
  void StopListener(Listener which);
  void RadioChangeStep();
  void LogRequestStep();
  void MsgOverStep();
  void MsgStartStep();

  void ToggleEnableAutoCq();
  void ToggleShowMessageButtons();
  void ToggleShowKeyboard();
  void ToggleShowMembers();
  void ToggleAttachLogGrid();
  void ToggleShowTitleBars();
  void PerformSerialIoLogging();
  /// "Network Logging...": the dialog, then its settings stored.
  void NetworkLoggingCommand();
  /// Hands the journal to the serial I/O logging and starts the watch on
  /// the default log and the logging port's device.
  void InstallDelivery();
  void ShowWaitingContacts(std::size_t count);
  void ExitCommand();
  /// "Set Band Limits": the band limits dialog filled from the band list,
  /// then the confirmed limits into the band list and the radio restart file.
  void SetBandLimitsCommand();
  /// "Update Names Data": the names data editor, then the names read again
  /// when it added to the file.
  void UpdateNamesCommand();
  /// "Turn OFF Radio": the power-off warning, then turning the radio off.
  void TurnOffRadioCommand();
  /// "Setup Local Log File": the dialog, then the new log file and format.
  void SetupLocalLogCommand();
  void AboutCommand();
  /// "Edit Current Template": the editor on the template file; after an
  /// update, the messages prepared again when the radio is connected.
  void EditTemplateCommand();
  /// "Load Template From File": the editor on a file the operator chooses.
  void LoadTemplateCommand();
  /// "Set Auto CQ Delay": the editor on the template file.
  void SetAutoCqDelayCommand();
  /// Shows the template editor on the file modally; true when it updated
  /// the template (which reloads it and passes the delay to the radio).
  bool RunTemplateEditor(const std::string& file);
  void OpenDocument(const std::string& target);
  /// Defers fn while a listener step is running (it may be inside a nested
  /// event loop, and must not find its radio replaced under it).
  bool DeferWhileInStep(void (TfmRCatMain::*fn)());

  TWindowApp& m_app;

  QWidget* m_central = nullptr;
  QFrame* Panel1 = nullptr;
  QTableWidget* sgLog = nullptr;
  QFrame* pnKeys = nullptr;
  TfmPanel* pnConnecting = nullptr;
  TfmPanel* pnEsc = nullptr;
  std::array<TfmPanel*, 7> pnF{};  // pnF1 to pnF7
  TfmPanel* pnSending = nullptr;
  TfmPanel* imVaroPanel = nullptr;
  TfmPanel* pnActivateSoftPanel = nullptr;
  TfmOpenDialog* OpenDialog1 = nullptr;
  QTimer* tmHealthCheck = nullptr;
  QTimer* m_connectQuestion = nullptr;
  TMainMenu m_menu;
  std::vector<QKeySequence> m_menuShortcuts;
  platform::ScreenSaver m_screenSaver;
  std::unique_ptr<TRadioSession> m_session;

  std::array<std::unique_ptr<TListenerThread>, kListeners> m_listeners;
  // The logging dialog outlives the controller that talks to it.
  std::unique_ptr<TfmSioLog> m_sioLogDialog;
  std::unique_ptr<TSioLogController> m_sioLog;
  /// The key row's "3 contacts wait for the logging port", shown while any do.
  TfmPanel* pnLogWait = nullptr;
  QTimer* tmDelivery = nullptr;
  /// The delivery positions could not be written, and the operator was told.
  bool m_toldDeliveryFile = false;
  std::unique_ptr<TfmRadioPort> m_radioPort;
  std::unique_ptr<TfmResume> m_resume;
  std::unique_ptr<KeyPreviewFilter> m_keyPreview;
  int m_stepDepth = 0;
  /// Set when the listeners are stopped for a disconnection, cleared when
  /// they start again: steps on their way then do nothing.
  bool m_radioGone = false;
  /// The status panel's caption and hint while a notice hides them.
  std::optional<std::pair<QString, QString>> m_beforeNotice;
  /// The status panel's place and colours when it shows no notice.
  std::optional<std::pair<QRect, QPalette>> m_sendingHome;
  bool m_closed = false;
  bool m_endRequested = false;
  bool m_shownOnce = false;
};
