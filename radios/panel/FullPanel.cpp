#include "FullPanel.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "FrequencyDisplay.h"
#include "MeterBar.h"
#include "PanelLook.h"
#include "PanelWidgets.h"
#include "TuningKnob.h"

namespace radiopanel {

using namespace widgets;

namespace {

constexpr auto kPowerOffConfirm = std::chrono::seconds(3);

QFrame* Strip(const char* name) {
  auto* f = new QFrame;
  f->setObjectName(QString::fromLatin1("strip"));
  f->setProperty("part", QString::fromLatin1(name));
  f->setAccessibleName(QString::fromLatin1(name));
  return f;
}

QSpinBox* Offset(const char* name, int limit) {
  auto* s = new QSpinBox;
  s->setObjectName(QString::fromLatin1(name));
  s->setRange(-limit, limit);
  s->setSingleStep(10);
  s->setSuffix(QString(" Hz"));
  s->setKeyboardTracking(false);
  s->setMinimumWidth(86);
  return s;
}

}  // namespace

FullPanel::FullPanel(const QString& objectName, PanelRadio& radio, PanelActions& actions, Hooks hooks)
    : PanelWindow(objectName, QString()), m_radio(radio), m_actions(actions), m_hooks(std::move(hooks)),
      m_can(radio.Abilities()) {
  setWindowTitle(Q(m_can.radioName));
  setStyleSheet(look::StyleSheet());
  onMessageKey = [this](int slot) {
    m_radio.SendMessage(slot);
    After();
  };
  onStopKey = [this] {
    m_radio.StopSending();
    After();
  };

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  layout->addWidget(m_configStrip = MakeConfigStrip());

  m_body = new QWidget;
  m_body->setObjectName(QString("pnBody"));
  auto* body = new QVBoxLayout(m_body);
  body->setContentsMargins(10, 8, 10, 8);
  body->setSpacing(6);
  m_status = new QLabel;
  m_status->setObjectName(QString("lbStatus"));
  m_status->setAlignment(Qt::AlignCenter);
  QFont sf = m_status->font();
  sf.setBold(true);
  sf.setPixelSize(16);
  m_status->setFont(sf);
  m_status->hide();
  body->addWidget(m_status);
  body->addWidget(MakeDisplays());
  body->addWidget(MakeControls());
  layout->addWidget(m_body);

  m_smallStrip = Strip("small");
  m_smallStrip->setObjectName(QString("pnSmall"));
  m_macroRow = new QHBoxLayout(m_smallStrip);
  m_macroRow->setContentsMargins(10, 4, 10, 4);
  m_macroRow->addWidget(Caption(QString("Macros")));
  m_macroRow->addStretch(1);
  layout->addWidget(m_smallStrip);

  m_logGridSlot = new QWidget;
  m_logGridSlot->setObjectName(QString("pnLogGrid"));
  auto* slot = new QVBoxLayout(m_logGridSlot);
  slot->setContentsMargins(0, 0, 0, 0);
  m_logGridSlot->hide();
  layout->addWidget(m_logGridSlot);

  layout->addWidget(m_closeStrip = MakeCloseStrip());

  // The strips the program hid come back from the panel's own menu.
  setContextMenuPolicy(Qt::ActionsContextMenu);
  auto addToggle = [this](const QString& text, QWidget* part) {
    auto* a = new QAction(text, this);
    a->setCheckable(true);
    a->setChecked(true);
    connect(a, &QAction::toggled, part, &QWidget::setVisible);
    addAction(a);
    return a;
  };
  addToggle(QString("Settings strip"), m_configStrip)->setObjectName(QString("acConfigStrip"));
  addToggle(QString("Macro strip"), m_smallStrip)->setObjectName(QString("acSmallStrip"));
  addToggle(QString("Power and close strip"), m_closeStrip)->setObjectName(QString("acCloseStrip"));
}

QWidget* FullPanel::MakeConfigStrip() {
  QFrame* strip = Strip("config");
  strip->setObjectName(QString("pnConfig"));
  auto* row = new QHBoxLayout(strip);
  row->setContentsMargins(10, 4, 10, 4);
  QLabel* name = Caption(Q(m_can.radioName));
  name->setObjectName(QString("lbRadioName"));
  row->addWidget(name);
  row->addStretch(1);
  struct Item {
    const char* name;
    const char* text;
    std::function<void()>* hook;
  } items[] = {{"bnSettings", "Settings...", &m_hooks.showConfig},
               {"bnKnobSettings", "Knob...", &m_hooks.showKnobSettings},
               {"bnMacros", "Macros...", &m_hooks.showMacroEditor}};
  for (const Item& item : items) {
    QPushButton* b = Button(item.name, QString(item.text));
    b->setEnabled(static_cast<bool>(*item.hook));
    std::function<void()>* hook = item.hook;
    connect(b, &QPushButton::clicked, this, [hook] {
      if (*hook) (*hook)();
    });
    row->addWidget(b);
  }
  return strip;
}

QWidget* FullPanel::MakeDisplays() {
  auto* area = new QWidget;
  auto* row = new QHBoxLayout(area);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(12);

  // Left: the meters and the transmit light.
  auto* meters = new QVBoxLayout;
  meters->setSpacing(4);
  m_meter = new MeterBar(MeterBar::Scale::S);
  m_meter->setObjectName(QString("mtrMain"));
  m_meter->setMinimumWidth(230);
  m_meter->setMinimumHeight(44);
  m_swr = new MeterBar(MeterBar::Scale::Swr);
  m_swr->setObjectName(QString("mtrSwr"));
  m_alc = new MeterBar(MeterBar::Scale::Alc);
  m_alc->setObjectName(QString("mtrAlc"));
  m_meter->setVisible(m_can.sMeter || m_can.powerMeter);
  m_swr->setVisible(m_can.swrMeter);
  m_alc->setVisible(m_can.alcMeter);
  m_tx = new QLabel(QString("TX"));
  m_tx->setObjectName(QString("lbTx"));
  m_tx->setAlignment(Qt::AlignCenter);
  m_tx->setFixedSize(54, 26);
  m_tx->setAutoFillBackground(true);
  QFont tf = m_tx->font();
  tf.setBold(true);
  tf.setPixelSize(14);
  m_tx->setFont(tf);
  meters->addWidget(m_meter);
  meters->addWidget(m_swr);
  meters->addWidget(m_alc);
  auto* txRow = new QHBoxLayout;
  txRow->addWidget(m_tx);
  txRow->addStretch(1);
  meters->addLayout(txRow);
  meters->addStretch(1);
  row->addLayout(meters);

  // Centre: the two VFOs and the band line.
  auto* vfos = new QVBoxLayout;
  vfos->setSpacing(4);
  m_vfoA = new FrequencyDisplay(QString("VFO A"), 42);
  m_vfoA->setObjectName(QString("fdVfoA"));
  m_vfoB = new FrequencyDisplay(QString("VFO B"), 26);
  m_vfoB->setObjectName(QString("fdVfoB"));
  m_bandInfo = new QLabel;
  m_bandInfo->setObjectName(QString("lbBandInfo"));
  m_bandInfo->setMinimumWidth(m_vfoA->sizeHint().width());
  vfos->addWidget(m_vfoA);
  vfos->addWidget(m_bandInfo);
  auto* bRow = new QHBoxLayout;
  bRow->addWidget(m_vfoB, 1);
  m_swapVfo = Button("bnVfoAB", QString("A/B"));
  m_swapVfo->setToolTip(QString("Receive on the other VFO"));
  QPushButton* equal = Button("bnVfoEqual", QString("A=B"));
  equal->setToolTip(QString("Copy the VFO in use to the other"));
  m_split = Button("bnSplit", QString("SPLIT"), true);
  m_split->setToolTip(QString("Transmit on the other VFO"));
  bRow->addWidget(m_swapVfo);
  bRow->addWidget(equal);
  bRow->addWidget(m_split);
  vfos->addLayout(bRow);
  m_vfoB->setVisible(m_can.vfoB);
  m_swapVfo->setVisible(m_can.vfoB);
  equal->setVisible(m_can.vfoB);
  m_split->setVisible(m_can.split);
  row->addLayout(vfos);

  // Right: the knob and its step.
  auto* knobColumn = new QVBoxLayout;
  m_knob = new TuningKnob;
  m_knob->setObjectName(QString("knbTuning"));
  m_knob->setFixedSize(118, 118);
  m_step = new QComboBox;
  m_step->setObjectName(QString("cbStep"));
  m_step->setFocusPolicy(Qt::NoFocus);
  knobColumn->addWidget(m_knob, 0, Qt::AlignHCenter);
  knobColumn->addWidget(m_step);
  row->addLayout(knobColumn);
  SetKnobSettings(m_knobSettings);

  m_vfoA->onTune = [this](std::int64_t hz) { Tune('A', hz); };
  m_vfoB->onTune = [this](std::int64_t hz) { Tune('B', hz); };
  m_vfoA->onClick = [this] { FocusKnob('A'); };
  m_vfoB->onClick = [this] { FocusKnob('B'); };
  m_knob->onTurn = [this](int clicks) {
    const char vfo = m_knob->Vfo();
    Tune(vfo, std::max<std::int64_t>(1, TuneBase(vfo) + static_cast<std::int64_t>(clicks) * m_knobSettings.step));
  };
  connect(m_step, &QComboBox::activated, this, [this](int index) {
    m_knobSettings.step = m_step->itemData(index).toInt();
    m_knob->SetSettings(m_knobSettings);
    if (m_hooks.knobChanged) m_hooks.knobChanged(m_knobSettings);
  });
  connect(m_swapVfo, &QPushButton::clicked, this, [this] {
    m_radio.SelectVfo(m_state.activeVfo == 'B' ? 'A' : 'B');
    After();
  });
  connect(equal, &QPushButton::clicked, this, [this] {
    const bool b = m_state.activeVfo == 'B';
    m_radio.SetFrequency(b ? 'A' : 'B', b ? m_state.vfoB : m_state.vfoA);
    After();
  });
  connect(m_split, &QPushButton::toggled, this, [this](bool on) {
    m_radio.SetSplit(on);
    After();
  });
  return area;
}

QWidget* FullPanel::MakeControls() {
  auto* area = new QWidget;
  auto* grid = new QGridLayout(area);
  grid->setContentsMargins(0, 4, 0, 0);
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(6);

  // Bands.
  grid->addWidget(Caption(QString("BAND")), 0, 0);
  auto* bands = new QHBoxLayout;
  bands->setSpacing(3);
  const auto& list = PanelBands();
  for (std::size_t i = 0; i < list.size(); ++i) {
    const std::string name = "bn" + std::to_string(list[i].metres) + "m";
    QPushButton* b = Button(name.c_str(), QString::number(list[i].metres), true);
    b->setToolTip(QString("%1: %2 to %3 MHz").arg(QString::fromLatin1(list[i].name), Mhz(list[i].lowHz), Mhz(list[i].highHz)));
    b->setMinimumWidth(40);
    const int band = static_cast<int>(i);
    connect(b, &QPushButton::clicked, this, [this, band] {
      m_actions.GoToBand(band);
      After();
    });
    bands->addWidget(b);
    m_bandButtons.push_back(b);
  }
  bands->addStretch(1);
  grid->addLayout(bands, 0, 1, 1, 5);

  // Modes, as the radio names them.
  grid->addWidget(Caption(QString("MODE")), 1, 0);
  auto* modes = new QHBoxLayout;
  modes->setSpacing(3);
  for (const std::string& mode : m_can.modeNames) {
    const std::string name = "bnMode" + mode;
    QPushButton* b = Button(name.c_str(), Q(mode), true);
    b->setMinimumWidth(44);
    connect(b, &QPushButton::clicked, this, [this, mode] {
      m_radio.SetMode(mode);
      After();
    });
    modes->addWidget(b);
    m_modeButtons.push_back(b);
  }
  modes->addStretch(1);
  grid->addLayout(modes, 1, 1, 1, 5);

  // Power and keyer speed.
  auto* levels = new QHBoxLayout;
  QLabel* powerCaption = Caption(QString("PWR"));
  m_powerSlider = new QSlider(Qt::Horizontal);
  m_powerSlider->setObjectName(QString("slPower"));
  m_powerSlider->setRange(0, m_can.maxPower);
  m_powerSlider->setTracking(false);
  m_powerSlider->setFocusPolicy(Qt::NoFocus);
  m_powerSlider->setMinimumWidth(110);
  m_power = new QSpinBox;
  m_power->setObjectName(QString("sePower"));
  m_power->setRange(0, m_can.maxPower);
  m_power->setSuffix(QString(" W"));
  m_power->setKeyboardTracking(false);
  QLabel* speedCaption = Caption(QString("KEYER"));
  m_speed = new QSpinBox;
  m_speed->setObjectName(QString("seSpeed"));
  m_speed->setRange(5, 60);
  m_speed->setSuffix(QString(" WPM"));
  m_speed->setKeyboardTracking(false);
  for (QWidget* w : {static_cast<QWidget*>(powerCaption), static_cast<QWidget*>(m_powerSlider),
                     static_cast<QWidget*>(m_power)}) {
    w->setVisible(m_can.power);
    levels->addWidget(w);
  }
  levels->addSpacing(10);
  speedCaption->setVisible(m_can.keyerSpeed);
  m_speed->setVisible(m_can.keyerSpeed);
  levels->addWidget(speedCaption);
  levels->addWidget(m_speed);
  levels->addSpacing(10);
  connect(m_powerSlider, &QSlider::sliderMoved, this, [this](int w) {
    QSignalBlocker block(m_power);
    m_power->setValue(w);
  });
  connect(m_powerSlider, &QSlider::valueChanged, this, [this](int w) {
    m_radio.SetPower(w);
    After();
  });
  connect(m_power, &QSpinBox::valueChanged, this, [this](int w) {
    m_radio.SetPower(w);
    After();
  });
  connect(m_speed, &QSpinBox::valueChanged, this, [this](int wpm) {
    m_radio.SetKeyerSpeed(wpm);
    After();
  });

  // RIT and XIT: on or off, and the offset.
  struct Clarifier {
    bool can;
    const char* caption;
    const char* button;
    const char* spin;
    const char* clear;
    int limit;
    QPushButton** on;
    QSpinBox** offset;
    bool rit;
  } clarifiers[] = {{m_can.rit, "RIT", "bnRit", "seRit", "bnRitClear", m_can.maxRitOffset, &m_rit, &m_ritOffset, true},
                    {m_can.xit, "XIT", "bnXit", "seXit", "bnXitClear", m_can.maxXitOffset, &m_xit, &m_xitOffset, false}};
  for (const Clarifier& c : clarifiers) {
    *c.on = Button(c.button, QString::fromLatin1(c.caption), true);
    *c.offset = Offset(c.spin, c.limit);
    QPushButton* clear = Button(c.clear, QString("0"));
    clear->setToolTip(QString("Offset to zero"));
    for (QWidget* w : {static_cast<QWidget*>(*c.on), static_cast<QWidget*>(*c.offset), static_cast<QWidget*>(clear)}) {
      w->setVisible(c.can);
      levels->addWidget(w);
    }
    levels->addSpacing(6);
    QPushButton* on = *c.on;
    QSpinBox* offset = *c.offset;
    const bool rit = c.rit;
    auto send = [this, on, offset, rit] {
      if (rit) {
        m_radio.SetRit(on->isChecked(), offset->value());
      } else {
        m_radio.SetXit(on->isChecked(), offset->value());
      }
      After();
    };
    connect(on, &QPushButton::toggled, this, send);
    connect(offset, &QSpinBox::valueChanged, this, send);
    connect(clear, &QPushButton::clicked, this, [offset] { offset->setValue(0); });
  }
  levels->addStretch(1);
  grid->addLayout(levels, 2, 0, 1, 6);

  // What is being sent, character by character.
  m_sending = new QLabel;
  m_sending->setObjectName(QString("lbSending"));
  m_sending->setTextFormat(Qt::PlainText);
  QFont mono = m_sending->font();
  mono.setStyleHint(QFont::Monospace);
  mono.setFamily(QString("Monospace"));
  mono.setPixelSize(15);
  mono.setBold(true);
  m_sending->setFont(mono);
  m_sending->setMinimumHeight(22);
  grid->addWidget(Caption(QString("SENDING")), 3, 0);
  grid->addWidget(m_sending, 3, 1, 1, 5);
  m_sending->setVisible(m_can.sendText || m_can.keyerSpeed);
  return area;
}

QWidget* FullPanel::MakeCloseStrip() {
  QFrame* strip = Strip("close");
  strip->setObjectName(QString("pnClose"));
  auto* row = new QHBoxLayout(strip);
  row->setContentsMargins(10, 4, 10, 4);
  m_powerOff = Button("bnPowerOff", QString("Power off"));
  m_powerOff->setVisible(m_can.powerOff);
  row->addWidget(m_powerOff);
  row->addStretch(1);
  QPushButton* close = Button("bnClose", QString("Close"));
  row->addWidget(close);
  // Switching the radio off asks for a second click within a few seconds.
  connect(m_powerOff, &QPushButton::clicked, this, [this] {
    const auto now = Clock::now();
    if (now - m_powerOffArmed > kPowerOffConfirm) {
      m_powerOffArmed = now;
      m_powerOff->setText(QString("Click again to power off"));
      return;
    }
    m_powerOffArmed = {};
    m_powerOff->setText(QString("Power off"));
    m_radio.TurnOff();
    After();
  });
  connect(close, &QPushButton::clicked, this, &QWidget::hide);
  return strip;
}

}  // namespace radiopanel
