#include "tools/zt/terminal_text.h"

#include "core/cp1251.h"

namespace zt::cli {
namespace {

constexpr unsigned char kDelete = 0x7F;
// U+2400 + code for the C0 controls, U+2421 for DEL.
constexpr char32_t kControlPictures = 0x2400;
constexpr char32_t kDeletePicture = 0x2421;

bool IsControl(char c) {
  const auto b = static_cast<unsigned char>(c);
  return b < 0x20 || b == kDelete;
}

// The control's picture, three bytes in UTF-8.
void AppendPicture(std::string& out, char control) {
  const auto b = static_cast<unsigned char>(control);
  const char32_t cp = b == kDelete ? kDeletePicture : kControlPictures + b;
  out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
  out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
  out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
}

}  // namespace

std::string VisibleControls(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  // Bytes of multi-byte characters are all 0x80 and above: never controls.
  for (char c : utf8) {
    if (IsControl(c))
      AppendPicture(out, c);
    else
      out.push_back(c);
  }
  return out;
}

std::string TerminalText(std::string_view cp1251) {
  // Controls are taken before the conversion, which has no character for NUL.
  std::string out;
  std::size_t plainFrom = 0;
  for (std::size_t i = 0; i < cp1251.size(); ++i) {
    if (!IsControl(cp1251[i])) continue;
    out += Cp1251ToUtf8(cp1251.substr(plainFrom, i - plainFrom));
    AppendPicture(out, cp1251[i]);
    plainFrom = i + 1;
  }
  return out + Cp1251ToUtf8(cp1251.substr(plainFrom));
}

}  // namespace zt::cli
