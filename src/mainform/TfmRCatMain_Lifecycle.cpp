// The main window's activation, its first connection, the connect command,
// the soft panel's activation and closing.

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QMenu>
#include <QMessageBox>
#include <QTableWidget>
#include <QTimer>
#include <chrono>
#include <thread>

#include "app/TTalvexApp.h"
#include "dialogs/TfmResume.h"
#include "mainform/TListenerThreads.h"
#include "mainform/TfmPanel.h"
#include "mainform/TfmRCatMain.h"
#include "serial/TSioLogController.h"
#include "serial/TfmRadioPort.h"

namespace {
/// The radio model word every connection uses.
constexpr const char* kRadioModel = "Varo";
/// The RTS/DTR tag every connection uses.
constexpr const char* kRadioTag = "PRPD";

void WaitAfterDisconnect() { std::this_thread::sleep_for(std::chrono::milliseconds(250)); }
}  // namespace

void TfmRCatMain::FormActivate() {
  if (m_closed) return;
  for (int c = 0; c < 12; ++c) sgLog->setColumnWidth(c, m_app.options.columnWidths[c]);

  if (m_app.firstActivation) {
    m_app.firstActivation = false;
    if (!m_app.restartFileRead) return;
    m_resume->PlaceOver(frameGeometry());
    m_resume->exec();
    if (!m_resume->ResumePressed()) return;
    const TResumeChoices choices = m_resume->Choices();
    m_app.resume = {choices.radioPort, choices.messageButtons, choices.keyboard, choices.logGrid,
                    choices.autoCq,    choices.titleBars,      choices.sioLog,   choices.userLog};
    if (!choices.sioLog) m_app.options.sioLogComPort = "";
    if (!choices.userLog)
      m_app.SetLocalLogFile("");
    else
      SwitchLocalLogging(true);
    FirstConnection();
    ResumeSerialIoLogging();
    if (!choices.userLog) SwitchLocalLogging(false);
  }

  {
    const TResumeChoices boxes = m_resume->Choices();
    m_app.options.wantMessageButtons = boxes.messageButtons;
    m_app.options.wantKeyboard = boxes.keyboard;
    m_app.options.wantLogGrid = boxes.logGrid;
    m_app.options.wantAutoCq = boxes.autoCq;
    m_app.options.wantTitleBars = boxes.titleBars;
  }

  if (m_app.IsRadioConnected(1)) EnableConnectedMenus();
}

void TfmRCatMain::EnableConnectedMenus() {
  for (const char* caption : {"Attach Logging Grid to Varo Panel", "Set Parameters", "Show Keyboard",
                              "Show Message Buttons", "Stop Message"})
    MenuItem(QString::fromLatin1(caption))->setEnabled(true);
  m_radioMenu->setEnabled(true);
  pnKeys->setEnabled(true);
  tmHealthCheck->start();
}

void TfmRCatMain::SwitchLocalLogging(bool on) {
  // One wanted flag per format; switching on sets the one of the stored format.
  m_app.localLogWantedAdif = on && m_app.IsLocalLogAdif();
  m_app.localLogWantedArrl = on && !m_app.IsLocalLogAdif();
}

bool TfmRCatMain::ConnectLeftRadio(const std::string& port, std::string& libraryPort,
                                   const std::string& baud) {
  libraryPort = port;
  m_app.ConnectRadio(1, kRadioModel, baud, RadioChangeEvent(), libraryPort, kRadioTag);
  return m_app.IsRadioConnected(1);
}

void TfmRCatMain::TakeConnection(const std::string& libraryPort, const std::string& baud) {
  m_app.SetRadioBaudRate(1, baud);
  m_app.ReloadRadioRestart(1);
  m_app.SetRadioBaud(baud);
  m_app.SetRadioModel(kRadioModel);
  m_app.SetRadioComPort(libraryPort);
}

