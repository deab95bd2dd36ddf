#include "serial/TfmRadioPort.h"

#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include "serial/QtSerialBoxes.h"

TfmRadioPort::TfmRadioPort(std::string portFile, QWidget* parent)
    : QDialog(parent), m_portFile(std::move(portFile)) {
  setObjectName("fmRadioPort");
  setWindowTitle("Setting Up the Radio Port");

  m_cbPort = MakeListBox("cbPort", {}, this);
  m_cbPort->installEventFilter(this);
  m_cbBaud = MakeListBox("cbBaud", {"4800", "9600", "19200", "38400"}, this);
  MakeConnectButtons(this, m_bnStart, m_bnStop, &TfmRadioPort::Connect, &TfmRadioPort::Disconnect);

  auto* layout = new QGridLayout(this);
  layout->addWidget(new QLabel("Port ", this), 0, 0);
  layout->addWidget(new QLabel("Baud", this), 0, 1);
  layout->addWidget(m_cbPort, 1, 0);
  layout->addWidget(m_cbBaud, 1, 1);
  layout->addWidget(m_bnStart, 2, 0);
  layout->addWidget(m_bnStop, 2, 1);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TfmRadioPort::showEvent(QShowEvent* event) {
  FillPortBox(*m_cbPort, m_portFile);
  SelectText(*m_cbPort, m_texts.port.view());
  SelectText(*m_cbBaud, m_texts.baud.view());
  m_texts.stopBits = "1";
  m_texts.dataBits = "8";
  m_texts.parity = "NONE";
  m_connectPressed = false;
  m_disconnectPressed = false;
  QDialog::showEvent(event);
}

bool TfmRadioPort::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_cbPort && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
    reject();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void TfmRadioPort::PlaceOnMainWindow(const QWidget& mainWindow) {
  adjustSize();
  const QRect main = mainWindow.frameGeometry();
  // Integer halves round towards zero, as the window's own arithmetic does.
  move(main.left() + main.width() / 2 - frameGeometry().width() / 2, main.top());
}

void TfmRadioPort::Connect() {
  m_connectPressed = true;
  m_bnStop->setEnabled(true);
  m_bnStart->setEnabled(false);
  m_texts.port = BoxText(*m_cbPort);
  m_texts.baud = BoxText(*m_cbBaud);
  accept();
}

void TfmRadioPort::Disconnect() {
  m_disconnectPressed = true;
  m_bnStart->setEnabled(true);
  m_bnStop->setEnabled(false);
  accept();
}
