#include "core/text_lines.h"

namespace zt {

std::optional<std::string_view> TakeTextLine(std::string_view& text) {
  if (text.empty()) return std::nullopt;
  const std::size_t end = text.find('\n');
  std::string_view line = text.substr(0, end);
  text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

std::vector<std::string> TextLines(std::string_view text) {
  std::vector<std::string> lines;
  while (const auto line = TakeTextLine(text)) lines.emplace_back(*line);
  return lines;
}

}  // namespace zt
