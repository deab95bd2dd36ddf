#include "app/QtScreenSaver.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusReply>

namespace {
const char* const kService = "org.freedesktop.ScreenSaver";
const char* const kPath = "/org/freedesktop/ScreenSaver";
}  // namespace

bool QtScreenSaver::Inhibit(bool on) {
  if (on == m_cookie.has_value()) return true;
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected() || !bus.interface() || !bus.interface()->isServiceRegistered(QString::fromLatin1(kService)))
    return !on;
  QDBusInterface saver(QString::fromLatin1(kService), QString::fromLatin1(kPath), QString::fromLatin1(kService), bus);
  if (on) {
    const QDBusReply<std::uint32_t> cookie =
        saver.call(QStringLiteral("Inhibit"), QStringLiteral("Talvex"), QStringLiteral("Disable Screen Saver is checked"));
    if (!cookie.isValid()) return false;
    m_cookie = cookie.value();
    return true;
  }
  saver.call(QStringLiteral("UnInhibit"), *m_cookie);
  m_cookie.reset();
  return true;
}
