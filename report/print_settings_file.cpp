#include "report/print_settings_file.h"

#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "report/printer_lookup.h"
#include "core/output_file.h"
#include "core/text_lines.h"
#include "report/text_file.h"

namespace zt::report {
namespace {

constexpr std::size_t kLines = 10;

std::string WithSingleSpaces(std::string_view line) {
  std::string out;
  for (char c : line)
    if (c != ' ' || out.empty() || out.back() != ' ') out.push_back(c);
  return out;
}

std::optional<std::int32_t> NumberOf(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  if (text.size() > 1 && text[0] == '+' && text[1] >= '0' && text[1] <= '9') text.remove_prefix(1);
  std::int32_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return value;
}

void SetNumber(std::string_view text, std::int32_t& field) {
  if (const auto v = NumberOf(text)) field = *v;
}

void SetNumber(std::string_view text, std::uint8_t& field) {
  if (const auto v = NumberOf(text)) field = static_cast<std::uint8_t>(static_cast<std::uint32_t>(*v) & 0xFFu);
}

// Lines 2 to 9, in file order.
void SetField(std::size_t lineIndex, std::string_view text, PrintSettings& s) {
  switch (lineIndex) {
    case 1: SetNumber(text, s.fontSize); break;
    case 2: s.fontName = std::string(text); break;
    case 3: SetNumber(text, s.leftIndent); break;
    case 4: SetNumber(text, s.topMargin); break;
    case 5: SetNumber(text, s.bottomMargin); break;
    case 6: SetNumber(text, s.reportLanguage); break;
    case 7: SetNumber(text, s.storedLinesPerSheet); break;
    case 8: SetNumber(text, s.storedCharsPerLine); break;
    default: break;
  }
}

// A text field must stay on its own line.
std::string OneLine(std::string_view text) {
  std::string out;
  for (char c : text)
    if (c != '\r' && c != '\n') out.push_back(c);
  return out;
}

// False when the first line is not the version tag.
bool SetFromLines(std::vector<std::string> lines, PrintSetup& setup, Printer& printer, Messages& messages) {
  for (auto& line : lines) line = WithSingleSpaces(line);
  if (lines.empty() || lines[0] != kPrintSettingsVersionTag) return false;
  PrintSettings& s = setup.settings;
  const std::size_t given = lines.size() < kLines ? lines.size() : kLines;
  for (std::size_t i = 1; i < given && i < kLines - 1; ++i) SetField(i, lines[i], s);
  if (given < kLines) return true;
  s.storedPrinterName = lines[kLines - 1];
  if (FindStoredPrinter(s, printer, messages)) {
    setup.working.linesPerSheet = s.storedLinesPerSheet;
    setup.working.charsPerLine = s.storedCharsPerLine;
  } else {
    s.storedLinesPerSheet = 0;
    s.storedCharsPerLine = 0;
    s.storedPrinterName.clear();
  }
  return true;
}

}  // namespace

bool PrintSettingsFromText(std::string_view fileText, PrintSetup& setup, Printer& printer, Messages& messages) {
  return SetFromLines(TextLines(fileText), setup, printer, messages);
}

void LoadPrintSettings(const WorkingFiles& files, PrintSetup& setup, Printer& printer, Messages& messages) {
  const auto path = files.PrintSettingsFile();
  auto lines = ReadTextLines(path);
  if (!lines) return;
  std::error_code ec;
  if (!SetFromLines(std::move(*lines), setup, printer, messages)) std::filesystem::remove(path, ec);
}

std::string PrintSettingsText(const PrintSettings& s) {
  return JoinCrLf({
      std::string(kPrintSettingsVersionTag),
      std::to_string(s.fontSize),
      OneLine(s.fontName),
      std::to_string(s.leftIndent),
      std::to_string(s.topMargin),
      std::to_string(s.bottomMargin),
      std::to_string(s.reportLanguage),
      std::to_string(s.storedLinesPerSheet),
      std::to_string(s.storedCharsPerLine),
      OneLine(s.storedPrinterName),
  });
}

bool SavePrintSettings(const WorkingFiles& files, const PrintSettings& s) {
  return ReplaceFileContents(files.PrintSettingsFile(), PrintSettingsText(s));
}

}  // namespace zt::report
