#include "platform/ScreenSaver.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusReply>
#include <QString>

namespace platform {
namespace {
const char* const kService = "org.freedesktop.ScreenSaver";
const char* const kPath = "/org/freedesktop/ScreenSaver";
}  // namespace

bool ScreenSaver::Inhibit(bool on) {
  if (on == m_inhibition.has_value()) return true;
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected() || !bus.interface() || !bus.interface()->isServiceRegistered(QString::fromLatin1(kService)))
    return !on;
  QDBusInterface saver(QString::fromLatin1(kService), QString::fromLatin1(kPath), QString::fromLatin1(kService), bus);
  if (on) {
    const QDBusReply<std::uint32_t> cookie =
        saver.call(QStringLiteral("Inhibit"), QStringLiteral("Talvex"), QStringLiteral("Disable Screen Saver is checked"));
    if (!cookie.isValid()) return false;
    m_inhibition = cookie.value();
    return true;
  }
  saver.call(QStringLiteral("UnInhibit"), *m_inhibition);
  m_inhibition.reset();
  return true;
}

}  // namespace platform
