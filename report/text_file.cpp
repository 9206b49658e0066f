#include "report/text_file.h"

#include <fstream>
#include <sstream>

namespace zt::report {

bool ReadTextLine(std::istream& in, std::string& line) {
  if (!std::getline(in, line)) return false;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

namespace {

std::vector<std::string> AllLines(std::istream& in) {
  std::vector<std::string> lines;
  std::string line;
  while (ReadTextLine(in, line)) lines.push_back(line);
  return lines;
}

}  // namespace

std::vector<std::string> TextLinesOf(std::string_view text) {
  std::istringstream in{std::string(text)};
  return AllLines(in);
}

std::optional<std::vector<std::string>> ReadTextLines(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  auto lines = AllLines(in);
  if (in.bad()) return std::nullopt;
  return lines;
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
