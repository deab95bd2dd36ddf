#include "MessagePanel.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QSignalBlocker>

#include "PanelLook.h"

namespace radiopanel {
namespace {

const char* const kKeys[] = {"F1 CQ", "F2 MSG1", "F3 MSG2", "F4 MSG3", "F5 MSG4", "F6 73"};
constexpr int kShownCharacters = 22;

}  // namespace

MessagePanel::MessagePanel(const QString& objectName, PanelRadio& radio, std::function<void()> after)
    : PanelWindow(objectName, QString::fromStdString(radio.Abilities().radioName) + QString(" - messages")),
      m_radio(radio), m_after(std::move(after)) {
  setStyleSheet(look::StyleSheet());
  onMessageKey = [this](int slot) {
    m_radio.SendMessage(slot);
    if (m_after) m_after();
  };
  onStopKey = [this] {
    m_radio.StopSending();
    if (m_after) m_after();
  };
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(8, 6, 8, 6);
  row->setSpacing(4);
  row->setSizeConstraint(QLayout::SetFixedSize);
  for (int slot = 0; slot < 6; ++slot) {
    auto* b = new QPushButton;
    b->setObjectName(QString("bnMsg%1").arg(slot + 1));
    b->setFocusPolicy(Qt::NoFocus);
    b->setCheckable(true);
    b->setMinimumSize(118, 44);
    connect(b, &QPushButton::clicked, this, [this, slot] {
      m_radio.SendMessage(slot);
      if (m_after) m_after();
    });
    m_buttons[static_cast<std::size_t>(slot)] = b;
    row->addWidget(b);
  }
  m_stop = new QPushButton(QString("ESC\nStop"));
  m_stop->setObjectName(QString("bnMsgStop"));
  m_stop->setFocusPolicy(Qt::NoFocus);
  m_stop->setMinimumSize(60, 44);
  connect(m_stop, &QPushButton::clicked, this, [this] {
    m_radio.StopSending();
    if (m_after) m_after();
  });
  row->addWidget(m_stop);
}

void MessagePanel::Refresh(const PanelState& state) {
  const bool live = state.answering && state.poweredOn;
  for (std::size_t slot = 0; slot < m_buttons.size(); ++slot) {
    QPushButton* b = m_buttons[slot];
    const QString message = slot < state.messages.size() ? QString::fromStdString(state.messages[slot]) : QString();
    QString shown = message.simplified();
    if (shown.size() > kShownCharacters) shown = shown.left(kShownCharacters - 1) + QChar(0x2026);
    const QString text = QString::fromLatin1(kKeys[slot]) + QLatin1Char('\n') + shown;
    if (b->text() != text) b->setText(text);
    if (b->toolTip() != message) b->setToolTip(message);
    b->setEnabled(live && !message.trimmed().isEmpty());
    QSignalBlocker block(b);
    b->setChecked(state.transmitting && state.messageSlot == static_cast<int>(slot));
  }
  m_stop->setEnabled(live);
}

}  // namespace radiopanel
