#include "report/period.h"

#include <gtest/gtest.h>

namespace zt::report {
namespace {

TEST(ParseDateTime, ReadsDatesWithAndWithoutSeconds) {
  const struct {
    const char* text;
    std::optional<DateTimeValue> value;
  } cases[] = {
      {"01.01.2000 00:00", 0},
      {"01.01.2000 00:01", 60},
      {"02.01.2000 00:00", 86400},
      {"01.01.2000 00:00:59", 59},
      {"  01.03.2000 01:02:03 ", (31 + 29) * 86400LL + 3723},  // 2000 is a leap year
      {"24.11.2031 20:15", 11650LL * 86400 + 20 * 3600 + 15 * 60},
      {"", std::nullopt},
      {"-\"-", std::nullopt},
      {"07.12.2026", std::nullopt},
      {"31.02.2026 10:00", std::nullopt},
      {"07.12.2026 24:00", std::nullopt},
      {"07.12.2026 10:60", std::nullopt},
      {"07.12.2026 10:00:60", std::nullopt},
      {"07.12.2026 10", std::nullopt},
      {"07.12.2026 10:00:00:00", std::nullopt},
      {"07.12.2026 10:x0", std::nullopt},
      {"07.12.1999 10:00", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseDateTime(c.text), c.value) << c.text;
}

TEST(DateTimeText, IsDayMonthYearHoursMinutes) {
  EXPECT_EQ(DateTimeText(0), "01.01.2000 00:00");
  EXPECT_EQ(DateTimeText(11650LL * 86400 + 20 * 3600 + 15 * 60 + 59), "24.11.2031 20:15");
  EXPECT_EQ(DateTimeText(*ParseDateTime("07.12.2026 10:15")), "07.12.2026 10:15");
}

ReportRequest Request(const char* beginDate, const char* beginTime, const char* endDate, const char* endTime) {
  ReportRequest r;
  r.beginDate = beginDate;
  r.beginTime = beginTime;
  r.endDate = endDate;
  r.endTime = endTime;
  return r;
}

TEST(ReadPeriod, BuildsTextsAndValues) {
  const auto p = ReadPeriod(Request("1.12.2026", "09-00-00", "07.12.2026", "09:00:00"));
  ASSERT_TRUE(p);
  EXPECT_EQ(p->beginText, "01.12.2026 09:00:00");
  EXPECT_EQ(p->endText, "07.12.2026 09:00:00");
  EXPECT_EQ(p->end - p->begin, 6 * 86400);
  EXPECT_EQ(p->begin, *ParseDateTime("01.12.2026 09:00:00"));
}

TEST(ReadPeriod, RejectsBadDatesTimesAndReversedEnds) {
  const struct {
    ReportRequest request;
    bool valid;
  } cases[] = {
      {Request("07.12.2026", "09:00:00", "07.12.2026", "09:00:00"), true},  // begin equal to end
      {Request("07.12.2026", "09:00:00", "07.12.2026", "08:59:59"), false},
      {Request("32.12.2026", "09:00:00", "07.12.2026", "09:00:00"), false},
      {Request("07.12.2026", "09:00:00", "07.13.2026", "09:00:00"), false},
      {Request("25.11.2031", "09:00:00", "25.11.2031", "09:00:00"), false},
      {Request("", "09:00:00", "07.12.2026", "09:00:00"), false},
      {Request("07.12.2026", "25:00:00", "08.12.2026", "09:00:00"), false},
      {Request("07.12.2026", "09:00:00", "08.12.2026", ""), false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ReadPeriod(c.request).has_value(), c.valid) << c.request.beginDate << " " << c.request.beginTime
                                                          << " .. " << c.request.endDate << " " << c.request.endTime;
}

TEST(InPeriod, IsClosedAtBothEnds) {
  const auto p = ReadPeriod(Request("07.12.2026", "09:00:00", "07.12.2026", "10:00:00"));
  ASSERT_TRUE(p);
  EXPECT_FALSE(InPeriod(*ParseDateTime("07.12.2026 08:59"), *p));
  EXPECT_TRUE(InPeriod(*ParseDateTime("07.12.2026 09:00"), *p));
  EXPECT_TRUE(InPeriod(*ParseDateTime("07.12.2026 10:00"), *p));
  EXPECT_FALSE(InPeriod(*ParseDateTime("07.12.2026 10:01"), *p));
}

}  // namespace
}  // namespace zt::report
