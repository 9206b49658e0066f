// Arbitrary texts as the report period file (Work/RepPrn.000), read over two
// different choices: each line either sets its picker in both or leaves both.
// The first byte picks the separators in force.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_check.h"
#include "report/report_period.h"

namespace {

using namespace zt::report;
using zt::LocalDateTime;
using zt::fuzz::Require;

constexpr zt::DateFormats kFormats[] = {{'.', ':', 2000}, {'/', ':', 2000}, {'-', '.', 2000}};

bool SameDate(const LocalDateTime& a, const LocalDateTime& b) {
  return a.year == b.year && a.month == b.month && a.day == b.day;
}
bool SameTime(const LocalDateTime& a, const LocalDateTime& b) {
  return a.hour == b.hour && a.minute == b.minute && a.second == b.second;
}
bool Same(const ReportPeriodChoice& a, const ReportPeriodChoice& b) {
  return SameDate(a.begin, b.begin) && SameTime(a.begin, b.begin) && SameDate(a.end, b.end) &&
         SameTime(a.end, b.end) && a.archive == b.archive;
}

long DayKey(const LocalDateTime& t) { return (static_cast<long>(t.year) * 13 + t.month) * 32 + t.day; }

// What the pickers can show.
void CheckShowable(const LocalDateTime& t) {
  const std::chrono::year_month_day ymd{std::chrono::year{t.year}, std::chrono::month{static_cast<unsigned>(t.month)},
                                        std::chrono::day{static_cast<unsigned>(t.day)}};
  Require(ymd.ok());
  Require(DayKey(t) >= DayKey(kEarliestPickerDate) && DayKey(t) <= DayKey(kLatestPickerDate));
  Require(t.hour >= 0 && t.hour <= 23 && t.minute >= 0 && t.minute <= 59 && t.second >= 0 && t.second <= 59);
}

// Each picker either took the text's value in both readings or kept its own in both.
template <typename Equal>
void SetOrLeft(const LocalDateTime& a, const LocalDateTime& b, const LocalDateTime& a0, const LocalDateTime& b0,
               Equal equal) {
  Require(equal(a, b) || (equal(a, a0) && equal(b, b0)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const zt::DateFormats& f = kFormats[data[0] % std::size(kFormats)];
  const std::string_view text = zt::fuzz::Bytes(data + 1, size - 1);

  const ReportPeriodChoice startA;
  const ReportPeriodChoice startB{{2024, 2, 29, 23, 59, 58}, {2029, 12, 31, 0, 0, 1}, zt::ArchiveKind::Operational};
  ReportPeriodChoice a = startA;
  ReportPeriodChoice b = startB;
  ReportPeriodFromText(text, a, f);
  ReportPeriodFromText(text, b, f);
  for (const ReportPeriodChoice* c : {&a, &b}) {
    CheckShowable(c->begin);
    CheckShowable(c->end);
  }
  SetOrLeft(a.begin, b.begin, startA.begin, startB.begin, SameDate);
  SetOrLeft(a.begin, b.begin, startA.begin, startB.begin, SameTime);
  SetOrLeft(a.end, b.end, startA.end, startB.end, SameDate);
  SetOrLeft(a.end, b.end, startA.end, startB.end, SameTime);
  Require(a.archive == b.archive || (a.archive == startA.archive && b.archive == startB.archive));

  // Reading the same text again changes nothing; what is saved reads back the same.
  ReportPeriodChoice again = a;
  ReportPeriodFromText(text, again, f);
  Require(Same(again, a));
  const std::string saved = ReportPeriodText(a, f);
  ReportPeriodChoice back = startB;
  ReportPeriodFromText(saved, back, f);
  Require(Same(back, a));
  Require(ParsePeriodDate(PeriodDateText(a.begin, f), f).has_value());
  Require(ParsePeriodTime(PeriodTimeText(a.end, f), f).has_value());
  return 0;
}
