#include "KnobSettingsDialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

namespace radiopanel {
namespace {

constexpr int kMaxStep = 100000;

QCheckBox* Box(const char* name, const char* text) {
  auto* b = new QCheckBox(QString::fromLatin1(text));
  b->setObjectName(QString::fromLatin1(name));
  return b;
}

}  // namespace

KnobSettingsDialog::KnobSettingsDialog(const QString& objectName, const QString& radioName,
                                       std::function<void(const KnobSettings&)> apply)
    : QDialog(nullptr), m_apply(std::move(apply)) {
  setObjectName(objectName);
  setWindowTitle(radioName + QString(" - tuning knob"));
  setModal(false);
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  m_steps = new QLineEdit;
  m_steps->setObjectName(QString("edSteps"));
  m_steps->setToolTip(QString("The steps the knob's selector offers, in Hz, separated by commas"));
  m_step = new QSpinBox;
  m_step->setObjectName(QString("seStep"));
  m_step->setRange(1, kMaxStep);
  m_step->setSuffix(QString(" Hz"));
  form->addRow(QString("Steps (Hz)"), m_steps);
  form->addRow(QString("Step a click"), m_step);
  layout->addLayout(form);
  m_upDown = Box("ckUpDown", "Up and Down arrow keys tune");
  m_leftRight = Box("ckLeftRight", "Left and Right arrow keys tune");
  m_page = Box("ckPage", "Page Up and Page Down tune ten steps");
  m_wheel = Box("ckWheel", "The mouse wheel over the knob tunes");
  m_buttons = Box("ckButtons", "A left click on the knob tunes down, a right click up");
  m_reverse = Box("ckReverse", "Reverse every direction");
  for (QCheckBox* b : {m_upDown, m_leftRight, m_page, m_wheel, m_buttons, m_reverse}) layout->addWidget(b);
  m_message = new QLabel;
  m_message->setObjectName(QString("lbKnobMessage"));
  layout->addWidget(m_message);
  auto* buttons = new QHBoxLayout;
  auto* applyButton = new QPushButton(QString("Apply"));
  applyButton->setObjectName(QString("bnKnobApply"));
  auto* close = new QPushButton(QString("Close"));
  close->setObjectName(QString("bnKnobClose"));
  buttons->addStretch(1);
  buttons->addWidget(applyButton);
  buttons->addWidget(close);
  layout->addLayout(buttons);

  connect(close, &QPushButton::clicked, this, &QDialog::close);
  connect(applyButton, &QPushButton::clicked, this, [this] {
    KnobSettings s;
    s.steps.clear();
    for (const QString& piece : m_steps->text().split(QLatin1Char(','), Qt::SkipEmptyParts)) {
      bool ok = false;
      const int step = piece.trimmed().toInt(&ok);
      if (!ok || step < 1 || step > kMaxStep) {
        m_message->setText(QString("\"%1\" is not a step from 1 to %2 Hz.").arg(piece.trimmed()).arg(kMaxStep));
        return;
      }
      s.steps.push_back(step);
    }
    s.step = m_step->value();
    if (std::find(s.steps.begin(), s.steps.end(), s.step) == s.steps.end()) s.steps.push_back(s.step);
    std::sort(s.steps.begin(), s.steps.end());
    s.steps.erase(std::unique(s.steps.begin(), s.steps.end()), s.steps.end());
    s.upDownKeys = m_upDown->isChecked();
    s.leftRightKeys = m_leftRight->isChecked();
    s.pageKeys = m_page->isChecked();
    s.wheel = m_wheel->isChecked();
    s.mouseButtons = m_buttons->isChecked();
    s.reverse = m_reverse->isChecked();
    m_message->setText(QString("Applied."));
    if (m_apply) m_apply(s);
    Load(s);
  });
}

void KnobSettingsDialog::Load(const KnobSettings& s) {
  QStringList steps;
  for (int step : s.steps) steps << QString::number(step);
  m_steps->setText(steps.join(QString(", ")));
  m_step->setValue(s.step);
  m_upDown->setChecked(s.upDownKeys);
  m_leftRight->setChecked(s.leftRightKeys);
  m_page->setChecked(s.pageKeys);
  m_wheel->setChecked(s.wheel);
  m_buttons->setChecked(s.mouseButtons);
  m_reverse->setChecked(s.reverse);
}

}  // namespace radiopanel
