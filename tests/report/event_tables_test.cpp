#include "report/event_tables.h"

#include <gtest/gtest.h>

#include "core/cp1251.h"
#include "tests/report/archive_fixture.h"

namespace zt::report {
namespace {

using testing::Blanks;
using testing::Dashes;
using testing::EventRow;
using testing::SetEvent;
using testing::TableRun;
using testing::Utf8Lines;

TEST(ServiceCode, UsesOnlyConnectorAndInterferenceBits) {
  const struct {
    const char* service;
    const char* code;
  } cases[] = {
      {"0000", "0-0"}, {"0011", "Р-В"}, {"0001", "Р-0"}, {"0010", "0-В"},
      {"1100", "0-0"}, {"1111", "Р-В"}, {"", "0-0"},     {"-\"-", "0-0"},
  };
  for (const auto& c : cases) EXPECT_EQ(Cp1251ToUtf8(ServiceCode(c.service)), c.code) << c.service;
  // The letters are the Cyrillic Er and Ve; the "no event" mark is the digit zero.
  EXPECT_EQ(ServiceCode("0011"), std::string("\xD0-\xC2"));
  EXPECT_EQ(ServiceCode("0000"), std::string("0-0"));
}

// Row 3 is a sensor change, row 1 a control that also corrected the clock,
// row 2 a clock correction with a zero new time, row 4 a plain control; row 5
// lies outside the period.
ArchiveTables Events() {
  ArchiveTables t = testing::EmptyTables();
  EventRow change{"07.12.2026 10:15"};
  change.serviceNow = "0010";
  change.sensorsNow = "0011";
  change.serviceBefore = "0000";
  change.sensorsBefore = "0001";
  SetEvent(t, 3, change);
  EventRow both{"07.12.2026 11:00"};
  both.control = "5";
  both.newTime = "07.12.2026 12:00";
  SetEvent(t, 1, both);
  EventRow zeroTime{"07.12.2026 09:30"};
  zeroTime.newTime = "";
  SetEvent(t, 2, zeroTime);
  EventRow control{"07.12.2026 08:00"};
  control.control = "17";
  SetEvent(t, 4, control);
  EventRow outside{"08.12.2026 00:00"};
  outside.serviceNow = "0011";
  outside.sensorsNow = "1111";
  outside.serviceBefore = "0000";
  outside.sensorsBefore = "0000";
  outside.control = "1";
  outside.newTime = "08.12.2026 00:01";
  SetEvent(t, 5, outside);
  return t;
}

const char* const kNotesRu[] = {"Примечание:  С/Б - служебные биты",
                                "             В - вмешательство, Р - размыкание, О - нет события"};

TEST(SensorStateTable, RussianRowShowsBeforeThenAfter) {
  const ArchiveTables t = Events();
  TableRun run(t.operational, "07.12.2026 00:00:00", "07.12.2026 23:59:59", Language::Russian);
  WriteSensorStateTable(run.Context());
  EXPECT_EQ(Utf8Lines(run.out.lines), (std::vector<std::string>{
                                          "",
                                          Blanks(25) + "Состояние датчиков",
                                          Dashes(57),
                                          "|                 |         Было     |        Стало     |",
                                          "|       Дата      |------------------|------------------|",
                                          "|                 |С/Б|Сост.дат.было |С/Б|Сост.дат.стало|",
                                          Dashes(57),
                                          "|07.12.2026 10:15 |0-0|0001          |0-В|0011          |",
                                          Dashes(57),
                                          kNotesRu[0],
                                          kNotesRu[1],
                                      }));
  for (std::size_t i = 2; i < 9; ++i) EXPECT_EQ(run.out.lines[i].size(), 57u) << i;
}

TEST(SensorStateTable, UkrainianWithoutRecordsStillWritesTheNotes) {
  const ArchiveTables t = Events();
  TableRun run(t.operational, "01.01.2027 00:00:00", "01.01.2027 23:59:59", Language::Ukrainian);
  WriteSensorStateTable(run.Context());
  std::vector<std::string> expected = testing::SensorStateFrameUk();
  expected.insert(expected.end(), {
                                      "------Записів не було------",
                                      "",
                                      "Прімитки  :  С/Б - службові біти",
                                      Blanks(13) + "В - втручання, Р - розмикання, О - немає події",
                                  });
  EXPECT_EQ(Utf8Lines(run.out.lines), expected);
  for (std::size_t i = 2; i < 7; ++i) EXPECT_EQ(run.out.lines[i].size(), 57u) << i;
}

TEST(ClockCorrectionTable, ListsCorrectionsInDateOrderIncludingAnEmptyNewTime) {
  const ArchiveTables t = Events();
  TableRun run(t.operational, "07.12.2026 00:00:00", "07.12.2026 23:59:59", Language::Russian);
  WriteClockCorrectionTable(run.Context());
  EXPECT_EQ(Utf8Lines(run.out.lines), (std::vector<std::string>{
                                          "",
                                          Blanks(12) + "Коррекция времени",
                                          Dashes(37),
                                          "|     Дата было   |    Дата стало   |",
                                          Dashes(37),
                                          "|07.12.2026 09:30 |                 |",
                                          Dashes(37),
                                          "|07.12.2026 11:00 |07.12.2026 12:00 |",
                                          Dashes(37),
                                      }));
}

TEST(ClockCorrectionTable, UkrainianFrameAndNoRecords) {
  const ArchiveTables t = Events();
  TableRun run(t.operational, "01.01.2027 00:00:00", "01.01.2027 00:00:00", Language::Ukrainian);
  WriteClockCorrectionTable(run.Context());
  EXPECT_EQ(Utf8Lines(run.out.lines), (std::vector<std::string>{
                                          "",
                                          Blanks(18) + "Корекція часу",
                                          Dashes(37),
                                          "|     Дата було   |    Дата стало   |",
                                          Dashes(37),
                                          "------Записів не було------",
                                          "",
                                      }));
}

TEST(ControlsTable, ListsControlRecordsInBothLanguages) {
  const ArchiveTables t = Events();
  const struct {
    Language language;
    const char* title;
    const char* header;
  } cases[] = {
      {Language::Russian, "   Таблица проведенных контролей регистратора",
       "|     Дата        |Количество контролей   |"},
      {Language::Ukrainian, "   Таблиця проведених контролів реєстратора", "|     Дата        |Кількість контролів    |"},
  };
  for (const auto& c : cases) {
    TableRun run(t.operational, "07.12.2026 00:00:00", "07.12.2026 23:59:59", c.language);
    WriteControlsTable(run.Context());
    EXPECT_EQ(Utf8Lines(run.out.lines), (std::vector<std::string>{
                                            "",
                                            c.title,
                                            Dashes(43),
                                            c.header,
                                            Dashes(43),
                                            "|07.12.2026 08:00 |17                     |",
                                            Dashes(43),
                                            "|07.12.2026 11:00 |5                      |",
                                            Dashes(43),
                                        }));
    EXPECT_EQ(run.out.lines[3].size(), 43u);
    // The controls table walks without yielding.
    EXPECT_EQ(run.yield.Calls(), 0u);
  }
}

TEST(EventTables, StopSkipsTheRemainingEntriesOfYieldingTablesOnly) {
  ArchiveTables t = testing::EmptyTables();
  for (std::size_t r = 1; r <= 250; ++r) {
    EventRow e{"07.12.2026 " + std::string(r / 60 < 10 ? "0" : "") + std::to_string(r / 60) + ":" +
               (r % 60 < 10 ? "0" : "") + std::to_string(r % 60)};
    e.serviceNow = e.serviceBefore = "0000";
    e.sensorsNow = e.sensorsBefore = "0001";
    e.newTime = "07.12.2026 23:00";
    e.control = "1";
    SetEvent(t, r, e);
  }
  const struct {
    void (*write)(const TableContext&);
    std::size_t frameLines;
    std::size_t rows;
    std::size_t tailLines;
  } cases[] = {
      {WriteSensorStateTable, 7, 99, 2},
      {WriteClockCorrectionTable, 5, 99, 0},
      {WriteControlsTable, 5, 250, 0},
  };
  for (const auto& c : cases) {
    TableRun run(t.operational, "07.12.2026 00:00:00", "07.12.2026 23:59:59", Language::Russian);
    run.pump = testing::CountingPump(&run.stop, 1);  // F10 at the 100th entry
    run.stop.Clear();
    c.write(run.Context());
    EXPECT_EQ(run.out.lines.size(), c.frameLines + 2 * c.rows + c.tailLines);
  }
}

TEST(EventTables, StopBeforeAnyRowGivesTheNoRecordsBlock) {
  const ArchiveTables t = Events();
  TableRun run(t.operational, "07.12.2026 00:00:00", "07.12.2026 23:59:59", Language::Russian);
  run.stop.Set();
  WriteClockCorrectionTable(run.Context());
  ASSERT_EQ(run.out.lines.size(), 7u);
  EXPECT_EQ(Cp1251ToUtf8(run.out.lines[5]), "------Записей не было------");
}

}  // namespace
}  // namespace zt::report
