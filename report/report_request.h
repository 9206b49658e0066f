// What one report build is asked for, taken from the settings when the build starts.
#pragma once

#include <cstdint>
#include <string>

#include "core/archive_kind.h"

namespace zt::report {

// All, Hourly and Abnormal belong to the time archive; All, SensorStates,
// ClockCorrection and Controls to the operational one. A choice of the other
// archive writes no table.
enum class TableChoice : std::uint8_t { All, Hourly, Abnormal, SensorStates, ClockCorrection, Controls };

// The stored language byte: 1 Ukrainian, 2 Russian.
enum class Language : std::uint8_t { Ukrainian = 1, Russian = 2 };

// Any byte but 1 reads as Russian, the program's own language.
constexpr Language LanguageFromByte(std::uint8_t value) {
  return value == 1 ? Language::Ukrainian : Language::Russian;
}

struct ReportRequest {
  ArchiveKind archive = ArchiveKind::Time;
  TableChoice tables = TableChoice::All;
  bool shortFormat = false;  // time archive only
  Language language = Language::Russian;
  // As the date and time pickers give them: "DD.MM.YYYY" and "HH:MM:SS".
  std::string beginDate;
  std::string beginTime;
  std::string endDate;
  std::string endTime;
};

}  // namespace zt::report
