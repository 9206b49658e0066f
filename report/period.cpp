#include "report/period.h"

#include <array>

#include "core/conversions.h"

namespace zt::report {
namespace {

constexpr DateTimeValue kSecondsPerDay = 86400;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trimmed(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

int Digits(std::string_view s) {
  int v = 0;
  for (char c : s) v = v * 10 + (c - '0');
  return v;
}

// "H:M" or "H:M:S", one or two digits each, as seconds of the day.
std::optional<DateTimeValue> SecondsOfDay(std::string_view text) {
  std::array<int, 3> parts{};
  std::size_t count = 0;
  std::size_t digits = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || text[i] == ':') {
      if (digits == 0 || count == parts.size()) return std::nullopt;
      parts[count++] = Digits(text.substr(i - digits, digits));
      digits = 0;
    } else if (text[i] >= '0' && text[i] <= '9' && digits < 2) {
      ++digits;
    } else {
      return std::nullopt;
    }
  }
  if (count < 2 || parts[0] > 23 || parts[1] > 59 || parts[2] > 59) return std::nullopt;
  return DateTimeValue{parts[0]} * 3600 + parts[1] * 60 + parts[2];
}

}  // namespace

std::optional<DateTimeValue> ParseDateTime(std::string_view text) {
  text = Trimmed(text);
  const std::size_t blank = text.find(' ');
  if (blank == std::string_view::npos) return std::nullopt;
  const NormalisedDate date = NormaliseDateText(text.substr(0, blank));
  if (!date.valid || date.text.size() != 10) return std::nullopt;
  const auto seconds = SecondsOfDay(Trimmed(text.substr(blank + 1)));
  if (!seconds) return std::nullopt;
  const std::string_view d = date.text;
  const int days = DaysFromEpoch(Digits(d.substr(6, 4)), Digits(d.substr(3, 2)), Digits(d.substr(0, 2)));
  return DateTimeValue{days} * kSecondsPerDay + *seconds;
}

std::string DateTimeText(DateTimeValue value) {
  DateTimeValue days = value / kSecondsPerDay;
  DateTimeValue rest = value % kSecondsPerDay;
  if (rest < 0) {
    rest += kSecondsPerDay;
    --days;
  }
  int year = 0, month = 0, day = 0;
  CivilFromEpochDays(static_cast<int>(days), year, month, day);
  return PadNumber(day, 2) + "." + PadNumber(month, 2) + "." + PadNumber(year, 4) + " " + PadNumber(rest / 3600, 2) +
         ":" + PadNumber(rest / 60 % 60, 2);
}

std::optional<Period> ReadPeriod(const ReportRequest& request) {
  const NormalisedDate beginDate = NormaliseDateText(request.beginDate);
  const NormalisedDate endDate = NormaliseDateText(request.endDate);
  if (!beginDate.valid || !endDate.valid) return std::nullopt;
  Period period;
  period.beginText = beginDate.text + " " + DigitsWithTimeSeparators(request.beginTime);
  period.endText = endDate.text + " " + DigitsWithTimeSeparators(request.endTime);
  const auto begin = ParseDateTime(period.beginText);
  const auto end = ParseDateTime(period.endText);
  if (!begin || !end || *begin > *end) return std::nullopt;
  period.begin = *begin;
  period.end = *end;
  return period;
}

}  // namespace zt::report
