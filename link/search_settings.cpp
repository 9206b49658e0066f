#include "link/search_settings.h"

#include <string>

#include "core/conversions.h"
#include "core/input_file.h"
#include "core/output_file.h"
#include "core/text_lines.h"
#include "link/decimal_text.h"

namespace zt::link {
namespace {

constexpr std::uint8_t kHighestScanLimit = 99;

// Calls `line` for each line, CR LF or LF ended.
template <typename F>
void ForEachLine(std::string_view text, F line) {
  while (const auto l = TakeTextLine(text)) line(*l);
}

std::uint8_t Low8(std::int32_t value) { return static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) & 0xFF); }

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
  const auto text = ReadWholeFile(files.ScanLimitFile());
  return text ? ScanLimitFromText(*text) : kDefaultScanLimit;
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
  if (const auto text = ReadWholeFile(files.RememberedPortFile())) RememberedPortFromText(*text, settings);
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