void TfmRCatMain::FirstConnection() {
  SetConnecting(QStringLiteral("Connecting"));
  if (!m_app.resume.radioPort) return;
  m_app.resume.radioPort = false;
  SetClientHeight(sgLog->height() + pnKeys->height());
  StartAllListeners();

  const std::string baud = m_app.GetRadioBaud();
  std::string libraryPort;
  const bool connected = ConnectLeftRadio(m_app.GetRadioComPort(), libraryPort, baud);
  TakeConnection(libraryPort, baud);
  if (!connected) return;

  m_app.ReadRadioFrequency(1);
  m_app.ReadRadioMode(1);
  m_app.HideConfigPanel(1);
  m_app.HideClosePanel(1);
  m_app.HideSmallPanel(1);
  m_app.SetLogRequestEvent(1, LogRequestEvent());
  m_app.SetMessageEvents(1, MsgStartEvent(), MsgOverEvent());
  m_app.SetShowMembers(1, m_app.options.showFocMembers, m_app.options.showCwopMembers);
  m_app.SetNamesHistoryFile(1, m_app.GetNamesFile());
  m_app.SetLogFile(1, m_app.GetLocalLogFile(), m_app.GetLocalLogType());
  m_app.SetWantsLog(1, true);
  m_app.SetDefaultLogFile(1, m_app.GetDefaultLogFile());

  QAction* keyboard = MenuItem(QStringLiteral("Show Keyboard"));
  const bool showKeyboard = m_app.resume.keyboard;
  m_app.resume.keyboard = false;
  keyboard->setChecked(showKeyboard);
  showKeyboard ? m_app.ShowKeyboard(1) : m_app.HideKeyboard(1);

  QAction* logGrid = MenuItem(QStringLiteral("Attach Logging Grid to Varo Panel"));
  const bool showLogGrid = m_app.resume.logGrid;
  m_app.resume.logGrid = false;
  logGrid->setChecked(showLogGrid);
  showLogGrid ? m_app.ShowLogGrid(1) : m_app.HideLogGrid(1);

  QAction* buttons = MenuItem(QStringLiteral("Show Message Buttons"));
  const bool showButtons = m_app.resume.messageButtons;
  m_app.resume.messageButtons = false;
  buttons->setChecked(showButtons);
  if (showButtons) {
    m_app.ShowMessageButtons(1);
    ClearLogLine();
    m_app.LoadMessageTemplates();
    PrepareMessages();
  } else {
    m_app.HideMessageButtons(1);
  }

  SetUpAutoCq();
  pnActivateSoftPanel->show();
}

bool TfmRCatMain::DeferWhileInStep(void (TfmRCatMain::*fn)()) {
  if (m_stepDepth == 0) return false;
  QTimer::singleShot(50, this, [this, fn] { (this->*fn)(); });
  return true;
}

void TfmRCatMain::ConnectCommand() {
  if (m_closed || DeferWhileInStep(&TfmRCatMain::ConnectCommand)) return;
  TfmRadioPort& dialog = *m_radioPort;
  dialog.SetPortText(m_app.GetRadioComPort());
  dialog.SetBaudText(m_app.GetRadioBaud());
  dialog.PlaceOnMainWindow(*this);
  dialog.exec();

  if (dialog.ConnectPressed()) {
    SetConnecting(QStringLiteral("Connecting"));
    StartAllListeners();
    std::string libraryPort;
    if (ConnectLeftRadio(dialog.PortText(), libraryPort, dialog.BaudText())) {
      TakeConnection(libraryPort, dialog.BaudText());
      m_app.ReadRadioFrequency(1);
      m_app.ReadRadioMode(1);
      ClearLogLine();
      m_app.LoadMessageTemplates();
      PrepareMessages();
    } else {
      SetConnecting(QStringLiteral("Connect failed"));
      QMessageBox box(QMessageBox::Information, QStringLiteral("Connect Failed"),
                      QStringLiteral("Try disconnect button and then retry connect"), QMessageBox::Ok,
                      this);
      box.setObjectName(QStringLiteral("ConnectFailedBox"));
      box.exec();
    }
  } else if (dialog.DisconnectPressed()) {
    m_app.WriteRadioRestartFile();
    DisconnectLeftRadio();
    StopListener(kRadioChange);
    StopListener(kLogRequest);
    SetConnecting(QStringLiteral("Disconnected"));
    m_radioMenu->setEnabled(true);
    MenuItem(QStringLiteral("Attach Logging Grid to Varo Panel"))->setEnabled(true);
  }
}

void TfmRCatMain::DisconnectLeftRadio() {
  m_app.DisconnectRadio(1);
  WaitAfterDisconnect();
}

void TfmRCatMain::pnActivateSoftPanelClick() {
  if (!m_app.IsRadioConnected(1)) return;
  imVaroPanel->hide();
  pnActivateSoftPanel->hide();
  m_app.ShowMoreControls(1);
}

void TfmRCatMain::FormClose() {
  if (m_closed) return;
  m_closed = true;
  m_app.WriteRadioRestartFile();
  DisconnectLeftRadio();
  StopListener(kRadioChange);
  StopListener(kLogRequest);
  // The message listeners end too, so that the process ends with no thread
  // waiting on an event.
  StopListener(kMsgOver);
  StopListener(kMsgStart);
  for (int c = 0; c < 12; ++c) m_app.options.columnWidths[c] = sgLog->columnWidth(c);
  m_app.WriteRestartFile();
}

void TfmRCatMain::ResumeSerialIoLogging() {
  TSioLogSettings settings = SioLogSettingsOf(m_app.options);
  m_sioLog->ResumeSerialIoLogging(m_app.resume.sioLog, settings);
  StoreSioLogSettings(settings, m_app.options);
}

void TfmRCatMain::PerformSerialIoLogging() {
  TSioLogSettings settings = SioLogSettingsOf(m_app.options);
  m_sioLog->PerformSerialIoLogging(settings, m_app.options.wantCenteredForms);
  StoreSioLogSettings(settings, m_app.options);
  // The controller keeps the check mark, not the action's own toggle.
  MenuItem(QStringLiteral("Perform Serial I/O Logging"))->setChecked(m_sioLog->MenuItemChecked());
}
