// The rows of an archive table in date order, the list every table walks.
#pragma once

#include <optional>
#include <vector>

#include "core/archive_table.h"
#include "report/period.h"

namespace zt::report {

struct RecordEntry {
  DateTimeValue date = 0;
  int row = -1;  // -1: a filler entry, skipped by every table
};

// One entry per record of the archive: the dated rows first, by date and then
// by row, then fillers.
using SortedRecords = std::vector<RecordEntry>;

// The date of column 1, or nullopt for a blank, the ditto mark or a text that is no date.
std::optional<DateTimeValue> RowDate(const ArchiveTable& table, std::size_t row);
SortedRecords SortRecords(const ArchiveTable& table);

inline bool EntryInPeriod(const RecordEntry& entry, const Period& period) {
  return entry.row >= 0 && InPeriod(entry.date, period);
}
bool AnyInPeriod(const SortedRecords& records, const Period& period);

}  // namespace zt::report
