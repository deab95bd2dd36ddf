// Delivering logged contacts: the serial I/O logging port and the network
// targets are fed from the default log (the application object's journal)
// after each contact the window logs, and once a second for the lines a
// radio library's attached grid appended; the same tick watches for the
// logging port's device to come back. The key row says how many contacts
// wait for the port.

#include <QAction>
#include <QFrame>
#include <QTimer>
#include <utility>

#include "app/TWindowApp.h"
#include "data/TLogJournal.h"
#include "data/TNetLogSettings.h"
#include "dialogs/TfmNetLog.h"
#include "mainform/TfmPanel.h"
#include "mainform/TfmRCatMain.h"
#include "platform/MessageSink.h"
#include "platform/QtText.h"
#include "platform/SystemError.h"
#include "serial/TSioLogController.h"

namespace {
constexpr int kDeliveryTickMs = 1000;
}  // namespace

void TfmRCatMain::InstallDelivery() {
  // Over the sending status at the key row's end: while contacts wait, that
  // is what the operator must see there.
  pnLogWait = new TfmPanel(pnKeys);
  pnLogWait->setObjectName(QStringLiteral("pnLogWait"));
  pnLogWait->setGeometry(pnSending->geometry());
  pnLogWait->setAlignment(Qt::AlignCenter);
  pnLogWait->setWordWrap(true);
  pnLogWait->setAutoFillBackground(true);
  QFont small = pnLogWait->font();
  small.setPixelSize(9);
  pnLogWait->setFont(small);
  QPalette red = pnLogWait->palette();
  red.setColor(QPalette::WindowText, QColor(0xc0, 0x00, 0x00));
  pnLogWait->setPalette(red);
  pnLogWait->setToolTip(QStringLiteral("\"Perform Serial I/O Logging\" sends them or discards them"));
  pnLogWait->hide();

  m_sioLog->AttachJournal(&m_app.Journal());
  m_sioLog->SetWaitingHandler([this](std::size_t count) { ShowWaitingContacts(count); });

  tmDelivery = new QTimer(this);
  tmDelivery->setObjectName(QStringLiteral("tmDelivery"));
  tmDelivery->setInterval(kDeliveryTickMs);
  connect(tmDelivery, &QTimer::timeout, this, [this] {
    if (m_closed) return;
    if (const auto port = m_sioLog->RefindDevice()) {
      TSioLogSettings settings = m_app.SioLogSettings();
      settings.texts.port = *port;
      m_app.StoreSioLogSettings(settings);
    }
    DeliverContacts();
  });
  tmDelivery->start();
  DeliverContacts();
}

void TfmRCatMain::DeliverContacts() {
  // A port is chosen when one is stored and a format with it: the dialog's
  // "Connect" stores both, declining serial logging at resume empties the port.
  const TSioLogSettings chosen = m_app.SioLogSettings();
  m_sioLog->DeliverWaiting(!chosen.texts.port.empty() && (chosen.wantsAdif || chosen.wantsArrl));
  m_app.DeliverNetworkContacts();
  // Positions that do not reach the disk are lost with the program: after a
  // restart the targets would start at the end of the log. Said once, until
  // the file can be written again.
  const TLogJournal& journal = m_app.Journal();
  if (journal.StateWritten()) {
    m_toldDeliveryFile = false;
  } else if (!std::exchange(m_toldDeliveryFile, true)) {
    platform::ShowMessage(platform::WithSystemError("Could not write " + journal.StateFile(), journal.StateError()) +
                          " - contacts that wait for the logging port or the network are lost if Talvex ends now");
  }
}

void TfmRCatMain::ShowWaitingContacts(std::size_t count) {
  pnLogWait->setText(platform::ToQString(TSioLogController::WaitingText(count)));
  pnLogWait->setVisible(count > 0);
  if (count > 0) pnLogWait->raise();
}

void TfmRCatMain::NetworkLoggingCommand() {
  TfmNetLog dialog([this](const TNetLogSettings& settings) { return m_app.SendNetHeartbeat(settings); }, this);
  dialog.SetSettings(m_app.NetLogSettings());
  dialog.SetStatus(m_app.NetLogFailure());
  dialog.exec();
  if (!dialog.Applied()) return;
  if (const auto settings = dialog.Settings(); settings && !m_app.StoreNetLogSettings(*settings))
    platform::ShowMessage("Could not write the network logging settings to " + m_app.Files().programDir.str() +
                          kNetLogFileName);
}
