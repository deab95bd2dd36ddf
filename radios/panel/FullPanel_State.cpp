// The full panel following the radio: tuning, the band privileges, and the
// redraw from each reading of the state.

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <algorithm>

#include "FrequencyDisplay.h"
#include "FullPanel.h"
#include "MeterBar.h"
#include "PanelLook.h"
#include "PanelWidgets.h"
#include "TuningKnob.h"

namespace radiopanel {

using namespace widgets;

namespace {

// A quick turn counts from where the operator tuned, not from a state that
// has not caught up yet, for this long.
constexpr auto kTuneMemory = std::chrono::milliseconds(1000);

}  // namespace

void FullPanel::After() {
  if (m_hooks.refreshSoon) m_hooks.refreshSoon();
}

std::int64_t FullPanel::TuneBase(char vfo) const {
  const std::size_t i = vfo == 'B' ? 1 : 0;
  if (m_targetTime[i] != Clock::time_point{} && Clock::now() - m_targetTime[i] < kTuneMemory) return m_target[i];
  return vfo == 'B' ? m_state.vfoB : m_state.vfoA;
}

void FullPanel::Tune(char vfo, std::int64_t hz) {
  const std::size_t i = vfo == 'B' ? 1 : 0;
  m_target[i] = hz;
  m_targetTime[i] = Clock::now();
  (vfo == 'B' ? m_state.vfoB : m_state.vfoA) = hz;
  (vfo == 'B' ? m_vfoB : m_vfoA)->SetFrequency(hz);
  m_radio.SetFrequency(vfo, hz);
  ShowPrivileges();
  After();
}

void FullPanel::SetBandPlan(const BandPlan& plan) {
  m_plan = plan;
  ShowPrivileges();
}

void FullPanel::SetKnobSettings(const KnobSettings& settings) {
  m_knobSettings = settings;
  if (std::find(m_knobSettings.steps.begin(), m_knobSettings.steps.end(), m_knobSettings.step) ==
      m_knobSettings.steps.end()) {
    m_knobSettings.steps.push_back(m_knobSettings.step);
    std::sort(m_knobSettings.steps.begin(), m_knobSettings.steps.end());
  }
  m_knob->SetSettings(m_knobSettings);
  QSignalBlocker block(m_step);
  m_step->clear();
  for (int step : m_knobSettings.steps) {
    const QString text = step >= 1000 && step % 1000 == 0 ? QString("%1 kHz").arg(step / 1000) : QString("%1 Hz").arg(step);
    m_step->addItem(text, step);
    if (step == m_knobSettings.step) m_step->setCurrentIndex(m_step->count() - 1);
  }
}

void FullPanel::SetPartShown(PanelPart part, bool shown) {
  const char* action = "acConfigStrip";
  QWidget* strip = m_configStrip;
  if (part == PanelPart::Close) {
    action = "acCloseStrip";
    strip = m_closeStrip;
  } else if (part == PanelPart::Small) {
    action = "acSmallStrip";
    strip = m_smallStrip;
  }
  if (auto* a = findChild<QAction*>(QString::fromLatin1(action))) a->setChecked(shown);
  strip->setVisible(shown);
}

void FullPanel::FocusKnob(char vfo) {
  if (vfo != 'A' && vfo != 'B') return;
  if (vfo == 'B' && !m_can.vfoB) return;
  m_knob->SetVfo(vfo);
  if (isVisible()) {
    activateWindow();
    m_knob->setFocus(Qt::OtherFocusReason);
  }
}

void FullPanel::SetMacroNames(const std::vector<std::string>& names) {
  if (names == m_macroNames) return;
  m_macroNames = names;
  while (m_macroRow->count() > 2) {
    QLayoutItem* item = m_macroRow->takeAt(1);
    delete item->widget();
    delete item;
  }
  for (std::size_t i = 0; i < names.size(); ++i) {
    const std::string objectName = "bnMacro" + std::to_string(i);
    QPushButton* b = Button(objectName.c_str(), Q(names[i]));
    const std::string name = names[i];
    connect(b, &QPushButton::clicked, this, [this, name] {
      if (m_hooks.runMacro) m_hooks.runMacro(name);
      After();
    });
    m_macroRow->insertWidget(static_cast<int>(i) + 1, b);
  }
}

void FullPanel::ShowPrivileges() {
  if (!m_haveState) return;
  const PanelState& s = m_state;
  const char rx = s.activeVfo == 'B' ? 'B' : 'A';
  const char tx = s.split ? (rx == 'A' ? 'B' : 'A') : rx;
  auto tintOf = [&](std::int64_t hz) {
    switch (m_plan.Check(hz, s.mode).privilege) {
      case Privilege::Inside: return FrequencyDisplay::Tint::Normal;
      case Privilege::OutsideOperator: return FrequencyDisplay::Tint::Amber;
      case Privilege::OutsideBand: return FrequencyDisplay::Tint::Red;
    }
    return FrequencyDisplay::Tint::Normal;
  };
  for (char vfo : {'A', 'B'}) {
    FrequencyDisplay* d = vfo == 'A' ? m_vfoA : m_vfoB;
    const bool used = vfo == rx || vfo == tx;
    d->SetTint(used ? tintOf(vfo == 'A' ? s.vfoA : s.vfoB) : FrequencyDisplay::Tint::Dim);
    QString marks;
    if (vfo == rx) marks += QString("RX");
    if (vfo == tx) marks += QString(marks.isEmpty() ? "TX" : " TX");
    d->SetMarks(marks);
  }

  // The band line speaks of the transmit frequency: privileges are about sending.
  const std::int64_t txHz = tx == 'B' ? s.vfoB : s.vfoA;
  const BandCheck check = m_plan.Check(txHz, s.mode);
  const QString emission = QString::fromLatin1(EmissionName(check.emission));
  QString text;
  QColor colour = look::kFrontText;
  const char* privilege = "inside";
  const QString dash = QString::fromUtf8("\u2013");
  if (check.privilege == Privilege::OutsideBand) {
    text = QString("%1 MHz is outside the amateur bands").arg(Mhz(txHz));
    colour = look::kRed;
    privilege = "band";
  } else {
    QString band = Q(check.band).toLower();
    if (band.endsWith(QLatin1Char('m'))) band.insert(band.size() - 1, QLatin1Char(' '));
    const QString edges = Mhz(check.bandLowHz) + dash + Mhz(check.bandHighHz);
    const QString limits = check.opLowHz ? Mhz(*check.opLowHz) + dash + Mhz(*check.opHighHz) : QString("none");
    if (check.privilege == Privilege::Inside) {
      text = QString("%1 band %2 MHz      your %3: %4").arg(band, edges, emission, limits);
    } else {
      text = check.opLowHz ? QString("Outside your %1 limits (%2) on %3").arg(emission, limits, band)
                           : QString("No %1 privileges on %2").arg(emission, band);
      colour = look::kAmber;
      privilege = "operator";
    }
  }
  if (m_bandInfo->text() != text) m_bandInfo->setText(text);
  if (m_bandInfo->property("privilege").toString() != QString::fromLatin1(privilege)) {
    m_bandInfo->setProperty("privilege", QString::fromLatin1(privilege));
    m_bandInfo->setStyleSheet(QString("color: %1;").arg(colour.name()));
  }
}

void FullPanel::Refresh(const PanelState& state) {
  const Clock::time_point now = Clock::now();
  m_state = state;
  m_haveState = true;
  // A frequency the operator just tuned to stays until the radio shows it.
  for (std::size_t i = 0; i < 2; ++i) {
    std::int64_t& hz = i == 0 ? m_state.vfoA : m_state.vfoB;
    if (m_targetTime[i] == Clock::time_point{}) continue;
    if (hz == m_target[i] || now - m_targetTime[i] >= kTuneMemory) {
      m_targetTime[i] = {};
    } else {
      hz = m_target[i];
    }
  }
  const PanelState& s = m_state;
  const bool live = s.answering && s.poweredOn;
  m_body->setEnabled(live);
  m_smallStrip->setEnabled(live);
  m_powerOff->setEnabled(live);
  if (!s.answering) {
    m_status->setText(QString("Not answering: %1").arg(Q(s.problem)));
  } else if (!s.poweredOn) {
    m_status->setText(QString("Powered off"));
  }
  m_status->setVisible(!live);
  setWindowTitle(Q(m_can.radioName) + (live ? QString() : QString(" - ") + m_status->text()));
  // A VFO the radio does not tell (0 Hz) shows no digits rather than 0.
  m_vfoA->SetBlank(!live || s.vfoA <= 0);
  m_vfoB->SetBlank(!live || s.vfoB <= 0);
  m_vfoA->SetFrequency(s.vfoA);
  m_vfoB->SetFrequency(s.vfoB);
  ShowPrivileges();

  const int band = BandAt(s.activeVfo == 'B' ? s.vfoB : s.vfoA);
  for (std::size_t i = 0; i < m_bandButtons.size(); ++i) SetChecked(m_bandButtons[i], static_cast<int>(i) == band);
  for (std::size_t i = 0; i < m_modeButtons.size(); ++i) SetChecked(m_modeButtons[i], m_can.modeNames[i] == s.mode);
  SetChecked(m_split, s.split);
  SetChecked(m_rit, s.ritOn);
  SetChecked(m_xit, s.xitOn);
  SetSpin(m_ritOffset, s.ritOffset);
  SetSpin(m_xitOffset, s.xitOffset);
  SetSpin(m_power, s.power);
  SetSpin(m_speed, s.keyerSpeed);
  if (!m_powerSlider->isSliderDown() && m_powerSlider->value() != s.power) {
    QSignalBlocker block(m_powerSlider);
    m_powerSlider->setValue(s.power);
  }

  const bool tx = live && s.transmitting;
  if (tx && m_can.powerMeter) {
    m_meter->SetScale(MeterBar::Scale::Power, m_can.maxPower);
    m_meter->SetValue(s.powerOut);
  } else {
    m_meter->SetScale(MeterBar::Scale::S);
    m_meter->SetValue(live && !tx ? s.sUnits : 0);
  }
  m_swr->SetValue(tx ? s.swr : 1.0);
  m_alc->SetValue(tx ? s.alc : 0.0);
  if (!m_tx->property("on").isValid() || m_tx->property("on").toBool() != tx) {
    m_tx->setProperty("on", tx);
    m_tx->setStyleSheet(QString("background: %1; color: %2; border-radius: 3px;")
                            .arg((tx ? look::kRed : look::kUnlit).name(), (tx ? QColor(Qt::white) : look::kCaption).name()));
    m_sending->setStyleSheet(QString("color: %1;").arg((tx ? look::kDigits : look::kCaption).name()));
  }
  if (tx && !s.sending.empty()) m_lastSent = Q(s.sending);
  if (m_sending->text() != m_lastSent) m_sending->setText(m_lastSent);
}

}  // namespace radiopanel
