#include "report/event_tables.h"

#include "core/cp1251.h"
#include "core/device_image.h"

namespace zt::report {
namespace {

constexpr std::size_t kDateWidth = 17;

bool Flag(std::string_view s, std::size_t position) { return s.size() > position && s[position] == '1'; }

// The rows of the period, or the no-records block when none was written.
template <typename RowWriter>
void WriteRowsOrNone(const TableContext& c, bool yielding, RowWriter writeRow) {
  if (!ForEachEntryInPeriod(c, yielding, writeRow)) WriteNoRecordsBlock(c.out, c.language);
}

}  // namespace

std::string ServiceCode(std::string_view s) {
  std::string code;
  code += Flag(s, 3) ? "Р"_cp : "0";
  code += '-';
  code += Flag(s, 2) ? "В"_cp : "0";
  return code;
}

void WriteSensorStateTable(const TableContext& c) {
  const bool uk = c.language == Language::Ukrainian;
  WriteTableFrame(c.out, Indented(25, uk ? "Стан датчиків"_cp : "Состояние датчиков"_cp),
                  {uk ? "|                 |       Було       |      Стало       |"_cp
                      : "|                 |         Было     |        Стало     |"_cp,
                   "|       Дата      |------------------|------------------|"_cp,
                   uk ? "|                 |С/Б|Стан дат. був |С/Б|Стан дат.став |"_cp
                      : "|                 |С/Б|Сост.дат.было |С/Б|Сост.дат.стало|"_cp});
  WriteRowsOrNone(c, true, [&](const RecordEntry& entry, std::size_t row) {
    using namespace oper_col;
    if (c.table.Cell(kServiceNow, row) == kDitto) return false;  // not a sensor change
    WriteRow(c.out, ColumnCell(DateTimeText(entry.date), kDateWidth) +
                        ColumnCell(ServiceCode(c.table.Cell(kServiceBefore, row)), 3) +
                        ColumnCell(c.table.Cell(kSensorsBefore, row), 14) +
                        ColumnCell(ServiceCode(c.table.Cell(kServiceNow, row)), 3) +
                        ColumnCell(c.table.Cell(kSensorsNow, row), 14) + "|");
    return true;
  });
  c.out.WriteLine(uk ? "Прімитки  :  С/Б - службові біти"_cp : "Примечание:  С/Б - служебные биты"_cp);
  c.out.WriteLine(Indented(13, uk ? "В - втручання, Р - розмикання, О - немає події"_cp
                                  : "В - вмешательство, Р - размыкание, О - нет события"_cp));
}

void WriteClockCorrectionTable(const TableContext& c) {
  const bool uk = c.language == Language::Ukrainian;
  WriteTableFrame(c.out, uk ? Indented(18, "Корекція часу"_cp) : Indented(12, "Коррекция времени"_cp),
                  {uk ? "|     Дата було   |    Дата стало   |"_cp : "|     Дата было   |    Дата стало   |"_cp});
  WriteRowsOrNone(c, true, [&](const RecordEntry& entry, std::size_t row) {
    const std::string& newTime = c.table.Cell(oper_col::kClockCorrection, row);
    if (newTime == kDitto) return false;
    WriteRow(c.out, ColumnCell(DateTimeText(entry.date), kDateWidth) + ColumnCell(newTime, 17) + "|");
    return true;
  });
}

void WriteControlsTable(const TableContext& c) {
  const bool uk = c.language == Language::Ukrainian;
  WriteTableFrame(c.out,
                  Indented(3, uk ? "Таблиця проведених контролів реєстратора"_cp
                                 : "Таблица проведенных контролей регистратора"_cp),
                  {uk ? "|     Дата        |Кількість контролів    |"_cp : "|     Дата        |Количество контролей   |"_cp});
  WriteRowsOrNone(c, false, [&](const RecordEntry& entry, std::size_t row) {
    const std::string& control = c.table.Cell(oper_col::kControl, row);
    if (control == kDitto) return false;
    WriteRow(c.out, ColumnCell(DateTimeText(entry.date), kDateWidth) + ColumnCell(control, 23) + "|");
    return true;
  });
}

}  // namespace zt::report
