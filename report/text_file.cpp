#include "report/text_file.h"

#include "core/input_file.h"
#include "core/text_lines.h"

namespace zt::report {

std::optional<std::vector<std::string>> ReadTextLines(const std::filesystem::path& path) {
  const auto text = ReadWholeFile(path);
  if (!text) return std::nullopt;
  return TextLines(*text);
}

std::string JoinCrLf(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& line : lines) {
    out += line;
    out += "\r\n";
  }
  return out;
}

}  // namespace zt::report
