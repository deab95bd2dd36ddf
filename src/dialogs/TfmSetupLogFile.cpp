#include "dialogs/TfmSetupLogFile.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "platform/Files.h"
#include "platform/MessageSink.h"
#include "platform/QtText.h"

TfmSetupLogFile::TfmSetupLogFile(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("fmSetupLogFile"));
  setWindowTitle(QStringLiteral("Setting Up a Log File"));

  auto* format = new QGroupBox(QStringLiteral("  File Format  "), this);
  format->setObjectName(QStringLiteral("rgFileFormat"));
  m_arrl = new QRadioButton(QStringLiteral("ARRL Log Book"), format);
  m_adif = new QRadioButton(QStringLiteral("ADIF"), format);
  auto* columns = new QHBoxLayout(format);
  columns->addWidget(m_arrl);
  columns->addWidget(m_adif);
  m_arrl->setChecked(true);

  ebFileName = new QLineEdit(this);
  ebFileName->setObjectName(QStringLiteral("ebFileName"));
  ebFileName->setMaxLength(260);
  auto* browse = new QPushButton(QStringLiteral("Browse"), this);
  browse->setObjectName(QStringLiteral("bnBrowse"));
  auto* apply = new QPushButton(QStringLiteral("Apply"), this);
  apply->setObjectName(QStringLiteral("bnApply"));
  auto* close = new QPushButton(QStringLiteral("Close"), this);
  close->setObjectName(QStringLiteral("bnClose"));
  connect(browse, &QPushButton::clicked, this, [this] { Browse(); });
  connect(apply, &QPushButton::clicked, this, [this] { Apply(); });
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  // Enter in the file name does nothing: only a click browses or applies.
  for (QPushButton* button : {browse, apply, close}) button->setAutoDefault(false);

  auto* layout = new QGridLayout(this);
  layout->addWidget(format, 0, 0, 1, 3);
  layout->addWidget(new QLabel(QStringLiteral("File Name"), this), 1, 0, 1, 3);
  layout->addWidget(ebFileName, 2, 0, 1, 2);
  layout->addWidget(browse, 2, 2);
  layout->addWidget(apply, 3, 1);
  layout->addWidget(close, 3, 2);
  resize(420, sizeHint().height());
}

void TfmSetupLogFile::SetFormat(int index) { (index == 1 ? m_adif : m_arrl)->setChecked(true); }
int TfmSetupLogFile::Format() const { return m_adif->isChecked() ? 1 : 0; }
void TfmSetupLogFile::SetFileName(const std::string& path) { ebFileName->setText(platform::ToQString(path)); }
std::string TfmSetupLogFile::FileName() const { return platform::FromQString(ebFileName->text()); }

void TfmSetupLogFile::showEvent(QShowEvent* event) {
  m_applied = false;
  QDialog::showEvent(event);
}

void TfmSetupLogFile::Browse() {
  const QString chosen = QFileDialog::getSaveFileName(this, QString(), platform::ToQString(m_initialDirectory));
  if (!chosen.isEmpty()) ebFileName->setText(chosen);
}

void TfmSetupLogFile::Apply() {
  // An empty append creates a missing file and leaves an existing one whole.
  const std::string path = FileName();
  if (path.empty() || !platform::AppendFileDurably(path, "")) {
    platform::ShowMessage("Unable to create file - try another name");
    return;
  }
  m_applied = true;
  accept();
}
