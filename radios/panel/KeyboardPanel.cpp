#include "KeyboardPanel.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include "PanelLook.h"

namespace radiopanel {

KeyboardPanel::KeyboardPanel(const QString& objectName, PanelRadio& radio, std::function<void()> after)
    : PanelWindow(objectName, QString::fromStdString(radio.Abilities().radioName) + QString(" - CW keyboard")),
      m_radio(radio), m_after(std::move(after)) {
  setStyleSheet(look::StyleSheet());
  const PanelAbilities can = radio.Abilities();
  onStopKey = [this] {
    m_radio.StopSending();
    if (m_after) m_after();
  };
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 6, 8, 6);
  layout->setSpacing(4);

  m_sent = new QPlainTextEdit;
  m_sent->setObjectName(QString("moSent"));
  m_sent->setReadOnly(true);
  m_sent->setFocusPolicy(Qt::NoFocus);
  m_sent->setMaximumBlockCount(200);
  m_sent->setFixedHeight(52);
  QFont mono = m_sent->font();
  mono.setStyleHint(QFont::Monospace);
  mono.setFamily(QString("Monospace"));
  mono.setPixelSize(14);
  m_sent->setFont(mono);
  layout->addWidget(m_sent);

  m_sending = new QLabel;
  m_sending->setObjectName(QString("lbKeySending"));
  m_sending->setTextFormat(Qt::PlainText);
  m_sending->setFont(mono);
  m_sending->setMinimumHeight(20);
  layout->addWidget(m_sending);

  m_edit = new QLineEdit;
  m_edit->setObjectName(QString("edKeyboard"));
  m_edit->setFont(mono);
  m_edit->setPlaceholderText(QString("Type here; Enter keys the line, Esc stops"));
  m_edit->setEnabled(can.sendText);
  layout->addWidget(m_edit);

  auto* row = new QHBoxLayout;
  m_asTyped = new QCheckBox(QString("Key as typed"));
  m_asTyped->setObjectName(QString("ckAsTyped"));
  m_asTyped->setFocusPolicy(Qt::NoFocus);
  m_speed = new QSpinBox;
  m_speed->setObjectName(QString("seKeySpeed"));
  m_speed->setRange(5, 60);
  m_speed->setSuffix(QString(" WPM"));
  m_speed->setKeyboardTracking(false);
  m_speed->setVisible(can.keyerSpeed);
  auto* send = new QPushButton(QString("Send"));
  send->setObjectName(QString("bnKeySend"));
  send->setFocusPolicy(Qt::NoFocus);
  auto* stop = new QPushButton(QString("Stop"));
  stop->setObjectName(QString("bnKeyStop"));
  stop->setFocusPolicy(Qt::NoFocus);
  auto* clear = new QPushButton(QString("Clear"));
  clear->setObjectName(QString("bnKeyClear"));
  clear->setFocusPolicy(Qt::NoFocus);
  row->addWidget(m_asTyped);
  row->addStretch(1);
  row->addWidget(m_speed);
  row->addWidget(send);
  row->addWidget(stop);
  row->addWidget(clear);
  layout->addLayout(row);
  setMinimumWidth(560);

  connect(m_edit, &QLineEdit::textEdited, this, [this](const QString& text) { Edited(text); });
  connect(m_edit, &QLineEdit::returnPressed, this, [this] { SendLine(); });
  connect(send, &QPushButton::clicked, this, [this] { SendLine(); });
  connect(stop, &QPushButton::clicked, this, [this] { onStopKey(); });
  connect(clear, &QPushButton::clicked, this, [this] {
    m_sent->clear();
    m_edit->clear();
    m_keyedLength = 0;
  });
  connect(m_speed, &QSpinBox::valueChanged, this, [this](int wpm) {
    m_radio.SetKeyerSpeed(wpm);
    if (m_after) m_after();
  });
  connect(m_asTyped, &QCheckBox::toggled, this, [this] { m_keyedLength = m_asTyped->isChecked() ? static_cast<int>(m_edit->text().size()) : 0; });
}

void KeyboardPanel::Key(const QString& text) {
  if (text.isEmpty()) return;
  m_radio.SendText(text.toStdString());
  if (m_after) m_after();
}

void KeyboardPanel::Edited(const QString& typed) {
  // Morse has no case: show what will be keyed.
  const QString upper = typed.toUpper();
  if (upper != typed) {
    const int cursor = m_edit->cursorPosition();
    m_edit->setText(upper);
    m_edit->setCursorPosition(cursor);
  }
  if (!m_asTyped->isChecked()) return;
  if (upper.size() > m_keyedLength && upper.left(m_keyedLength) == m_edit->text().left(m_keyedLength)) {
    Key(upper.mid(m_keyedLength));
  }
  m_keyedLength = static_cast<int>(upper.size());
}

void KeyboardPanel::SendLine() {
  const QString line = m_edit->text().trimmed().toUpper();
  if (m_asTyped->isChecked()) {
    Key(QString(QLatin1Char(' ')));  // the word gap after the line
  } else if (!line.isEmpty()) {
    // The blank keeps this line apart from the next.
    Key(line + QLatin1Char(' '));
  }
  if (!line.isEmpty()) m_sent->appendPlainText(line);
  m_edit->clear();
  m_keyedLength = 0;
}

void KeyboardPanel::Refresh(const PanelState& state) {
  const bool live = state.answering && state.poweredOn;
  m_edit->setEnabled(live);
  if (!m_speed->hasFocus() && m_speed->value() != state.keyerSpeed) {
    QSignalBlocker block(m_speed);
    m_speed->setValue(state.keyerSpeed);
  }
  const QString sending = state.transmitting ? QString::fromStdString(state.sending) : QString();
  const QString text = live ? (sending.isEmpty() ? QString() : QString("Sending: ") + sending)
                            : QString(state.answering ? "Powered off" : "Not answering");
  if (m_sending->text() != text) m_sending->setText(text);
}

}  // namespace radiopanel
