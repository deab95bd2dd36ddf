#pragma once
// Serial I/O logging as the main window runs it: the logging thread with its
// port, the converted port settings, the check mark of the menu item
// "Perform Serial I/O Logging", and the settings dialog (through the narrow
// TSioLogDialog). The main window owns one and calls it on the main thread:
//
//   at start-up, after the resume dialog:
//       ResumeSerialIoLogging(app.resume.sioLog, settings)
//   on the menu item "Perform Serial I/O Logging":
//       PerformSerialIoLogging(settings, app.options.wantCenteredForms)
//   in the log request handler, after the log files are written:
//       SendContact(recordLine)
//   at close: nothing; destroying the controller ends the thread and closes
//       the port, which puts the port's own settings back.
//
// settings is the logging part of the restart file's options
// (SioLogSettingsOf / StoreSioLogSettings); the calls that change it say so.
// The menu item's check mark is kept here: show MenuItemChecked(), or let the
// handler of SetMenuCheckHandler follow it.
//
// A write that fails (the adapter pulled out, the far end gone), or a port
// error that ended the reader, stops logging the next time a contact is sent:
// the operator is told once which port failed, the thread is ended and
// discarded, the menu item unchecked and the dialog offers "Connect" again.
//
// With a journal attached (AttachJournal), the contacts go out from the
// default log: DeliverWaiting sends every line the port has not taken yet,
// so the contacts logged while the port was closed, unplugged or not yet
// opened follow as soon as it opens (from the dialog, at resume, or when
// RefindDevice sees the same device come back). The dialog shows how many
// wait and offers "Send Now" and "Discard".

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "serial/TSIOThread.h"
#include "serial/TSioDeviceWatch.h"
#include "serial/TSioLogDialog.h"
#include "serial/TSioLogSettings.h"

class TLogJournal;

class TSioLogController {
 public:
  /// portFile names the port table (Devices/Dravel_PORTS.txt).
  TSioLogController(TSioLogDialog& dialog, std::string portFile);
  ~TSioLogController();
  TSioLogController(const TSioLogController&) = delete;
  TSioLogController& operator=(const TSioLogController&) = delete;

  /// Without resumeWanted, empties the stored port name. Otherwise starts
  /// logging from the stored texts (the menu item stays unchecked).
  void ResumeSerialIoLogging(bool resumeWanted, TSioLogSettings& settings);

  /// The menu command. Checked: unchecks and stops logging if its port is
  /// open. Unchecked: checks; with logging running only shows "Serial I/O
  /// Logging is currently using port " and the dialog's port text; else
  /// shows the dialog (centred first when centredForms) with the stored
  /// texts. "Connect" stores the format flags and the selected port and
  /// starts logging; "Disconnect" stops it and unchecks.
  void PerformSerialIoLogging(TSioLogSettings& settings, bool centredForms);

  /// Ends any logging thread, converts and stores the dialog's stop bits,
  /// parity, baud and data bits texts, starts a thread on the stored port
  /// name and offers "Disconnect". A port that cannot be opened has been
  /// reported; the thread then stays with its port closed.
  void StartSerialIoLogging(TSioLogSettings& settings);
  /// Ends and discards the logging thread; the dialog offers "Connect".
  void StopSerialIoLogging();

  /// With logging running and its port open, sends the line (cut to 100
  /// characters with ":;" added, upper case, no line end). Answers whether
  /// it was sent. Never raises.
  bool SendContact(std::string_view recordLine);

  /// The journal the contacts are sent from; null for none (SendContact only).
  void AttachJournal(TLogJournal* journal) { m_journal = journal; }
  /// With the port open, sends the journal's lines it has not taken yet, in
  /// order, until one cannot be sent. While nobody uses the port (no
  /// logging thread was started in this run, and portChosen says that no
  /// earlier run chose one) the lines are dropped instead of waiting.
  /// Answers how many lines wait.
  std::size_t DeliverWaiting(bool portChosen = true);
  /// The lines that waited after the last delivery.
  std::size_t Waiting() const { return m_waiting; }
  /// "1 contact waits for the logging port", "3 contacts wait for the
  /// logging port"; empty for none.
  static std::string WaitingText(std::size_t count);
  /// Called with the count whenever it changes.
  void SetWaitingHandler(std::function<void(std::size_t)> handler) { m_onWaiting = std::move(handler); }

  /// Watches for the device of a port that failed to come back, or of one
  /// that could not be opened for want of its device file to appear: when
  /// it does (by its /dev/serial/by-id name, so under another device file
  /// too, or else as the same device file), logging starts again on it and
  /// the journal's waiting lines follow. Answers the port name it started
  /// on (the port table's name of the device), nothing otherwise. Call it
  /// now and then (the window does, once a second).
  std::optional<std::string> RefindDevice();
  /// The folder of the persistent device names (tests use their own).
  void SetByIdFolder(std::string folder) { m_watch.SetByIdFolder(std::move(folder)); }

  bool MenuItemChecked() const { return m_menuChecked; }
  /// Called with the new check mark whenever it changes.
  void SetMenuCheckHandler(std::function<void(bool)> handler) { m_onMenuCheck = std::move(handler); }

  bool HasThread() const { return m_thread != nullptr; }
  /// Logging running: a thread whose port is open.
  bool IsPortOpen() const { return m_thread && m_thread->IsPortOpen(); }
  /// Baud rate, data bits, stop bits and parity of the last start.
  const TSerialSettings& ConvertedSettings() const { return m_converted; }
  const TSIOThread* Thread() const { return m_thread.get(); }

 private:
  void SetMenuChecked(bool checked);
  void CreateAndStart(const std::string& portName);
  void DiscardThread();
  void SetWaiting(std::size_t count);
  /// A port error at a send or in the reader: logging stops, the operator
  /// is told once which port failed, and its device is watched for.
  void Failed(const ECommError& error);

  TSioLogDialog& m_dialog;
  std::string m_portFile;
  std::unique_ptr<TSIOThread> m_thread;
  TSerialSettings m_converted;
  bool m_menuChecked = false;
  std::function<void(bool)> m_onMenuCheck;
  TLogJournal* m_journal = nullptr;
  bool m_used = false;  // a logging thread was started in this run
  std::size_t m_waiting = 0;
  std::function<void(std::size_t)> m_onWaiting;
  TSioDeviceWatch m_watch;
};
