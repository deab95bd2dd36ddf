#include "VaroConfig.h"

#include <QCheckBox>
#include <QDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>
#include <string>

#include "Panels.h"
#include "VaroLibrary.h"

namespace varosim {
namespace {

QWidget* MakeConfig(VaroLibrary& library, std::int32_t number) {
  VaroRadio* radio = library.Radio(number);
  auto* dialog = new QDialog;
  dialog->setWindowTitle(QString("Varo (simulated) radio %1 - settings").arg(number));
  auto* layout = new QVBoxLayout(dialog);
  auto* form = new QFormLayout;

  const RadioState state = radio->Read([](const RadioState& s) { return s; });
  const LibraryState shared = library.Read([](const LibraryState& s) { return s; });
  auto* port = new QLabel(QString::fromStdString(state.port + " at " + state.baud + " baud"));
  port->setObjectName(QString("lbPort"));
  form->addRow(QString("Port"), port);
  auto* noise = new QSlider(Qt::Horizontal);
  noise->setObjectName(QString("slNoise"));
  noise->setRange(0, 30);
  noise->setValue(state.noise);
  noise->setToolTip(QString("Band noise, from none to three times the usual"));
  form->addRow(QString("Band noise"), noise);
  auto* stations = new QCheckBox(QString("A station on the frequency now and then"));
  stations->setObjectName(QString("ckSignals"));
  stations->setChecked(state.stations);
  form->addRow(QString("Signals"), stations);
  auto* step = new QSpinBox;
  step->setObjectName(QString("seKnobStep"));
  step->setRange(1, 100000);
  step->setSuffix(QString(" Hz"));
  step->setValue(state.knobStep);
  form->addRow(QString("Radio's knob step"), step);
  auto* rit = new QCheckBox(QString("RIT"));
  rit->setObjectName(QString("ckSupportsRit"));
  rit->setChecked(shared.supportsRit);
  auto* xit = new QCheckBox(QString("XIT"));
  xit->setObjectName(QString("ckSupportsXit"));
  xit->setChecked(shared.supportsXit);
  auto* clarifiers = new QHBoxLayout;
  clarifiers->addWidget(rit);
  clarifiers->addWidget(xit);
  clarifiers->addStretch(1);
  form->addRow(QString("The radio has"), clarifiers);
  QString modeList;
  for (const std::string& m : state.modeNames) modeList += (modeList.isEmpty() ? QString() : QString(",")) + QString::fromStdString(m);
  auto* modes = new QLineEdit(modeList);
  modes->setObjectName(QString("edModes"));
  form->addRow(QString("Modes"), modes);
  layout->addLayout(form);
  auto* note = new QLabel(QString("The mode list and RIT/XIT show on the panel when the radio is next connected."));
  note->setWordWrap(true);
  layout->addWidget(note);
  auto* buttons = new QHBoxLayout;
  auto* apply = new QPushButton(QString("Apply"));
  apply->setObjectName(QString("bnApply"));
  auto* close = new QPushButton(QString("Close"));
  close->setObjectName(QString("bnClose"));
  buttons->addStretch(1);
  buttons->addWidget(apply);
  buttons->addWidget(close);
  layout->addLayout(buttons);

  // The settings go through the same controls as the tests' (VaroSimControl.h).
  QObject::connect(apply, &QPushButton::clicked, dialog, [=, &library] {
    const auto flag = [](bool on) { return std::string(on ? "YES" : "NO"); };
    library.Control("NOISE=" + std::to_string(noise->value()), number);
    library.Control(std::string("SIGNALS=") + (stations->isChecked() ? "ON" : "OFF"), number);
    library.Control("STEP=" + std::to_string(step->value()), number);
    library.Control("SUPPORTSRIT=" + flag(rit->isChecked()), number);
    library.Control("SUPPORTSXIT=" + flag(xit->isChecked()), number);
    if (!modes->text().trimmed().isEmpty()) library.Control("MODES=" + modes->text().toStdString(), number);
  });
  QObject::connect(close, &QPushButton::clicked, dialog, &QDialog::close);
  return dialog;
}

}  // namespace

void ShowConfig(VaroLibrary& library, std::int32_t number) {
  radiopanel::Panels* panels = library.PanelsOf(number);
  if (!panels) return;
  panels->ShowOwnWindow(QString("dlgVaroConfig"), [&library, number] { return MakeConfig(library, number); });
}

}  // namespace varosim
