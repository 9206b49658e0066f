// The time-archive tables: hourly data and abnormal situations, with totals.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "report/table_context.h"

namespace zt::report {

// "0дн.00ч.15м." of a minute count.
std::string DurationText(std::uint32_t minutes);
// Each "1" of the row's string sets that position of the combined string.
void CombineInto(std::string& combined, std::string_view rowString);

void WriteHourlyTable(const TableContext& context);
void WriteAbnormalSituationTable(const TableContext& context);

}  // namespace zt::report
