#pragma once
// The radio's connection sequences, written once: resuming at the first
// activation (with the first connection), the connect command, disconnecting
// and closing. They decide the order of every call into the radio; the
// window they run for implements TSessionWindow, which shows what happens
// and owns the four listener threads. Main thread only.

#include <array>
#include <string>

#include "platform/Event.h"

class TTalvexApp;

/// The resume dialog's eight check boxes.
struct TResumeChoice {
  bool radioPort = false, messageButtons = false, keyboard = false, logGrid = false;
  bool autoCq = false, titleBars = false, sioLog = false, userLog = false;
};

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

/// The display toggles whose check marks a connection sets.
enum class TSessionItem { kKeyboard, kLogGrid, kMessageButtons };

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
};

class TRadioSession {
 public:
  /// The radio model word and RTS/DTR tag of every connection.
  static constexpr const char* kRadioModel = "Varo";
  static constexpr const char* kRadioTag = "PRPD";

  TRadioSession(TTalvexApp& app, TSessionWindow& window) : m_app(app), m_window(window) {}

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
  void SetUpAutoCq();
  void SwitchLocalLogging(bool on);
  void DisconnectLeftRadio();

  TTalvexApp& m_app;
  TSessionWindow& m_window;
  TResumeChoice m_choices;
};
