#pragma once
// The main window's file-open dialog (OpenDialog1). The Qt dialog is built
// when it is first shown, not with the window: building one costs more
// than the rest of the window together, and most runs never open it.

#include <QFileDialog>
#include <QObject>
#include <QWidget>

class TfmOpenDialog : public QObject {
 public:
  explicit TfmOpenDialog(QWidget* owner) : QObject(owner), m_owner(owner) {
    setObjectName(QStringLiteral("OpenDialog1"));
  }

  /// Shows the dialog modally; the chosen file, or empty when none was.
  QString Execute(const QString& title, const QString& filter, const QString& defaultSuffix,
                  const QString& initialName) {
    QFileDialog dialog(m_owner, title, QString(), filter);
    dialog.setObjectName(QStringLiteral("OpenDialog1Form"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.selectFile(initialName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return dialog.selectedFiles().first();
  }

 private:
  QWidget* m_owner;
};
