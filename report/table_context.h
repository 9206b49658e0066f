// What every table writer reads and writes.
#pragma once

#include <cstdint>

#include "core/archive_table.h"
#include "report/build_control.h"
#include "report/period.h"
#include "report/report_lines.h"
#include "report/report_request.h"
#include "report/sorted_records.h"

namespace zt::report {

struct TableContext {
  const ArchiveTable& table;
  const SortedRecords& records;
  const Period& period;
  Language language;
  ReportLines& out;
  YieldPoint& yield;
  const StopRequest& stop;
  bool shortFormat = false;       // time-archive tables
  std::uint8_t sensorCount = 0;   // width of the combined sensor string
};

// Walks the sorted list and hands each entry of the period to writeRow(entry,
// row), which returns true when it wrote a row; true when any row was written.
// A yielding walk calls the yield point for every entry and ends at the stop
// request; the other kind does neither.
template <typename RowWriter>
bool ForEachEntryInPeriod(const TableContext& c, bool yielding, RowWriter&& writeRow) {
  bool written = false;
  for (const RecordEntry& entry : c.records) {
    if (yielding) {
      c.yield();
      if (c.stop.IsSet()) break;
    }
    if (!EntryInPeriod(entry, c.period)) continue;
    if (writeRow(entry, static_cast<std::size_t>(entry.row))) written = true;
  }
  return written;
}

}  // namespace zt::report
