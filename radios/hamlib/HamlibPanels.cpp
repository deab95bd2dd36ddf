#include "HamlibPanels.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

#include "HamlibRadio.h"
#include "HamlibSettings.h"
#include "RigLink.h"

namespace hamlibradio::panels {
namespace {

struct Windows {
  QPointer<QDialog> config;
  QPointer<QTimer> notices;
  QPointer<QMessageBox> notice;
};

// Destroyed after the library object, whose destructor closes them.
std::array<Windows, 2> g_windows;

Windows* WindowsOf(int number) {
  return number == 1 || number == 2 ? &g_windows[static_cast<std::size_t>(number - 1)] : nullptr;
}

// Widgets only with a QApplication, and only on its thread.
bool GuiHere() {
  auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
  return app && QThread::currentThread() == app->thread();
}

QString Title(int number) { return QStringLiteral("Hamlib radio %1").arg(number); }

void Raise(QWidget* w) {
  w->show();
  w->raise();
  w->activateWindow();
}

QDialog* MakeConfig(const std::string& libraryDir, int number) {
  const std::string file = libraryDir + "/" + kSettingsFileName;
  const SavedSettings saved = ReadSavedSettings(file);

  auto* dialog = new QDialog;
  dialog->setObjectName("fmHamlibConfig");
  dialog->setWindowTitle(Title(number) + " - settings");
  auto* layout = new QVBoxLayout(dialog);

  auto* filter = new QLineEdit;
  filter->setObjectName("edFilter");
  filter->setPlaceholderText("Search maker or model");
  auto* models = new QListWidget;
  models->setObjectName("lbModels");
  for (const ModelEntry& m : ListModels()) {
    auto* item = new QListWidgetItem(QString::fromStdString(m.maker + " " + m.model) +
                                     QStringLiteral("  (%1)").arg(m.number));
    item->setData(Qt::UserRole, m.number);
    models->addItem(item);
    if (m.number == saved.model) models->setCurrentItem(item);
  }
  QObject::connect(filter, &QLineEdit::textChanged, models, [models](const QString& text) {
    const QStringList words = text.split(' ', Qt::SkipEmptyParts);
    for (int i = 0; i < models->count(); ++i) {
      QListWidgetItem* item = models->item(i);
      bool shown = true;
      for (const QString& w : words) shown = shown && item->text().contains(w, Qt::CaseInsensitive);
      item->setHidden(!shown);
    }
  });

  auto* form = new QFormLayout;
  auto* path = new QLineEdit(QString::fromStdString(saved.rigPath));
  path->setObjectName("edPath");
  path->setPlaceholderText("/dev/ttyUSB0, or localhost:4532 for rigctld, or - for the COM port");
  auto* timeout = new QSpinBox;
  timeout->setObjectName("seTimeout");
  timeout->setRange(0, kMaxTimeoutMs);
  timeout->setSingleStep(100);
  timeout->setSuffix(" ms");
  timeout->setSpecialValueText("Model default");
  timeout->setValue(saved.timeoutMs);
  auto* retry = new QSpinBox;
  retry->setObjectName("seRetry");
  retry->setRange(-1, kMaxRetry);
  retry->setSpecialValueText("Model default");
  retry->setValue(saved.retry);
  form->addRow("Rig path", path);
  form->addRow("Time-out per reply", timeout);
  form->addRow("Retries", retry);

  // The keyer: kind, where it is, weight and Farnsworth speed.
  const std::string savedKind = saved.keying.substr(0, saved.keying.find(':'));
  auto* keyer = new QComboBox;
  keyer->setObjectName("cbKeyer");
  keyer->addItem("As the devices entry says", QString());
  keyer->addItem("The radio's own keyer (RIG)", QString("RIG"));
  keyer->addItem("No keying (NONE)", QString("NONE"));
  keyer->addItem("cwdaemon (CWDAEMON)", QString("CWDAEMON"));
  keyer->addItem("WinKeyer (WINKEYER)", QString("WINKEYER"));
  keyer->setCurrentIndex(std::max(0, keyer->findData(QString::fromStdString(savedKind).toUpper())));
  auto* where = new QLineEdit(QString::fromStdString(
      saved.keying.find(':') == std::string::npos ? std::string() : saved.keying.substr(saved.keying.find(':') + 1)));
  where->setObjectName("edKeyerWhere");
  where->setPlaceholderText("cwdaemon: host:port (127.0.0.1:6789); WinKeyer: COMn");
  auto* weight = new QSpinBox;
  weight->setObjectName("seWeight");
  weight->setRange(10, 90);
  weight->setValue(saved.weight > 0 ? saved.weight : radiokit::kNormalWeight);
  auto* farnsworth = new QSpinBox;
  farnsworth->setObjectName("seFarnsworth");
  farnsworth->setRange(9, 99);
  farnsworth->setSpecialValueText("Off");
  farnsworth->setSuffix(" WPM");
  farnsworth->setValue(saved.farnsworth > 0 ? saved.farnsworth : 9);
  form->addRow("CW keyer", keyer);
  form->addRow("Keyer address or port", where);
  form->addRow("Weight (50 normal)", weight);
  form->addRow("Farnsworth speed", farnsworth);

  auto* note = new QLabel("The model and rig path are used at the next connection when extra1 of the "
                          "devices entry is 0, the keyer when its extra3 is empty or \"-\"; the "
                          "time-outs, weight and Farnsworth speed at every next connection.");
  note->setWordWrap(true);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel);
  buttons->button(QDialogButtonBox::Save)->setObjectName("bnSave");

