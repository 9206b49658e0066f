#include "link/search_settings.h"

#include <fstream>
#include <iterator>
#include <string>

#include "core/conversions.h"
#include "link/decimal_text.h"
#include "core/output_file.h"

namespace zt::link {
namespace {

constexpr std::uint8_t kHighestScanLimit = 99;

// Calls `line` for each line, CR LF or LF ended.
template <typename F>
void ForEachLine(std::string_view text, F line) {
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view l = text.substr(0, end);
    if (!l.empty() && l.back() == '\r') l.remove_suffix(1);
    line(l);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
}

std::uint8_t Low8(std::int32_t value) { return static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) & 0xFF); }

bool ReadWholeFile(const std::filesystem::path& path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

}  // namespace

std::uint8_t ScanLimitFromText(std::string_view fileText) {
  std::uint8_t limit = kDefaultScanLimit;
  ForEachLine(fileText, [&](std::string_view line) {
    const auto value = DecimalInt32(WithoutSpaces(line));
    if (!value) return;
    const std::uint8_t low = Low8(*value);
    if (low >= 1 && low <= kHighestScanLimit) limit = low;
  });
  return limit;
}

std::uint8_t ReadScanLimit(const WorkingFiles& files) {
  std::string text;
  return ReadWholeFile(files.ScanLimitFile(), text) ? ScanLimitFromText(text) : kDefaultScanLimit;
}

void RememberedPortFromText(std::string_view fileText, SearchSettings& settings) {
  ForEachLine(fileText, [&](std::string_view line) {
    const std::string digits = WithoutSpaces(line);
    if (!IsUnsignedText(digits)) return;
    const auto value = DecimalInt32(digits);
    if (!value) return;
    settings.rememberedPort = Low8(*value);
    settings.tryRemembered = true;
  });
}

void ReadRememberedPort(const WorkingFiles& files, SearchSettings& settings) {
  std::string text;
  if (ReadWholeFile(files.RememberedPortFile(), text)) RememberedPortFromText(text, settings);
}

SearchSettings ReadSearchSettings(const WorkingFiles& files) {
  SearchSettings settings;
  settings.scanLimit = ReadScanLimit(files);
  ReadRememberedPort(files, settings);
  return settings;
}

std::string RememberedPortText(std::uint8_t port) { return std::to_string(port) + "\r\n"; }

bool WriteRememberedPort(const WorkingFiles& files, std::uint8_t port) {
  return ReplaceFileContents(files.RememberedPortFile(), RememberedPortText(port));
}

}  // namespace zt::link
