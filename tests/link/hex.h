// Byte strings written as hex in tests: "80 21 F8".
#pragma once

#include <string>
#include <string_view>

namespace zt::link::fake {

inline std::string Hex(std::string_view text) {
  std::string out;
  int high = -1;
  for (char c : text) {
    int v = -1;
    if (c >= '0' && c <= '9') v = c - '0';
    else if (c >= 'A' && c <= 'F') v = c - 'A' + 10;
    else if (c >= 'a' && c <= 'f') v = c - 'a' + 10;
    if (v < 0) continue;
    if (high < 0) {
      high = v;
    } else {
      out.push_back(static_cast<char>(high * 16 + v));
      high = -1;
    }
  }
  return out;
}

}  // namespace zt::link::fake
