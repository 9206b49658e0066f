#include "tests/report/archive_fixture.h"

#include "core/cp1251.h"

namespace zt::report::testing {

void SetHour(ArchiveTables& tables, std::size_t row, const HourRow& h) {
  using namespace time_col;
  ArchiveTable& t = tables.time;
  t.SetCell(kDate, row, h.date);
  t.SetCell(kService, row, h.service);
  t.SetCell(kSensors, row, h.sensors);
  t.SetCell(kFieldMinutes, row, h.fieldMinutes);
  t.SetCell(kAlarmMinutes, row, h.alarmMinutes);
  t.SetCell(kComment, row, Utf8ToCp1251(h.comment));
}

void SetEvent(ArchiveTables& tables, std::size_t row, const EventRow& e) {
  using namespace oper_col;
  ArchiveTable& t = tables.operational;
  t.SetCell(kDate, row, e.date);
  t.SetCell(kServiceNow, row, e.serviceNow);
  t.SetCell(kSensorsNow, row, e.sensorsNow);
  t.SetCell(kServiceBefore, row, e.serviceBefore);
  t.SetCell(kSensorsBefore, row, e.sensorsBefore);
  t.SetCell(kControl, row, e.control);
  t.SetCell(kClockCorrection, row, e.newTime);
}

ArchiveTables EmptyTables() {
  ArchiveTables tables;
  ResetArchiveTables(tables);
  return tables;
}

namespace {
Period PeriodOf(std::string_view begin, std::string_view end) {
  Period p;
  p.beginText = std::string(begin);
  p.endText = std::string(end);
  p.begin = ParseDateTime(begin).value_or(0);
  p.end = ParseDateTime(end).value_or(0);
  return p;
}
}  // namespace

TableRun::TableRun(const ArchiveTable& t, std::string_view begin, std::string_view end, Language lang, bool shortFmt,
                   std::uint8_t count)
    : table(t),
      records(SortRecords(t)),
      period(PeriodOf(begin, end)),
      language(lang),
      shortFormat(shortFmt),
      sensorCount(count) {}

TableContext TableRun::Context() {
  return TableContext{table, records, period, language, out, yield, stop, shortFormat, sensorCount};
}

std::vector<std::string> Utf8Lines(const std::vector<std::string>& lines) {
  std::vector<std::string> utf8;
  for (const auto& l : lines) utf8.push_back(Cp1251ToUtf8(l));
  return utf8;
}

std::string Blanks(std::size_t n) { return std::string(n, ' '); }
std::string Dashes(std::size_t n) { return std::string(n, '-'); }

std::vector<std::string> SensorStateFrameUk() {
  return {
      "",
      Blanks(25) + "Стан датчиків",
      Dashes(57),
      "|                 |       Було       |      Стало       |",
      "|       Дата      |------------------|------------------|",
      "|                 |С/Б|Стан дат. був |С/Б|Стан дат.став |",
      Dashes(57),
  };
}

}  // namespace zt::report::testing
