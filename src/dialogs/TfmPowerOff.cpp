#include "dialogs/TfmPowerOff.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfmPowerOff::TfmPowerOff(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint) {
  setObjectName(QStringLiteral("fmPowerOff"));
  setWindowTitle(QStringLiteral("Power Off Warning"));
  setAutoFillBackground(true);
  QPalette red = palette();
  red.setColor(QPalette::Window, QColor(0xff, 0x00, 0x00));
  red.setColor(QPalette::WindowText, Qt::white);
  setPalette(red);

  auto* label = new QLabel(QStringLiteral("Continue this action which will turn off the radio?."), this);
  auto* yes = new QPushButton(QStringLiteral("Yes"), this);
  yes->setObjectName(QStringLiteral("bnYes"));
  auto* no = new QPushButton(QStringLiteral("No"), this);
  no->setObjectName(QStringLiteral("bnNo"));
  no->setDefault(true);  // Return does not turn the radio off by accident
  connect(yes, &QPushButton::clicked, this, [this] {
    m_confirmed = true;
    accept();
  });
  connect(no, &QPushButton::clicked, this, &QDialog::reject);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(yes);
  buttons->addWidget(no);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label);
  layout->addLayout(buttons);
}

void TfmPowerOff::showEvent(QShowEvent* event) {
  m_confirmed = false;
  QDialog::showEvent(event);
}
