#include "dialogs/TfmNetLog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "data/TextUtils.h"
#include "platform/QtText.h"

namespace {
QPushButton* MakeButton(const char* name, const QString& caption, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setAutoDefault(false);
  return button;
}
}  // namespace

TfmNetLog::TfmNetLog(Test test, QWidget* parent) : QDialog(parent), m_test(std::move(test)) {
  setObjectName(QStringLiteral("fmNetLog"));
  setWindowTitle(QStringLiteral("Network Logging"));

  ckbWsjtx = new QCheckBox(QStringLiteral("WSJT-X \"QSO Logged\" and \"Logged ADIF\" to"), this);
  ckbWsjtx->setObjectName(QStringLiteral("ckbWsjtx"));
  ebWsjtxAddress = new QLineEdit(this);
  ebWsjtxAddress->setObjectName(QStringLiteral("ebWsjtxAddress"));
  ckbN1mm = new QCheckBox(QStringLiteral("N1MM contactinfo to"), this);
  ckbN1mm->setObjectName(QStringLiteral("ckbN1mm"));
  ebN1mmAddress = new QLineEdit(this);
  ebN1mmAddress->setObjectName(QStringLiteral("ebN1mmAddress"));
  const QString addressHint = QStringLiteral("An IPv4 address and a port: 127.0.0.1 for this computer, another "
                                            "computer's address, or a multicast group such as 224.0.0.1");
  ebWsjtxAddress->setToolTip(addressHint);
  ebN1mmAddress->setToolTip(addressHint);
  ebStationCall = new QLineEdit(this);
  ebStationCall->setObjectName(QStringLiteral("ebStationCall"));
  ebStationCall->setMaxLength(30);
  lbStatus = new QLabel(this);
  lbStatus->setObjectName(QStringLiteral("lbStatus"));
  lbStatus->setWordWrap(true);

  auto* grid = new QGridLayout;
  grid->addWidget(new QLabel(QStringLiteral("Send each logged contact as"), this), 0, 0, 1, 2);
  grid->addWidget(ckbWsjtx, 1, 0);
  grid->addWidget(ebWsjtxAddress, 1, 1);
  grid->addWidget(ckbN1mm, 2, 0);
  grid->addWidget(ebN1mmAddress, 2, 1);
  grid->addWidget(new QLabel(QStringLiteral("Our station call"), this), 3, 0);
  grid->addWidget(ebStationCall, 3, 1);

  QPushButton* bnTest = MakeButton("bnTest", QStringLiteral("Send Test Heartbeat"), this);
  QPushButton* bnOk = MakeButton("bnOk", QStringLiteral("OK"), this);
  QPushButton* bnCancel = MakeButton("bnCancel", QStringLiteral("Cancel"), this);
  connect(bnTest, &QPushButton::clicked, this, [this] { SendTest(); });
  connect(bnOk, &QPushButton::clicked, this, [this] { Apply(); });
  connect(bnCancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(bnTest);
  buttons->addStretch();
  buttons->addWidget(bnOk);
  buttons->addWidget(bnCancel);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addWidget(lbStatus);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TfmNetLog::SetSettings(const TNetLogSettings& settings) {
  m_settings = settings;
  ckbWsjtx->setChecked(settings.wsjtx);
  ebWsjtxAddress->setText(platform::ToQString(settings.wsjtxAddress.Text()));
  ckbN1mm->setChecked(settings.n1mm);
  ebN1mmAddress->setText(platform::ToQString(settings.n1mmAddress.Text()));
  ebStationCall->setText(platform::ToQString(settings.stationCall));
}

std::optional<TNetLogSettings> TfmNetLog::Settings() {
  TNetLogSettings settings = m_settings;
  settings.wsjtx = ckbWsjtx->isChecked();
  settings.n1mm = ckbN1mm->isChecked();
  const auto wsjtx = ParseUdpAddress(platform::FromQString(ebWsjtxAddress->text()));
  const auto n1mm = ParseUdpAddress(platform::FromQString(ebN1mmAddress->text()));
  const std::string call = UpperCase(Trim(platform::FromQString(ebStationCall->text())));
  if (!wsjtx || !n1mm) {
    lbStatus->setText(QStringLiteral("An address is an IPv4 address and a port, such as 127.0.0.1:2237"));
    return std::nullopt;
  }
  if (!IsCallsign(call)) {
    lbStatus->setText(QStringLiteral("Our station call is not a call sign"));
    return std::nullopt;
  }
  settings.wsjtxAddress = *wsjtx;
  settings.n1mmAddress = *n1mm;
  settings.stationCall = call;
  return settings;
}

void TfmNetLog::showEvent(QShowEvent* event) {
  m_applied = false;
  lbStatus->setText(platform::ToQString(m_status));
  QDialog::showEvent(event);
}

void TfmNetLog::SendTest() {
  if (const auto settings = Settings(); settings && m_test) lbStatus->setText(platform::ToQString(m_test(*settings)));
}

void TfmNetLog::Apply() {
  if (!Settings()) return;
  m_applied = true;
  accept();
}
