// Device and report texts are Windows-1251 bytes; widgets speak QString.
// These are the only crossings between the two.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace zt::app {

QString FromCp1251(std::string_view cp1251);
std::string ToCp1251(const QString& text);

}  // namespace zt::app
