// What every fuzz target uses to state an invariant: a broken one stops the
// run with a crash file, as a sanitizer report would.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zt::fuzz {

inline void Require(bool condition) {
  if (!condition) __builtin_trap();
}

inline std::string_view Bytes(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// The input after its first byte, cut in two at the place that byte gives:
// for readers where later lines overrule earlier ones.
struct TwoTexts {
  std::string_view first;
  std::string_view second;
};
inline TwoTexts CutInTwo(std::string_view input) {
  if (input.empty()) return {};
  const std::string_view text = input.substr(1);
  const std::size_t at = static_cast<unsigned char>(input[0]) * text.size() / 255;
  return {text.substr(0, at), text.substr(at)};
}

// The text with every space taken out, which reads as the text itself where
// spaces are removed line by line; but a space after a line's CR keeps the CR
// in the line, so texts with a CR are kept as they are.
inline std::string WithoutSpaces(std::string_view text) {
  std::string out(text);
  if (out.find('\r') == std::string::npos) std::erase(out, ' ');
  return out;
}

}  // namespace zt::fuzz
