#include "app/TRadioSession.h"

#include <chrono>
#include <set>
#include <thread>
#include <utility>

#include "app/TTalvexApp.h"
#include "data/FixedText.h"
#include "data/TextUtils.h"

TRadioSession::TRadioSession(TTalvexApp& app, TSessionWindow& window) : m_app(app), m_window(window) {
  m_app.SetMainWindowBoundsSource([this] { return m_window.MainWindowBounds(); });
}

TRadioSession::~TRadioSession() { m_app.SetMainWindowBoundsSource(nullptr); }

void TRadioSession::StartListeners() {
  m_window.StartListeners();
  m_logListenerFresh = true;
}

void TRadioSession::Resume(const TResumeChoice& choices) {
  m_choices = choices;
  // The serial logging port's fate (given up when declined, kept when the
  // resume could not offer it) is the window's resume of serial I/O logging.
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
  StartListeners();
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
  StartListeners();
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
  m_app.SetNamesHistoryFile(1, m_app.Files().namesFile.str());
  m_app.SetLogFile(1, m_app.GetLocalLogFile(), m_app.GetLocalLogType());
  m_app.SetWantsLog(1, true);
  m_app.SetDefaultLogFile(1, m_app.Files().defaultLogFile.str());
}

void TRadioSession::ShowChosen(TSessionItem item, bool& choice) {
  const bool show = choice;
  choice = false;
  m_window.SetItemChecked(item, show);
  if (item != TSessionItem::kMessageButtons) {
    SendShown(item, show);
    return;
  }
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
}

void TRadioSession::SendShown(TSessionItem item, bool shown) {
  switch (item) {
    case TSessionItem::kKeyboard: shown ? m_app.ShowKeyboard(1) : m_app.HideKeyboard(1); break;
    case TSessionItem::kLogGrid:
      m_logGridShown = shown;
      shown ? m_app.ShowLogGrid(1) : m_app.HideLogGrid(1);
      break;
    case TSessionItem::kMessageButtons: shown ? m_app.ShowMessageButtons(1) : m_app.HideMessageButtons(1); break;
    case TSessionItem::kTitleBars: shown ? m_app.ShowTitleBars(1) : m_app.HideTitleBars(1); break;
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
  // A quarter second for the radio to settle before the listeners stop.
  if (m_pause)
    m_pause(kDisconnectWaitMs);
  else
    std::this_thread::sleep_for(std::chrono::milliseconds(kDisconnectWaitMs));
}

// ---- the window's radio commands ----

bool TRadioSession::IsConnected() const { return m_app.IsRadioConnected(1); }

void TRadioSession::SendMessage(int index) {
  if (IsConnected()) m_app.SendMessageAt(1, index);
}

void TRadioSession::StopMessage() {
  if (IsConnected()) m_app.StopAutoRepeat();
}

void TRadioSession::SetAutoCq(bool on) {
  if (!on) m_app.StopAutoRepeat();
  m_app.SetAutoCq(on);
}

void TRadioSession::Show(TSessionItem item, bool shown) {
  if (item == TSessionItem::kMessageButtons && shown) {
    m_app.LoadMessageTemplates();
    m_window.PrepareMessages();
  }
  SendShown(item, shown);
  // The keyboard and the attached grid share the library's panel.
  if (item == TSessionItem::kKeyboard) SendShown(TSessionItem::kLogGrid, m_logGridShown);
}

void TRadioSession::ShowMembers(bool showFoc, bool showCwops) {
  m_app.SetMemberDisplay(showFoc, showCwops);
  m_app.SetShowMembers(1, showFoc, showCwops);
}

void TRadioSession::Command(TRadioCommand command) {
  switch (command) {
    case TRadioCommand::kVfoAKnob: m_app.FocusVfoKnob(1, 'A'); return;
    case TRadioCommand::kVfoBKnob: m_app.FocusVfoKnob(1, 'B'); return;
    default: break;
  }
  if (!IsConnected()) return;
  switch (command) {
    case TRadioCommand::kSetParameters: m_app.ShowConfig(1); break;
    case TRadioCommand::kManageMacros: m_app.AddMacros(1); break;
    case TRadioCommand::kConfigureKnob: m_app.ShowPigKnobConfig(1); break;
    case TRadioCommand::kSoftPanel: m_app.ShowMoreControls(1); break;
    case TRadioCommand::kVfoAKnob:
    case TRadioCommand::kVfoBKnob: break;
  }
}

std::vector<std::string> TRadioSession::MacroNames() const {
  if (!IsConnected()) return {};
  std::vector<std::string> names;
  m_app.GetMacroNames(1, names);
  // Names that differ only by blanks around them are one macro.
  std::set<std::string> sorted;
  for (const std::string& name : names) sorted.insert(Trim(name));
  return {sorted.begin(), sorted.end()};
}

void TRadioSession::RunMacro(const std::string& name) const {
  if (IsConnected()) m_app.RunMacro(CutText(name, 30));
}

bool TRadioSession::LoadMessages() { return m_app.LoadRadioMessages(); }

bool TRadioSession::AskToConnect() { return !IsConnected() && m_app.AskToConnectRadio(); }

std::optional<std::string> TRadioSession::RadioChanged() {
  m_app.PollFrequency(1);
  m_app.PollMode(1);
  m_app.PollOutputPower(1);
  m_app.PollKeyerSpeed(1);
  std::optional<std::string> baud;
  if (IsConnected()) {
    m_app.RefreshRadioBaud(1);
    baud = m_app.GetRadioBaud();
  }
  TLogLine& line = m_app.LogLine();
  line.SetCell(kCellFreq, m_app.GetFrequencyText(1, 11));
  line.SetCell(kCellMode, m_app.GetModeText(1, 5));
  std::string power;
  if (m_app.GetPowerText(1, 3, power)) line.SetCell(kCellPower, power);
  return baud;
}

std::string TRadioSession::LogMode() const { return m_app.GetModeText(1, 4); }

int TRadioSession::MessageId() { return m_app.GetMessageId(1); }

bool TRadioSession::TakeLogRequest() { return !std::exchange(m_logListenerFresh, false); }
