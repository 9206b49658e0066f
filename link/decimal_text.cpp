#include "link/decimal_text.h"

#include <charconv>

namespace zt::link {

std::optional<std::int32_t> DecimalInt32(std::string_view text) {
  const std::size_t digitsFrom = !text.empty() && text.front() == '-' ? 1 : 0;
  if (text.size() == digitsFrom) return std::nullopt;
  for (std::size_t i = digitsFrom; i < text.size(); ++i)
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
  std::int32_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace zt::link
