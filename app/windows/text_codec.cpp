#include "app/windows/text_codec.h"

#include "core/cp1251.h"

namespace zt::app {

QString FromCp1251(std::string_view cp1251) {
  const std::string utf8 = Cp1251ToUtf8(cp1251);
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string ToCp1251(const QString& text) { return Utf8ToCp1251(text.toStdString()); }

}  // namespace zt::app
