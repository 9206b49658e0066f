#include "report/sorted_records.h"

#include <gtest/gtest.h>

#include "tests/report/archive_fixture.h"

namespace zt::report {
namespace {

std::vector<int> DatedRows(const SortedRecords& records) {
  std::vector<int> rows;
  for (const auto& e : records)
    if (e.row >= 0) rows.push_back(e.row);
  return rows;
}

TEST(SortRecords, DateOrderWithTiesInRowOrder) {
  ArchiveTables t = testing::EmptyTables();
  t.time.SetCell(1, 1, "07.12.2026 10:00");
  t.time.SetCell(1, 2, "07.12.2026 09:00");
  t.time.SetCell(1, 3, "07.12.2026 10:00");
  t.time.SetCell(1, 4, "01.12.2026 23:00");  // the clock was set back
  t.time.SetCell(1, 5, "  ");
  t.time.SetCell(1, 6, "garbled");
  t.time.SetCell(1, 8, "07.12.2026 09:00");
  const SortedRecords records = SortRecords(t.time);
  ASSERT_EQ(records.size(), 2048u);
  EXPECT_EQ(DatedRows(records), (std::vector<int>{4, 2, 8, 1, 3}));
  EXPECT_EQ(records[0].date, *ParseDateTime("01.12.2026 23:00"));
  for (std::size_t i = 5; i < records.size(); ++i) ASSERT_EQ(records[i].row, -1) << i;
}

TEST(SortRecords, OperationalListHasOneEntryPerRecord) {
  const ArchiveTables t = testing::EmptyTables();
  const SortedRecords records = SortRecords(t.operational);
  EXPECT_EQ(records.size(), 1536u);
  EXPECT_TRUE(DatedRows(records).empty());
}

TEST(AnyInPeriod, SeesOnlyDatedRowsInsideThePeriod) {
  ArchiveTables t = testing::EmptyTables();
  t.time.SetCell(1, 10, "07.12.2026 09:00");
  const SortedRecords records = SortRecords(t.time);
  Period p;
  p.begin = p.end = *ParseDateTime("07.12.2026 09:00:00");
  EXPECT_TRUE(AnyInPeriod(records, p));
  p.begin = p.end = *ParseDateTime("07.12.2026 09:00:01");
  EXPECT_FALSE(AnyInPeriod(records, p));
  // Fillers carry date 0, which a period starting at the epoch must not catch.
  p.begin = 0;
  p.end = 1;
  EXPECT_FALSE(AnyInPeriod(records, p));
}

}  // namespace
}  // namespace zt::report
