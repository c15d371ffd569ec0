#include "platform/qt/Text.h"

#include "platform/Cp1251.h"

namespace plat {

QString FromUtf8(const std::string& utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string ToUtf8(const QString& text) {
  const QByteArray b = text.toUtf8();
  return std::string(b.constData(), static_cast<std::size_t>(b.size()));
}

QString FromCp1251(const std::string& bytes) { return FromUtf8(cp1251::ToUtf8(bytes)); }

std::string ToCp1251(const QString& text) { return cp1251::FromUtf8(ToUtf8(text)); }

}  // namespace plat
