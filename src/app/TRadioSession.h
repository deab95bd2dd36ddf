#pragma once
// The radio as the main window sees it: the connection sequences, written
// once (resuming at the first activation with the first connection, the
// connect command, disconnecting and closing), and every radio command of
// the window's menus and keys, one call each with its option kept. They
// decide the order of every call into the radio; the window they run for
// implements TSessionWindow, which shows what happens and owns the four
// listener threads. Main thread only.

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/TWindowApp.h"
#include "data/TResumeChoice.h"
#include "platform/Event.h"

class TTalvexApp;

/// The events of the four listener threads; kNoEvent for one not running.
struct TListenerEvents {
  platform::EventHandle radioChange = platform::kNoEvent;
  platform::EventHandle logRequest = platform::kNoEvent;
  platform::EventHandle msgStart = platform::kNoEvent;
  platform::EventHandle msgOver = platform::kNoEvent;
};

/// Which listeners a sequence stops, in the order radio change, log request,
/// message over, message start: the first two, three or all four.
enum class TListenersToStop { kRadioAndLog = 2, kAlsoMsgOver = 3, kAll = 4 };

/// The library's panels the window shows or hides: the first three have
/// check marks a connection sets.
enum class TSessionItem { kKeyboard, kLogGrid, kMessageButtons, kTitleBars };

/// The radio library's own windows and knob that a menu command opens.
enum class TRadioCommand { kSetParameters, kManageMacros, kConfigureKnob, kSoftPanel, kVfoAKnob, kVfoBKnob };

/// What the connection sequences ask of the main window.
class TSessionWindow {
 public:
  virtual ~TSessionWindow() = default;
  /// pnConnecting's text, drawn at once.
  virtual void ShowConnecting(const std::string& text) = 0;
  /// Leaves only the logging grid and the key row visible.
  virtual void ShrinkToGridAndKeys() = 0;
  /// (Re)starts the radio change, log request, message over and message
  /// start listeners, in that order, each with a fresh event.
  virtual void StartListeners() = 0;
  virtual void StopListeners(TListenersToStop which) = 0;
  virtual TListenerEvents ListenerEvents() const = 0;
  virtual void SetItemChecked(TSessionItem item, bool checked) = 0;
  /// Clears the log line (and puts the focus into STN.WRKD).
  virtual void ClearLogLine() = 0;
  /// Prepares the six messages and refreshes the key hints.
  virtual void PrepareMessages() = 0;
  /// Enables "Set Auto CQ Delay" and "Enable Auto CQ", the latter checked as given.
  virtual void EnableAutoCqItems(bool checked) = 0;
  /// Shows the switch that activates the library's soft panel.
  virtual void ShowSoftPanelSwitch() = 0;
  /// After a successful connection: row 1's STN.WRKD becomes the current
  /// cell with the keyboard focus, unless a cell is being edited.
  virtual void FocusLogLine() = 0;
  /// Resumes serial I/O logging when it was chosen.
  virtual void ResumeSerialIoLogging(bool chosen) = 0;
  /// The logging grid's 12 column widths as they are now.
  virtual std::array<int, 12> ColumnWidths() const = 0;
  /// The window's frame, handed to the library at each connection.
  virtual TWindowBounds MainWindowBounds() const = 0;
};

class TRadioSession {
 public:
  /// The radio model word and RTS/DTR tag of every connection.
  static constexpr const char* kRadioModel = "Varo";
  static constexpr const char* kRadioTag = "PRPD";
  /// The wait after each disconnection, before the listeners stop.
  static constexpr int kDisconnectWaitMs = 250;

  /// The application object hands the window's frame to the library from now
  /// until the session is destroyed.
  TRadioSession(TTalvexApp& app, TSessionWindow& window);
  ~TRadioSession();
  TRadioSession(const TRadioSession&) = delete;
  TRadioSession& operator=(const TRadioSession&) = delete;

  /// "Resume" in the resume dialog: keeps the choices, drops the serial I/O
  /// port and the local log that were not chosen, runs the first connection
  /// and resumes serial I/O logging.
  void Resume(const TResumeChoice& choices);

  /// The first connection, from the choices kept by Resume: connects radio 1
  /// on the stored port and baud rate when the radio port was chosen, then
  /// hands the library its events, files and display options, shows the
  /// chosen panels, loads the messages and sets up Auto CQ.
  void FirstConnection();

