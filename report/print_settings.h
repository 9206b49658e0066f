// The one record of how reports look on paper and in the preview, and the
// working page metrics the pagination uses beside it.
#pragma once

#include <cstdint>
#include <string>

namespace zt::report {

inline constexpr std::uint8_t kReportLanguageUkrainian = 1;
inline constexpr std::uint8_t kReportLanguageRussian = 2;

struct PrintSettings {
  std::uint8_t fontSize = 8;
  std::string fontName = "Lucida Console";
  std::uint8_t leftIndent = 5;
  std::uint8_t topMargin = 3;
  std::uint8_t bottomMargin = 3;
  std::uint8_t reportLanguage = kReportLanguageRussian;
  // Measured on the stored printer; 0 = not measured.
  std::int32_t storedLinesPerSheet = 0;
  std::int32_t storedCharsPerLine = 0;
  std::string storedPrinterName;  // Windows-1251
};

// 0 until taken from the stored values or measured; a reset leaves them alone.
struct WorkingMetrics {
  int linesPerSheet = 0;
  int charsPerLine = 0;
};

struct PrintSetup {
  PrintSettings settings;
  WorkingMetrics working;
};

void ResetPrintSettings(PrintSettings& settings);

}  // namespace zt::report
