#include "app/shell/text_lines.h"

#include <fstream>
#include <iterator>
#include <system_error>

namespace zt::shell {

std::vector<std::string> TextLines(std::string_view text) {
  std::vector<std::string> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.emplace_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

std::optional<std::string> ReadFileText(const std::filesystem::path& path) {
  // A folder opens as a stream that reads as empty: not a file to take lines from.
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string text(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>{});
  if (in.bad()) return std::nullopt;
  return text;
}

}  // namespace zt::shell
