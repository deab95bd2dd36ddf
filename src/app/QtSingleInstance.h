#pragma once
// One running copy per user: the first copy listens on a local socket named
// after the instance; a later copy asks it to raise its main window and ends.

#include <QObject>
#include <QString>

class QLocalServer;

class QtSingleInstance : public QObject {
  Q_OBJECT
 public:
  /// The socket lives in the user's runtime directory when there is one,
  /// else in the temporary folder.
  /// TALVEX_INSTANCE_NAME replaces the name (tests run their own copies).
  explicit QtSingleInstance(const QString& name, QObject* parent = nullptr);

  /// True when this is the first copy: it now listens. False when another
  /// copy answered; it has been asked to raise its window.
  bool BecomeFirstOrRaiseOther();

 signals:
  /// A later copy asked to be shown.
  void raiseRequested();

 private:
  QString m_name;
  QLocalServer* m_server = nullptr;
};
