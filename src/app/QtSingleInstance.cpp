#include "app/QtSingleInstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <cstdlib>

#include "platform/QtText.h"

namespace {
constexpr const char kRaise[] = "RAISE\n";
}

QtSingleInstance::QtSingleInstance(const QString& name, QObject* parent) : QObject(parent) {
  QString instance = name;
  if (const char* override = std::getenv("TALVEX_INSTANCE_NAME")) instance = platform::ToQString(override);
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  const QDir dir = (runtime && QDir(platform::ToQString(runtime)).exists())
                       ? QDir(platform::ToQString(runtime))
                       : QDir(QDir::tempPath());
  m_name = dir.filePath(instance);
}

bool QtSingleInstance::BecomeFirstOrRaiseOther() {
  // Two copies started together take turns: without the lock both could find
  // no listener, and the second would remove the first one's socket.
  QLockFile lock(m_name + ".lock");
  lock.tryLock(5000);

  QLocalSocket probe;
  probe.connectToServer(m_name);
  if (probe.waitForConnected(1000)) {
    probe.write(kRaise);
    probe.waitForBytesWritten(1000);
    probe.disconnectFromServer();
    return false;
  }
  // Nobody answered: a socket left by a copy that crashed is stale.
  QLocalServer::removeServer(m_name);
  m_server = new QLocalServer(this);
  m_server->setSocketOptions(QLocalServer::UserAccessOption);
  if (!m_server->listen(m_name)) return true;  // run alone rather than not at all
  connect(m_server, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* peer = m_server->nextPendingConnection()) {
      auto read = [this, peer] {
        if (peer->readAll().contains("RAISE")) emit raiseRequested();
      };
      connect(peer, &QLocalSocket::readyRead, this, read);
      if (peer->bytesAvailable() > 0) read();
      connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
    }
  });
  return true;
}
