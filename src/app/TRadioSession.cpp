#include "app/TRadioSession.h"

#include <chrono>
#include <thread>

#include "app/TTalvexApp.h"

void TRadioSession::Resume(const TResumeChoice& choices) {
  m_choices = choices;
  if (!choices.sioLog) m_app.ClearSioLogComPort();
  if (!choices.userLog)
    m_app.SetLocalLogFile("");
  else
    m_app.SetLocalLogging(true);
  FirstConnection();
  m_window.ResumeSerialIoLogging(m_choices.sioLog);
  if (!choices.userLog) m_app.SetLocalLogging(false);
}

void TRadioSession::FirstConnection() {
  m_window.ShowConnecting("Connecting");
  if (!m_choices.radioPort) return;
  m_choices.radioPort = false;
  m_window.ShrinkToGridAndKeys();
  m_window.StartListeners();
  const std::string baud = m_app.GetRadioBaud();
  std::string libraryPort;
  const bool connected = ConnectLeftRadio(m_app.GetRadioComPort(), baud, libraryPort);
  // The port and baud rate are kept even when the radio did not answer.
  TakeConnection(libraryPort, baud);
  if (!connected) return;

  m_app.ReadRadioFrequency(1);
  m_app.ReadRadioMode(1);
  HandOverToLibrary();
  ShowChosen(TSessionItem::kKeyboard, m_choices.keyboard);
  ShowChosen(TSessionItem::kLogGrid, m_choices.logGrid);
  ShowChosen(TSessionItem::kMessageButtons, m_choices.messageButtons);
  SetUpAutoCq();
  m_window.ShowSoftPanelSwitch();
  m_window.FocusLogLine();
}

bool TRadioSession::Connect(const std::string& port, const std::string& baud) {
  m_window.ShowConnecting("Connecting");
  // A radio that is connected already makes this a failed connection: the
  // listeners keep the events its library knows, the stored port stays.
  if (m_app.IsRadioConnected(1)) {
    m_window.ShowConnecting("Connect failed");
    return false;
  }
  m_window.StartListeners();
  std::string libraryPort;
  if (!ConnectLeftRadio(port, baud, libraryPort)) {
    m_window.ShowConnecting("Connect failed");
    return false;
  }
  TakeConnection(libraryPort, baud);
  m_app.ReadRadioFrequency(1);
  m_app.ReadRadioMode(1);
  m_window.ClearLogLine();
  m_app.LoadMessageTemplates();
  m_window.PrepareMessages();
  // The library learns the fresh events and the files as at the first
  // connection, so its own log requests and message events reach us.
  HandOverToLibrary();
  m_window.FocusLogLine();
  return true;
}

void TRadioSession::Disconnect() {
  m_app.WriteRadioRestartFile();
  DisconnectLeftRadio();
  m_window.StopListeners(TListenersToStop::kRadioAndLog);
  m_window.ShowConnecting("Disconnected");
}

void TRadioSession::TurnOff() {
  m_app.TurnOffRadio(1);
  m_app.WriteRadioRestartFile();
  DisconnectLeftRadio();
  m_window.StopListeners(TListenersToStop::kAlsoMsgOver);
}

void TRadioSession::Close() {
  m_app.WriteRadioRestartFile();
  DisconnectLeftRadio();
  // The message listeners end too, so that the process ends with no thread
  // waiting on an event.
  m_window.StopListeners(TListenersToStop::kAll);
  m_app.SetColumnWidths(m_window.ColumnWidths());
  m_app.WriteRestartFile();
}

bool TRadioSession::ConnectLeftRadio(const std::string& port, const std::string& baud,
                                     std::string& libraryPort) {
  libraryPort = port;  // a library may change it
  const bool made =
      m_app.ConnectRadio(1, kRadioModel, baud, m_window.ListenerEvents().radioChange, libraryPort, kRadioTag);
  return made && m_app.IsRadioConnected(1);
}

void TRadioSession::TakeConnection(const std::string& libraryPort, const std::string& baud) {
  m_app.SetRadioBaudRate(1, baud);
  m_app.ReloadRadioRestart(1);
  m_app.SetRadioBaud(baud);
  m_app.SetRadioModel(kRadioModel);
  m_app.SetRadioComPort(libraryPort);
}

void TRadioSession::HandOverToLibrary() {
  m_app.HideConfigPanel(1);
  m_app.HideClosePanel(1);
  m_app.HideSmallPanel(1);
  const TListenerEvents events = m_window.ListenerEvents();
  const TRestartSettings& o = m_app.Options();
  m_app.SetLogRequestEvent(1, events.logRequest);
  m_app.SetMessageEvents(1, events.msgStart, events.msgOver);
  m_app.SetShowMembers(1, o.showFocMembers, o.showCwopMembers);
  m_app.SetNamesHistoryFile(1, m_app.GetNamesFile());
  m_app.SetLogFile(1, m_app.GetLocalLogFile(), m_app.GetLocalLogType());
  m_app.SetWantsLog(1, true);
  m_app.SetDefaultLogFile(1, m_app.GetDefaultLogFile());
}

void TRadioSession::ShowChosen(TSessionItem item, bool& choice) {
  const bool show = choice;
  choice = false;
  m_window.SetItemChecked(item, show);
  switch (item) {
    case TSessionItem::kKeyboard:
      show ? m_app.ShowKeyboard(1) : m_app.HideKeyboard(1);
      break;
    case TSessionItem::kLogGrid:
      show ? m_app.ShowLogGrid(1) : m_app.HideLogGrid(1);
      break;
    case TSessionItem::kMessageButtons:
      if (show) {
        m_app.ShowMessageButtons(1);
        m_window.ClearLogLine();
      } else {
        m_app.HideMessageButtons(1);
      }
      // The messages go to the radio either way: F1 to F6 key them whether
      // or not the library shows its buttons.
      m_app.LoadMessageTemplates();
      m_window.PrepareMessages();
      break;
  }
}

void TRadioSession::SetUpAutoCq() {
  const bool on = m_choices.autoCq;
  m_choices.autoCq = false;
  m_window.EnableAutoCqItems(on);
  m_app.SendAutoCqDelay();
  m_app.SetAutoCq(on);
}

void TRadioSession::DisconnectLeftRadio() {
  m_app.DisconnectRadio(1);
  // Gives the library's own threads time to end before anything else runs.
  std::this_thread::sleep_for(std::chrono::milliseconds(250));
}
