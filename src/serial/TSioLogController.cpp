#include "serial/TSioLogController.h"

#include <algorithm>
#include <cstdio>

#include "data/TLogJournal.h"
#include "data/TLogRecord.h"
#include "data/TextUtils.h"
#include "platform/MessageSink.h"
#include "platform/SerialPortRegistry.h"
#include "platform/SystemError.h"

TSioLogController::TSioLogController(TSioLogDialog& dialog, std::string portFile)
    : m_dialog(dialog), m_portFile(std::move(portFile)) {}

TSioLogController::~TSioLogController() { DiscardThread(); }

void TSioLogController::SetMenuChecked(bool checked) {
  if (m_menuChecked == checked) return;
  m_menuChecked = checked;
  if (m_onMenuCheck) m_onMenuCheck(checked);
}

void TSioLogController::DiscardThread() {
  if (!m_thread) return;
  if (m_thread->IsPortOpen()) {
    try {
      m_thread->Stop();
    } catch (const ECommError&) {
      // The port is closed and released even when its settings could not go back.
    }
  }
  m_thread.reset();  // the reader never waits for the main thread: this returns at once
}

void TSioLogController::CreateAndStart(const std::string& portName) {
  m_thread = std::make_unique<TSIOThread>(portName, m_portFile);
  m_used = true;
  m_thread->Configure(portName, m_converted.baudRate, m_converted.dataBits, m_converted.stopBits,
                      m_converted.parity, false, false);
  if (!m_thread->Start()) {
    m_watch.OpenFailed(portName, m_portFile);
    return;
  }
  m_watch.Opened(portName, m_portFile);
  DeliverWaiting();
}

void TSioLogController::ResumeSerialIoLogging(bool resumeWanted, TSioLogSettings& settings) {
  if (!resumeWanted) {
    // A port the resume could not offer (its adapter not plugged in) was not
    // refused: the contacts of this run wait for it, and it opens by itself
    // once its device is there. A port offered and declined is given up.
    const std::string port(Trim(settings.texts.port.view()));
    if (!port.empty() && !platform::SerialPortRegistry(m_portFile).DeviceOf(port).empty())
      m_watch.OpenFailed(port, m_portFile);
    if (!m_watch.Watching()) {
      settings.texts.port.Clear();
      return;
    }
    m_converted = ConvertSerialTexts(settings.texts);
    m_used = true;
    return;
  }
  DiscardThread();
  m_converted = ConvertSerialTexts(settings.texts);
  CreateAndStart(settings.texts.port.str());
  m_dialog.SetLoggingButtons(true);
}

void TSioLogController::PerformSerialIoLogging(TSioLogSettings& settings, bool centredForms) {
  if (m_menuChecked) {
    SetMenuChecked(false);
    if (IsPortOpen()) StopSerialIoLogging();
    return;
  }
  SetMenuChecked(true);
  // A thread whose port could not be opened does not keep the operator from
  // the dialog: its "Connect" starts afresh and its "Disconnect" ends it.
  if (IsPortOpen()) {
    platform::ShowMessage("Serial I/O Logging is currently using port " + m_dialog.PortText());
    return;
  }
  if (centredForms) m_dialog.CentreOnMainWindow();
  m_dialog.SetStoredTexts(settings.texts);
  if (m_journal) SetWaiting(m_journal->Waiting(TLogJournal::kSerialTarget));
  m_dialog.SetWaitingContacts(m_waiting);
  m_dialog.ShowModal();
  if (m_dialog.DiscardPressed()) {
    if (m_journal) m_journal->Discard(TLogJournal::kSerialTarget);
    SetWaiting(0);
  } else if (m_dialog.SendNowPressed() && IsPortOpen()) {
    DeliverWaiting();
  } else if (m_dialog.ConnectPressed() || m_dialog.SendNowPressed()) {
    settings.wantsAdif = m_dialog.AdifSelected();
    settings.wantsArrl = m_dialog.ArrlSelected();
    settings.texts.port = m_dialog.SelectedTexts().port.view();
    StartSerialIoLogging(settings);
  } else if (m_dialog.DisconnectPressed()) {
    StopSerialIoLogging();
    SetMenuChecked(false);
  }
}

