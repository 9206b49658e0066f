// Work/RepPrn.000: the period and archive of the last report, five CR LF lines.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/archive_kind.h"
#include "core/clock.h"
#include "core/conversions.h"
#include "core/working_files.h"

namespace zt::report {

// What the report window's date and time pickers and archive buttons hold.
struct ReportPeriodChoice {
  LocalDateTime begin{2011, 1, 1, 9, 0, 0};
  LocalDateTime end{2011, 1, 1, 9, 0, 0};
  ArchiveKind archive = ArchiveKind::Time;
};

// The pickers' range of dates, both ends included.
inline constexpr LocalDateTime kEarliestPickerDate{2011, 1, 1, 0, 0, 0};
inline constexpr LocalDateTime kLatestPickerDate{2030, 1, 1, 0, 0, 0};

// "DD.MM.YYYY" and "HH:MM:SS" with the separators in force.
std::string PeriodDateText(const LocalDateTime& t, const DateFormats& f = {});
std::string PeriodTimeText(const LocalDateTime& t, const DateFormats& f = {});

// A date the pickers can show (time fields zero), or nullopt.
std::optional<LocalDateTime> ParsePeriodDate(std::string_view text, const DateFormats& f = {});
// A time of day (date fields zero), or nullopt.
std::optional<LocalDateTime> ParsePeriodTime(std::string_view text, const DateFormats& f = {});

// Each line of the file's text sets its picker; a line that is missing or not
// a valid date or time leaves it. The archive is the time archive only when
// line 5 is exactly "1".
void ReportPeriodFromText(std::string_view fileText, ReportPeriodChoice& choice, const DateFormats& f = {});
// Without the file the choice stays; otherwise as ReportPeriodFromText.
void LoadReportPeriod(const WorkingFiles& files, ReportPeriodChoice& choice, const DateFormats& f = {});

// The file's five CR LF lines for the choice.
std::string ReportPeriodText(const ReportPeriodChoice& choice, const DateFormats& f = {});
// False when the file could not be written; the old file then stays whole.
bool SaveReportPeriod(const WorkingFiles& files, const ReportPeriodChoice& choice, const DateFormats& f = {});

}  // namespace zt::report
