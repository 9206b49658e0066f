#include "report/sorted_records.h"

#include <algorithm>

#include "core/device_image.h"

namespace zt::report {

std::optional<DateTimeValue> RowDate(const ArchiveTable& table, std::size_t row) {
  const std::string& text = table.Cell(time_col::kDate, row);
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::nullopt;
  const auto last = text.find_last_not_of(" \t");
  const std::string_view trimmed = std::string_view(text).substr(first, last - first + 1);
  if (trimmed == kDitto) return std::nullopt;
  return ParseDateTime(trimmed);
}

SortedRecords SortRecords(const ArchiveTable& table) {
  const std::size_t count = table.RowCount() > 0 ? table.RowCount() - 1 : 0;
  SortedRecords records;
  records.reserve(count);
  for (std::size_t row = 1; row <= count; ++row)
    if (const auto date = RowDate(table, row)) records.push_back({*date, static_cast<int>(row)});
  // Rows go in ascending order, so a stable sort keeps equal dates by row.
  std::stable_sort(records.begin(), records.end(),
                   [](const RecordEntry& a, const RecordEntry& b) { return a.date < b.date; });
  records.resize(count);
  return records;
}

bool AnyInPeriod(const SortedRecords& records, const Period& period) {
  return std::any_of(records.begin(), records.end(),
                     [&](const RecordEntry& e) { return EntryInPeriod(e, period); });
}

}  // namespace zt::report