  /// The connect command's "Connect": restarts the listeners and connects
  /// radio 1 on the port at the baud rate, then hands the library its
  /// events and files as the first connection does. True when this made the
  /// connection; false, with pnConnecting saying "Connect failed" (the
  /// window tells the operator), when it failed or radio 1 was connected
  /// already (nothing is then restarted or stored).
  bool Connect(const std::string& port, const std::string& baud);

  /// The connect command's "Disconnect": writes the radio restart file,
  /// disconnects radio 1, stops the radio change and log request listeners.
  void Disconnect();

  /// "Turn OFF Radio" confirmed: TURNOFFRADIO, the radio restart file,
  /// disconnecting, the radio change, log request and message over listeners stopped.
  void TurnOff();

  /// Closing the window: the radio restart file, disconnecting, every
  /// listener stopped, the column widths kept, the restart file written.
  void Close();

  const TResumeChoice& Choices() const { return m_choices; }
  /// How the wait after a disconnection is waited: a sleep unless a test
  /// records it instead.
  void SetPause(std::function<void(int ms)> pause) { m_pause = std::move(pause); }

  // ---- the window's radio commands: each does nothing without radio 1
  // ---- connected, unless it says otherwise

  bool IsConnected() const;
  /// F1 to F6: the message of the slot (0 to 5).
  void SendMessage(int index);
  /// ESC: stops the message being sent (and Auto CQ's repeat).
  void StopMessage();
  /// "Enable Auto CQ": switched off, the repeat stops first; the flag is kept
  /// and handed to the radio either way.
  void SetAutoCq(bool on);
  /// Shows or hides one of the library's panels, keeping the wish for the
  /// restart file. The keyboard takes the logging grid's state again with it
  /// (the two share the library's panel); the message buttons, when shown,
  /// come with the template read and the messages prepared. Title bars
  /// follow even without a radio.
  void Show(TSessionItem item, bool shown);
  /// "Show FOC Members" and "Show CWOps Members": both flags kept and handed
  /// to the radio (also without a connection, where it does nothing).
  void ShowMembers(bool showFoc, bool showCwops);
  /// A radio window or knob; the knob of VFO A or B is asked even without a connection.
  void Command(TRadioCommand command);
  /// The radio's macro names for "Run Macros": blanks around each dropped,
  /// sorted, once each; empty without a connection.
  std::vector<std::string> MacroNames() const;
  /// Runs the macro (its name cut to 30 characters).
  void RunMacro(const std::string& name) const;
  /// Expands the six messages and hands them to the radio; false when it is
  /// not connected (the texts are expanded all the same).
  bool LoadMessages();
  /// "Radio not connected - connect now?", when still not connected; true for Yes.
  bool AskToConnect();
  /// The radio change step: the radio is asked for frequency, mode, power,
  /// keyer speed and baud rate, and the log line takes the frequency (11
  /// characters), mode (5) and power (3) cells. Answers the baud rate text
  /// when radio 1 is connected.
  std::optional<std::string> RadioChanged();
  /// The log mode of the radio's last mode, 4 characters (the band limits dialog's mode).
  std::string LogMode() const;
  /// The slot of the message the radio started, -1 when none.
  int MessageId();
  /// The log request listener woke: false for the wake that every fresh
  /// listener gives at its start, which is nobody's request.
  bool TakeLogRequest();

 private:
  /// Connects radio 1; true when it is connected afterwards. libraryPort:
  /// the port name as the library left it.
  bool ConnectLeftRadio(const std::string& port, const std::string& baud, std::string& libraryPort);
  /// SETBAUDRATE, the radio restart file, and the baud rate, model word and
  /// port kept by the application object.
  void TakeConnection(const std::string& libraryPort, const std::string& baud);
  /// Hides the library's small panels and hands it the listeners' events,
  /// the display options and the files.
  void HandOverToLibrary();
  /// Shows or hides one of the library's panels as chosen, and its check
  /// mark; for the message buttons, the six messages are loaded either way.
  void ShowChosen(TSessionItem item, bool& choice);
  /// The library's one call that shows or hides the item.
  void SendShown(TSessionItem item, bool shown);
  void SetUpAutoCq();
  void SwitchLocalLogging(bool on);
  void DisconnectLeftRadio();

  void StartListeners();

  TTalvexApp& m_app;
  TSessionWindow& m_window;
  TResumeChoice m_choices;
  std::function<void(int ms)> m_pause;
  bool m_logListenerFresh = false;
  bool m_logGridShown = false;
};
