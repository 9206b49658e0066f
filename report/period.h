// The report period: its texts, its values and the test of a record date.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "report/report_request.h"

namespace zt::report {

// A date-time as whole seconds since 01.01.2000 00:00:00.
using DateTimeValue = long long;

struct Period {
  std::string beginText;  // "DD.MM.YYYY HH:MM:SS"
  std::string endText;
  DateTimeValue begin = 0;
  DateTimeValue end = 0;
};

// "DD.MM.YYYY HH:MM" or "DD.MM.YYYY HH:MM:SS", blanks around ignored; nullopt
// for anything else or an impossible date or time.
std::optional<DateTimeValue> ParseDateTime(std::string_view text);
// "DD.MM.YYYY HH:MM".
std::string DateTimeText(DateTimeValue value);

// The period of the request, or nullopt when a date or time is invalid or the
// begin lies after the end.
std::optional<Period> ReadPeriod(const ReportRequest& request);

// Both ends belong to the period.
inline bool InPeriod(DateTimeValue date, const Period& period) {
  return date >= period.begin && date <= period.end;
}

}  // namespace zt::report
