#include "report/report_period.h"

#include <chrono>
#include <vector>

#include "core/output_file.h"
#include "core/text_lines.h"
#include "report/text_file.h"

namespace zt::report {
namespace {

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// Splits "a<sep>b<sep>c" into three groups of digits of the given most lengths.
bool ThreeGroups(std::string_view text, char separator, const int (&maxDigits)[3], int (&values)[3]) {
  std::size_t pos = 0;
  for (int g = 0; g < 3; ++g) {
    if (g > 0) {
      if (pos >= text.size() || text[pos] != separator) return false;
      ++pos;
    }
    int digits = 0;
    int value = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
      if (++digits > maxDigits[g]) return false;
      value = value * 10 + (text[pos] - '0');
      ++pos;
    }
    if (digits == 0) return false;
    values[g] = value;
  }
  return pos == text.size();
}

void TakeDate(LocalDateTime& t, const LocalDateTime& date) {
  t.year = date.year;
  t.month = date.month;
  t.day = date.day;
}

void TakeTime(LocalDateTime& t, const LocalDateTime& time) {
  t.hour = time.hour;
  t.minute = time.minute;
  t.second = time.second;
}

long DayKey(const LocalDateTime& t) { return (static_cast<long>(t.year) * 13 + t.month) * 32 + t.day; }

}  // namespace

std::string PeriodDateText(const LocalDateTime& t, const DateFormats& f) {
  return PadNumber(t.day, 2) + f.dateSeparator + PadNumber(t.month, 2) + f.dateSeparator + PadNumber(t.year, 4);
}

std::string PeriodTimeText(const LocalDateTime& t, const DateFormats& f) {
  return PadNumber(t.hour, 2) + f.timeSeparator + PadNumber(t.minute, 2) + f.timeSeparator + PadNumber(t.second, 2);
}

std::optional<LocalDateTime> ParsePeriodDate(std::string_view text, const DateFormats& f) {
  int v[3] = {};
  if (!ThreeGroups(text, f.dateSeparator, {2, 2, 4}, v)) return std::nullopt;
  const std::chrono::year_month_day ymd{std::chrono::year{v[2]}, std::chrono::month{static_cast<unsigned>(v[1])},
                                        std::chrono::day{static_cast<unsigned>(v[0])}};
  if (!ymd.ok()) return std::nullopt;
  const LocalDateTime date{v[2], v[1], v[0], 0, 0, 0};
  if (DayKey(date) < DayKey(kEarliestPickerDate) || DayKey(date) > DayKey(kLatestPickerDate)) return std::nullopt;
  return date;
}

std::optional<LocalDateTime> ParsePeriodTime(std::string_view text, const DateFormats& f) {
  int v[3] = {};
  if (!ThreeGroups(text, f.timeSeparator, {2, 2, 2}, v)) return std::nullopt;
  if (v[0] > 23 || v[1] > 59 || v[2] > 59) return std::nullopt;
  return LocalDateTime{0, 0, 0, v[0], v[1], v[2]};
}

namespace {

void SetFromLines(const std::vector<std::string>& lines, ReportPeriodChoice& choice, const DateFormats& f) {
  const auto line = [&](std::size_t i) -> std::optional<std::string_view> {
    if (i >= lines.size()) return std::nullopt;
    return Trimmed(lines[i]);
  };
  using Parser = std::optional<LocalDateTime> (*)(std::string_view, const DateFormats&);
  using Taker = void (*)(LocalDateTime&, const LocalDateTime&);
  const auto set = [&](std::size_t i, Parser parse, Taker take, LocalDateTime& t) {
    if (const auto text = line(i))
      if (const auto value = parse(*text, f)) take(t, *value);
  };
  set(0, ParsePeriodDate, TakeDate, choice.begin);
  set(1, ParsePeriodTime, TakeTime, choice.begin);
  set(2, ParsePeriodDate, TakeDate, choice.end);
  set(3, ParsePeriodTime, TakeTime, choice.end);
  if (const auto archive = line(4)) choice.archive = *archive == "1" ? ArchiveKind::Time : ArchiveKind::Operational;
}

}  // namespace

void ReportPeriodFromText(std::string_view fileText, ReportPeriodChoice& choice, const DateFormats& f) {
  SetFromLines(TextLines(fileText), choice, f);
}

void LoadReportPeriod(const WorkingFiles& files, ReportPeriodChoice& choice, const DateFormats& f) {
  if (const auto lines = ReadTextLines(files.ReportPeriodFile())) SetFromLines(*lines, choice, f);
}

std::string ReportPeriodText(const ReportPeriodChoice& choice, const DateFormats& f) {
  return JoinCrLf({PeriodDateText(choice.begin, f), PeriodTimeText(choice.begin, f), PeriodDateText(choice.end, f),
                   PeriodTimeText(choice.end, f), choice.archive == ArchiveKind::Time ? "1" : "0"});
}

bool SaveReportPeriod(const WorkingFiles& files, const ReportPeriodChoice& choice, const DateFormats& f) {
  return ReplaceFileContents(files.ReportPeriodFile(), ReportPeriodText(choice, f));
}

}  // namespace zt::report