  layout->addWidget(filter);
  layout->addWidget(models, 1);
  layout->addLayout(form);
  layout->addWidget(note);
  layout->addWidget(buttons);

  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, [=] {
    SavedSettings s;
    if (QListWidgetItem* item = models->currentItem()) s.model = item->data(Qt::UserRole).toInt();
    s.rigPath = path->text().trimmed().toStdString();
    s.timeoutMs = timeout->value() > 0 ? std::max(timeout->value(), kMinTimeoutMs) : 0;
    s.retry = retry->value();
    const QString kind = keyer->currentData().toString();
    const QString at = where->text().trimmed();
    const bool bare = at.isEmpty() || kind == "RIG" || kind == "NONE";
    if (!kind.isEmpty()) s.keying = (bare ? kind : kind + ":" + at).toStdString();
    s.weight = weight->value() == radiokit::kNormalWeight ? 0 : weight->value();
    s.farnsworth = farnsworth->value() >= 10 ? farnsworth->value() : 0;
    std::string error;
    if (!WriteSavedSettings(file, s, &error)) {
      QMessageBox::warning(dialog, dialog->windowTitle(), QString::fromStdString(error));
      return;
    }
    dialog->accept();
  });
  dialog->resize(520, 680);
  return dialog;
}

}  // namespace

void ShowConfig(HamlibRadio&, const std::string& libraryDir, int number) {
  Windows* w = WindowsOf(number);
  if (!w || !GuiHere()) return;
  if (!w->config) w->config = MakeConfig(libraryDir, number);
  Raise(w->config);
}

void StartNotices(HamlibRadio& radio, int number) {
  Windows* w = WindowsOf(number);
  if (!w || !GuiHere() || w->notices) return;
  auto* timer = new QTimer;
  auto shown = std::make_shared<int>(0);
  QObject::connect(timer, &QTimer::timeout, timer, [w, shown, &radio, number] {
    RadioStatus s = radio.Status();
    if (s.reports <= *shown) return;
    *shown = s.reports;
    if (!w->notice) {
      w->notice = new QMessageBox(QMessageBox::Warning, Title(number), QString(), QMessageBox::Ok);
      w->notice->setObjectName("fmHamlibNotice");
      w->notice->setModal(false);
    }
    w->notice->setText(QString::fromStdString(s.lastError));
    Raise(w->notice);
  });
  timer->start(500);
  w->notices = timer;
}

void CloseAll(int number) {
  Windows* w = WindowsOf(number);
  if (!w || !GuiHere()) return;
  delete w->notices.data();
  delete w->notice.data();
  delete w->config.data();
}

}  // namespace hamlibradio::panels
