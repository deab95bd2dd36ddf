#pragma once
// The main window: the radio's front-panel picture, the one-line logging
// grid and the row of message keys. Created first of the long-lived forms;
// closing it ends the program. Everything here runs on the main thread; the
// listener threads only wake it (TListenerThreads.h).
//
// The window's work is split by concern: lifecycle (this file's .cpp and
// _Lifecycle.cpp), the listener threads and their steps (_Listeners.cpp),
// message keys and Auto CQ (_Keys.cpp), the logging grid (_Grid.cpp) and
// the menu (_Menu.cpp).

#include <QMainWindow>
#include <QPointer>
#include <array>
#include <memory>
#include <string>

#include "platform/Event.h"

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QTableWidget;
class QTimer;
class QWidget;
class TfmPanel;
class TfmOpenDialog;
class TfmResume;
class TTalvexApp;
class TListenerThread;
class TSioLogController;
class TfmSioLog;
class TfmRadioPort;
class KeyPreviewFilter;

class TfmRCatMain : public QMainWindow {
  Q_OBJECT
 public:
  /// Builds every component and runs FormCreate. The application object
  /// must outlive the window.
  explicit TfmRCatMain(TTalvexApp& app, QWidget* parent = nullptr);
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

  // ---- message keys and Auto CQ ----

  /// SENDMSGATINDEX for radio 1 when it is connected.
  void SendMessage(int index);
  /// STOPAUTOREPEATMESSAGE for every radio present, when radio 1 is connected.
  void StopMessage();
  /// Sets the log request event (F7).
  void RequestLog();
  /// UpdateRadioMessages, then the key hints. A "Yes" to "Radio not
  /// connected - connect now?" runs the connect command.
  void PrepareMessages();
  void RefreshKeyHints();
  /// Auto CQ from the resume choice at the first connection.
  void SetUpAutoCq();
  /// Acts on a key released anywhere in the window; true when it was consumed.
  bool HandleKeyRelease(int key);
  /// Whether the key is one of ESC, F1 to F7.
  static bool IsMessageKey(int key);

  // ---- logging grid ----

  void ClearLogLine();
  /// Logs row 1 of the grid when its station worked is a valid call sign.
  void LogTheQso();
  void sgLogSelectCell(int row, int column);
  void sgLogSetEditText(int row, int column, const QString& text);

  // ---- for the tests and benchmarks ----

  TTalvexApp& App() { return m_app; }
  QAction* MenuItem(const QString& caption) const;
  int ClientHeight() const;
  platform::EventHandle RadioChangeEvent() const;
  platform::EventHandle LogRequestEvent() const;
  platform::EventHandle MsgStartEvent() const;
  platform::EventHandle MsgOverEvent() const;
  TSioLogController& SioLog() { return *m_sioLog; }

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
  QString Cell(int column) const;
  void SetCell(int column, const QString& text);
  void InstallKeyPreview();
  void RemoveKeyPreview();
  void FirstConnection();
  /// Connects radio 1 on the port at the baud rate; true when it is
  /// connected afterwards. libraryPort: the port name as the library left it.
  bool ConnectLeftRadio(const std::string& port, std::string& libraryPort, const std::string& baud);
  /// After a connection: SETBAUDRATE, the radio restart file, and the baud
  /// rate, model word and port kept by the application object.
  void TakeConnection(const std::string& libraryPort, const std::string& baud);
  void SwitchLocalLogging(bool on);
  void ResumeSerialIoLogging();
  void DisconnectLeftRadio();
  void SetClientHeight(int height);
  void SetConnecting(const QString& text);
  void EnableConnectedMenus();

  void StartListener(Listener which);
  void StopListener(Listener which);
  void StartAllListeners();
  void RadioChangeStep();
  void LogRequestStep();
  void MsgOverStep();
  void MsgStartStep();

  void ToggleEnableAutoCq();
  void ToggleShowMessageButtons();
  void ToggleShowKeyboard();
  void ToggleShowMembers(bool foc);
  void ToggleAttachLogGrid();
  void ToggleShowTitleBars();
  void PerformSerialIoLogging();
  void ExitCommand();
  void OpenDocument(const std::string& target);
  /// Defers fn while a listener step is running (it may be inside a nested
  /// event loop, and must not find its radio replaced under it).
  bool DeferWhileInStep(void (TfmRCatMain::*fn)());

  TTalvexApp& m_app;

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
  QMenu* m_radioMenu = nullptr;

  std::array<std::unique_ptr<TListenerThread>, kListeners> m_listeners;
  // The logging dialog outlives the controller that talks to it.
  std::unique_ptr<TfmSioLog> m_sioLogDialog;
  std::unique_ptr<TSioLogController> m_sioLog;
  std::unique_ptr<TfmRadioPort> m_radioPort;
  std::unique_ptr<TfmResume> m_resume;
  std::unique_ptr<KeyPreviewFilter> m_keyPreview;
  int m_stepDepth = 0;
  bool m_closed = false;
  bool m_shownOnce = false;
};
