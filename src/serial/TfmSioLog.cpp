#include "serial/TfmSioLog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "serial/QtSerialBoxes.h"
#include "serial/TSioLogController.h"

TfmSioLog::TfmSioLog(std::string portFile, QWidget* parent)
    : QDialog(parent), m_portFile(std::move(portFile)) {
  setObjectName("fmSioLog");
  setWindowTitle("Setting Up Serial I/O Log");
  // A dialog border with only the system menu.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);

  m_cbPort = MakeListBox("cbPort", {}, this);
  m_cbBaud = MakeListBox("cbBaud",
                         {"1200", "2400", "4800", "9600", "14400", "19200", "28800", "38400", "56000",
                          "57600", "115200"},
                         this);
  m_cbDataBits = MakeListBox("cbDataBits", {"8", "7", "6", "5"}, this);
  m_cbStopBits = MakeListBox("cbStopBits", {"1", "1.5", "2"}, this);
  m_cbParity = MakeListBox("cbParity", {"None", "Even", "Odd"}, this);

  auto* boxes = new QGridLayout;
  const char* captions[] = {"Port ", "Baud", "Data Bits", "Stop Bits", "Parity"};
  QComboBox* row[] = {m_cbPort, m_cbBaud, m_cbDataBits, m_cbStopBits, m_cbParity};
  for (int i = 0; i < 5; ++i) {
    boxes->addWidget(new QLabel(captions[i], this), 0, i);
    boxes->addWidget(row[i], 1, i);
  }

  m_rgLogFormat = new QGroupBox("  Serial Log Format  ", this);
  m_rgLogFormat->setObjectName("rgLogFormat");
  m_rbArrl = new QRadioButton("ARRL Log Book", m_rgLogFormat);
  m_rbAdif = new QRadioButton("ADIF", m_rgLogFormat);
  auto* formats = new QHBoxLayout(m_rgLogFormat);
  formats->addWidget(m_rbArrl);
  formats->addWidget(m_rbAdif);
  m_rbArrl->setChecked(true);

  MakeConnectButtons(this, m_bnStart, m_bnStop, &TfmSioLog::Connect, &TfmSioLog::Disconnect);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(m_bnStart);
  buttons->addWidget(m_bnStop);

  m_lbWaiting = new QLabel(this);
  m_lbWaiting->setObjectName("lbWaiting");
  m_bnSendNow = new QPushButton("Send Now", this);
  m_bnSendNow->setObjectName("bnSendNow");
  m_bnSendNow->setAutoDefault(false);
  m_bnDiscard = new QPushButton("Discard", this);
  m_bnDiscard->setObjectName("bnDiscard");
  m_bnDiscard->setAutoDefault(false);
  connect(m_bnSendNow, &QPushButton::clicked, this, [this] {
    m_sendNowPressed = true;
    accept();
  });
  connect(m_bnDiscard, &QPushButton::clicked, this, [this] {
    m_discardPressed = true;
    accept();
  });
  auto* waiting = new QHBoxLayout;
  waiting->addWidget(m_lbWaiting, 1);
  waiting->addWidget(m_bnSendNow);
  waiting->addWidget(m_bnDiscard);
  SetWaitingContacts(0);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(boxes);
  layout->addWidget(m_rgLogFormat);
  layout->addLayout(waiting);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TfmSioLog::showEvent(QShowEvent* event) {
  FillPortBox(*m_cbPort, m_portFile);
  SelectText(*m_cbPort, m_texts.port.view());
  SelectText(*m_cbBaud, m_texts.baud.view());
  SelectText(*m_cbDataBits, m_texts.dataBits.view());
  SelectText(*m_cbStopBits, m_texts.stopBits.view());
  SelectText(*m_cbParity, m_texts.parity.view());
  m_connectPressed = false;
  m_disconnectPressed = false;
  m_sendNowPressed = false;
  m_discardPressed = false;
  QDialog::showEvent(event);
}

void TfmSioLog::CentreOnMainWindow() {
  const QWidget* main = parentWidget();
  if (!main) return;
  adjustSize();
  const QRect frame = main->frameGeometry();
  move(frame.left() + frame.width() / 2 - width() / 2, frame.top() + frame.height() / 2 - height() / 2);
}

TSerialTexts TfmSioLog::SelectedTexts() const {
  TSerialTexts texts;
  texts.port = BoxText(*m_cbPort);
  texts.baud = BoxText(*m_cbBaud);
  texts.stopBits = BoxText(*m_cbStopBits);
  texts.dataBits = BoxText(*m_cbDataBits);
  texts.parity = BoxText(*m_cbParity);
  return texts;
}

std::string TfmSioLog::PortText() const { return BoxText(*m_cbPort); }
bool TfmSioLog::AdifSelected() const { return m_rbAdif->isChecked(); }
bool TfmSioLog::ArrlSelected() const { return m_rbArrl->isChecked(); }

void TfmSioLog::SetLoggingButtons(bool loggingOn) {
  m_bnStop->setEnabled(loggingOn);
  m_bnStart->setEnabled(!loggingOn);
}

void TfmSioLog::SetWaitingContacts(std::size_t count) {
  m_lbWaiting->setText(count == 0 ? QStringLiteral("No contact waits for the logging port")
                                  : QString::fromStdString(TSioLogController::WaitingText(count)));
  m_bnSendNow->setEnabled(count > 0);
  m_bnDiscard->setEnabled(count > 0);
}

void TfmSioLog::Connect() {
  m_connectPressed = true;
  SetLoggingButtons(true);
  accept();
}

void TfmSioLog::Disconnect() {
  m_disconnectPressed = true;
  SetLoggingButtons(false);
  accept();
}
