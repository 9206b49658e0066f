#include "report/time_tables.h"

#include <gtest/gtest.h>

#include "core/cp1251.h"
#include "tests/report/archive_fixture.h"

namespace zt::report {
namespace {

using testing::Blanks;
using testing::Dashes;
using testing::HourRow;
using testing::SetHour;
using testing::TableRun;
using testing::Utf8Lines;

const std::string kDitto = "-\"-";

TEST(DurationText, DaysHoursAndMinutes) {
  const struct {
    std::uint32_t minutes;
    const char* text;
  } cases[] = {
      {0, "0дн.00ч.00м."},     {59, "0дн.00ч.59м."},     {60, "0дн.01ч.00м."},  {134, "0дн.02ч.14м."},
      {1439, "0дн.23ч.59м."},  {1440, "1дн.00ч.00м."},   {1500, "1дн.01ч.00м."},
      {14400, "10дн.00ч.00м."}, {4294967295u, "2982616дн.04ч.15м."},
  };
  for (const auto& c : cases) EXPECT_EQ(Cp1251ToUtf8(DurationText(c.minutes)), c.text) << c.minutes;
}

TEST(CombineInto, OrsEveryRowIntoTheCombinedString) {
  std::string combined = "0000";
  CombineInto(combined, "0101");
  CombineInto(combined, "0011");
  EXPECT_EQ(combined, "0111");
  // A short or garbled row string sets only what it has.
  CombineInto(combined, "1");
  EXPECT_EQ(combined, "1111");
  std::string none;
  CombineInto(none, "111");
  EXPECT_EQ(none, "");
}

// Two hours, sensor count 4: 09:00 "0001" 0 minutes, 10:00 "0011" 15 minutes.
ArchiveTables WorkedExample() {
  ArchiveTables t = testing::EmptyTables();
  SetHour(t, 5, {"07.12.2026 10:00", "0000", "0011", "15", "0", kDitto});
  SetHour(t, 6, {"07.12.2026 09:00", "0000", "0001", "0", "0", kDitto});
  SetHour(t, 7, {"06.12.2026 23:00", "0000", "1111", "60", "0", kDitto});  // before the period
  return t;
}

const std::vector<std::string> kHourlyFrameRu = {
    "",
    Blanks(25) + "Почасовые данные",
    Dashes(67),
    "|       Дата      |Сост.датчиков магнитного поля|Продолж.воздейст.|",
    "|                 |                             |маг.поля (время) |",
    Dashes(67),
};

std::vector<std::string> Joined(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST(HourlyTable, WorkedExampleInRussian) {
  const ArchiveTables t = WorkedExample();
  TableRun run(t.time, "07.12.2026 00:00:00", "07.12.2026 23:59:59", Language::Russian);
  WriteHourlyTable(run.Context());
  EXPECT_EQ(Utf8Lines(run.out.lines), Joined(kHourlyFrameRu, {
                                                  "|07.12.2026 09:00 |0001                         |0мин.            |",
                                                  Dashes(67),
                                                  "|07.12.2026 10:00 |0011                         |15мин.           |",
                                                  Dashes(67),
                                                  "|Итого за период  |0011                         |0дн.00ч.15м.     |",
                                                  Dashes(67),
                                              }));
  for (std::size_t i = 2; i < run.out.lines.size(); ++i) EXPECT_EQ(run.out.lines[i].size(), 67u) << i;
}

TEST(HourlyTable, UkrainianFrameAndTotal) {
  const ArchiveTables t = WorkedExample();
  TableRun run(t.time, "07.12.2026 00:00:00", "07.12.2026 23:59:59", Language::Ukrainian, true);
  WriteHourlyTable(run.Context());
  EXPECT_EQ(Utf8Lines(run.out.lines), (std::vector<std::string>{
                                          "",
                                          Blanks(25) + "Погодинні  дані",
                                          Dashes(67),
                                          "|       Дата      |Стан датчиків магнітного поля|Тривалість дії   |",
                                          "|                 |                             |маг.поля (час)   |",
                                          Dashes(67),
                                          "|Того за період   |0011                         |0дн.00ч.15м.     |",
                                          Dashes(67),
                                      }));
  for (std::size_t i = 2; i < run.out.lines.size(); ++i) EXPECT_EQ(run.out.lines[i].size(), 67u) << i;
}

TEST(HourlyTable, EmptyPeriodGivesTheNoRecordsBlockInBothFormats) {
  const ArchiveTables t = WorkedExample();
  for (bool shortFormat : {false, true}) {
    TableRun run(t.time, "08.12.2026 00:00:00", "08.12.2026 23:59:59", Language::Russian, shortFormat);
    WriteHourlyTable(run.Context());
    EXPECT_EQ(Utf8Lines(run.out.lines), Joined(kHourlyFrameRu, {"------Записей не было------", ""}));
  }
}

TEST(HourlyTable, FullDayOfSixtyMinuteHoursTotalsOneDay) {
  ArchiveTables t = testing::EmptyTables();
  for (int h = 0; h < 24; ++h) {
    const std::string hh = (h < 10 ? "0" : "") + std::to_string(h);
    SetHour(t, static_cast<std::size_t>(h + 1), {"01.03.2027 " + hh + ":00", "0000", "0000", "60", "0", kDitto});
  }
  TableRun run(t.time, "01.03.2027 00:00:00", "01.03.2027 23:59:59", Language::Russian, true);
  WriteHourlyTable(run.Context());
  ASSERT_EQ(run.out.lines.size(), 8u);
  EXPECT_EQ(Cp1251ToUtf8(run.out.lines[6]), "|Итого за период  |0000                         |1дн.00ч.00м.     |");
}

TEST(HourlyTable, EveryDatedHourIsARowWhateverItsCells) {
  ArchiveTables t = testing::EmptyTables();
  SetHour(t, 1, {"07.12.2026 09:00", kDitto, kDitto, kDitto, kDitto, kDitto});
  TableRun run(t.time, "07.12.2026 09:00:00", "07.12.2026 09:00:00", Language::Russian);
  WriteHourlyTable(run.Context());
  ASSERT_EQ(run.out.lines.size(), 10u);
  EXPECT_EQ(Cp1251ToUtf8(run.out.lines[6]), "|07.12.2026 09:00 |-\"-                          |-\"-мин.          |");
  EXPECT_EQ(Cp1251ToUtf8(run.out.lines[8]), "|Итого за период  |0000                         |0дн.00ч.00м.     |");
}

const std::vector<std::string> kAbnormalFrameRu = {
    "",
    Blanks(18) + "Сообщения о нештатных ситуациях",
    Dashes(86),
    "|       Дата      |Сост.датч.  |         Внештатные ситуации            |Продолжит.  |",
    "|                 |            |                                        |(время)     |",
    Dashes(86),
};

// Three abnormal hours with 30, 45 and 59 alarm minutes around a quiet one.
ArchiveTables AbnormalHours() {
  ArchiveTables t = testing::EmptyTables();
  SetHour(t, 1, {"07.12.2026 09:00", "0010", "0101", "0", "30", "вмешательст./"});
  SetHour(t, 2, {"07.12.2026 10:00", "0000", "1000", "0", "0", kDitto});
  SetHour(t, 3, {"07.12.2026 11:00", "1001", "0011", "0", "45", "контроль/разомк./"});
  SetHour(t, 4, {"07.12.2026 12:00", "0100", "0000", "0", "59", "кор.врем./"});
  return t;
}

TEST(AbnormalTable, RowsOnlyForHoursWithServiceBitsAndTheTotal) {
  const ArchiveTables t = AbnormalHours();
  TableRun run(t.time, "07.12.2026 00:00:00", "07.12.2026 23:59:59", Language::Russian);
  WriteAbnormalSituationTable(run.Context());
  EXPECT_EQ(Utf8Lines(run.out.lines),
            Joined(kAbnormalFrameRu,
                   {
                       "|07.12.2026 09:00 |0101        |вмешательст./                           |30мин.      |",
                       Dashes(86),
                       "|07.12.2026 11:00 |0011        |контроль/разомк./                       |45мин.      |",
                       Dashes(86),
                       "|07.12.2026 12:00 |0000        |кор.врем./                              |59мин.      |",
                       Dashes(86),
                       "|Итого за период  |0111        |контроль/кор.врем./вмешательст./разомк./|0дн.02ч.14м.|",
                       Dashes(86),
                   }));
  for (std::size_t i = 2; i < run.out.lines.size(); ++i) EXPECT_EQ(run.out.lines[i].size(), 86u) << i;
}

TEST(AbnormalTable, SingleInterferenceHourKeepsItsComment) {
  ArchiveTables t = testing::EmptyTables();
  SetHour(t, 9, {"07.12.2026 09:00", "0010", "0001", "0", "5", "вмешательст./"});
  TableRun run(t.time, "07.12.2026 09:00:00", "07.12.2026 09:00:00", Language::Ukrainian, true);
  WriteAbnormalSituationTable(run.Context());
  EXPECT_EQ(Utf8Lines(run.out.lines),
            (std::vector<std::string>{
                "",
                Blanks(18) + "Повідомлення про позаштатні ситуаціі",
                Dashes(86),
                "|       Дата      |Стан датч.  |         Позаштатні ситуаціі            |Тривалість  |",
                "|                 |            |                                        |(час)       |",
                Dashes(86),
                "|Того за період   |0001        |вмешательст./                           |0дн.00ч.05м.|",
                Dashes(86),
            }));
}

TEST(AbnormalTable, TotalGrowsOneCharacterFromTenDays) {
  const struct {
    int hours;
    std::size_t length;
  } cases[] = {{239, 86}, {240, 87}};  // 239 hours of 60 minutes: 9 days 23 hours
  for (const auto& c : cases) {
    ArchiveTables t = testing::EmptyTables();
    for (int i = 0; i < c.hours; ++i) {
      const int day = 1 + i / 24, hour = i % 24;
      const std::string date = (day < 10 ? "0" : "") + std::to_string(day) + ".01.2027 " + (hour < 10 ? "0" : "") +
                               std::to_string(hour) + ":00";
      SetHour(t, static_cast<std::size_t>(i + 1), {date, "0001", "0000", "0", "60", "разомк./"});
    }
    TableRun run(t.time, "01.01.2027 00:00:00", "31.01.2027 23:59:59", Language::Russian, true);
    WriteAbnormalSituationTable(run.Context());
    ASSERT_EQ(run.out.lines.size(), 8u);
    EXPECT_EQ(run.out.lines[6].size(), c.length) << c.hours;
    EXPECT_EQ(run.out.lines[7], Dashes(c.length));
  }
}

TEST(AbnormalTable, NoAbnormalHourGivesTheNoRecordsBlock) {
  ArchiveTables t = testing::EmptyTables();
  SetHour(t, 1, {"07.12.2026 09:00", "0000", "1111", "60", "0", kDitto});
  TableRun run(t.time, "07.12.2026 00:00:00", "07.12.2026 23:59:59", Language::Ukrainian);
  WriteAbnormalSituationTable(run.Context());
  ASSERT_EQ(run.out.lines.size(), 8u);
  EXPECT_EQ(Cp1251ToUtf8(run.out.lines[6]), "------Записів не було------");
  EXPECT_EQ(run.out.lines[7], "");
}

TEST(TimeTables, StopReplacesTheTotalEvenAfterRows) {
  ArchiveTables t = testing::EmptyTables();
  for (std::size_t r = 1; r <= 300; ++r) {
    const int day = 1 + static_cast<int>(r - 1) / 24, hour = static_cast<int>(r - 1) % 24;
    const std::string date = (day < 10 ? "0" : "") + std::to_string(day) + ".02.2027 " + (hour < 10 ? "0" : "") +
                             std::to_string(hour) + ":00";
    SetHour(t, r, {date, "0010", "0001", "1", "1", "вмешательст./"});
  }
  for (auto writer : {WriteHourlyTable, WriteAbnormalSituationTable}) {
    TableRun run(t.time, "01.02.2027 00:00:00", "28.02.2027 23:59:59", Language::Russian);
    run.pump = testing::CountingPump(&run.stop, 2);  // F10 seen at the 200th entry
    writer(run.Context());
    // 199 rows of two lines after the frame, then the no-records block.
    ASSERT_EQ(run.out.lines.size(), 6u + 2 * 199 + 2);
    EXPECT_EQ(Cp1251ToUtf8(run.out.lines[6 + 2 * 199]), "------Записей не было------");
    EXPECT_EQ(run.yield.Calls(), 200u);
  }
}

TEST(TimeTables, YieldPointIsCalledForEveryEntryOfTheArchive) {
  const ArchiveTables t = WorkedExample();
  TableRun run(t.time, "07.12.2026 00:00:00", "07.12.2026 23:59:59", Language::Russian);
  WriteHourlyTable(run.Context());
  EXPECT_EQ(run.yield.Calls(), 2048u);
  EXPECT_EQ(run.pump.calls, 20);
}

}  // namespace
}  // namespace zt::report
