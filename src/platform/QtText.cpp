#include "platform/QtText.h"

#include <QByteArray>
#include <QStringDecoder>

namespace platform {

QString ToQString(std::string_view text) {
  const QByteArrayView bytes(text.data(), static_cast<qsizetype>(text.size()));
  QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
  QString decoded = utf8.decode(bytes);
  if (!utf8.hasError()) return decoded;
  return QString::fromLatin1(bytes);
}

std::string FromQString(const QString& text) {
  const QByteArray bytes = text.toUtf8();
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace platform