void TSioLogController::StartSerialIoLogging(TSioLogSettings& settings) {
  DiscardThread();
  const TSerialTexts selected = m_dialog.SelectedTexts();
  m_converted = ConvertSerialTexts(selected);
  settings.texts.stopBits = selected.stopBits.view();
  settings.texts.parity = selected.parity.view();
  settings.texts.baud = selected.baud.view();
  settings.texts.dataBits = selected.dataBits.view();
  CreateAndStart(settings.texts.port.str());
  m_dialog.SetLoggingButtons(true);
}

void TSioLogController::StopSerialIoLogging() {
  DiscardThread();
  m_watch.Forget();
  m_dialog.SetLoggingButtons(false);
}

bool TSioLogController::SendContact(std::string_view recordLine) {
  if (!IsPortOpen()) return false;
  FixedText<100> line(recordLine);
  line += ":;";
  const std::string text = UpperCase(line.view());
  try {
    return m_thread->Send(text.data(), static_cast<std::uint32_t>(text.size()));
  } catch (const ECommError& error) {
    Failed(error);
    return false;
  }
}

void TSioLogController::Failed(const ECommError& error) {
  const std::string port = m_thread->PortName();
  // The error that ended the reader comes back at a send: it was a read.
  const bool readFailed = m_thread->ReaderError().has_value();
  StopSerialIoLogging();
  SetMenuChecked(false);
  m_watch.Lost();
  platform::ShowMessage(platform::WithSystemError(
      (readFailed ? "Serial I/O logging stopped: could not read from " : "Serial I/O logging stopped: could not write to ") + port,
      static_cast<int>(error.Code())));
}

std::size_t TSioLogController::DeliverWaiting(bool portChosen) {
  if (!m_journal) return 0;
  if (!m_used && !portChosen) {
    m_journal->Discard(TLogJournal::kSerialTarget);
  } else if (IsPortOpen()) {
    const std::size_t before = m_waiting;
    const std::size_t sent = m_journal->Feed(TLogJournal::kSerialTarget, [this](const std::string& line) {
      // A line without the record line's twelve fields is no contact: the
      // part of one that a power cut left at the end of the log.
      return std::count(line.begin(), line.end(), ':') != kLogCells - 1 || SendContact(line);
    });
    if (before > 0 && sent > 0)
      std::fprintf(stderr, "Talvex: %zu contact(s) that waited sent out of %s\n", std::min(before, sent),
                   m_thread ? m_thread->PortName().c_str() : "the logging port");
  }
  SetWaiting(m_journal->Waiting(TLogJournal::kSerialTarget));
  return m_waiting;
}

void TSioLogController::SetWaiting(std::size_t count) {
  if (count == m_waiting) return;
  m_waiting = count;
  if (m_onWaiting) m_onWaiting(count);
}

std::string TSioLogController::WaitingText(std::size_t count) {
  if (count == 0) return {};
  return count == 1 ? "1 contact waits for the logging port"
                    : std::to_string(count) + " contacts wait for the logging port";
}

std::optional<std::string> TSioLogController::RefindDevice() {
  // A port error that ended the reader is told now, not at the next contact,
  // so the device is watched for at once.
  if (m_thread && m_thread->IsPortOpen()) {
    if (const auto error = m_thread->ReaderError()) Failed(*error);
    return std::nullopt;
  }
  const auto port = m_watch.Returned(m_portFile);
  if (!port) return std::nullopt;
  DiscardThread();  // one whose port could not be opened
  CreateAndStart(*port);
  m_dialog.SetLoggingButtons(true);
  if (!IsPortOpen()) return std::nullopt;  // told by the open, and watched again if its file is gone
  SetMenuChecked(true);
  std::fprintf(stderr, "Talvex: the logging port's device is back, as %s\n", port->c_str());
  return port;
}
