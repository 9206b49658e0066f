#include "report/time_tables.h"

#include "core/archive_decoder.h"
#include "core/conversions.h"
#include "core/cp1251.h"
#include "core/device_image.h"

namespace zt::report {
namespace {

constexpr std::size_t kDateWidth = 17;

// Minutes of a cell; the device never stores negative minutes, so a garbled
// negative cell adds nothing rather than wrapping the total.
std::uint32_t MinuteValue(std::string_view cell) {
  const long long value = TextToInt(cell);
  return value > 0 ? static_cast<std::uint32_t>(value) : 0;
}

std::string WithMinutesUnit(std::string_view minutes) {
  std::string text(minutes);
  text += "мин."_cp;
  return text;
}

struct Totals {
  std::string sensors;
  std::string service = "0000";
  std::uint32_t minutes = 0;
};

}  // namespace

std::string DurationText(std::uint32_t m) {
  const std::uint32_t h = m / 60;
  const std::uint32_t d = h / 24;
  std::string text = std::to_string(d);
  text += "дн."_cp;
  text += PadNumber(h - 24 * d, 2);
  text += "ч."_cp;
  text += PadNumber(m - 60 * h, 2);
  text += "м."_cp;
  return text;
}

void CombineInto(std::string& combined, std::string_view rowString) {
  for (std::size_t i = 0; i < combined.size() && i < rowString.size(); ++i)
    if (rowString[i] == '1') combined[i] = '1';
}

void WriteHourlyTable(const TableContext& c) {
  const bool uk = c.language == Language::Ukrainian;
  WriteTableFrame(c.out, Indented(25, uk ? "Погодинні  дані"_cp : "Почасовые данные"_cp),
                  {uk ? "|       Дата      |Стан датчиків магнітного поля|Тривалість дії   |"_cp
                      : "|       Дата      |Сост.датчиков магнитного поля|Продолж.воздейст.|"_cp,
                   uk ? "|                 |                             |маг.поля (час)   |"_cp
                      : "|                 |                             |маг.поля (время) |"_cp});
  Totals totals{std::string(c.sensorCount, '0')};
  const bool written = ForEachEntryInPeriod(c, true, [&](const RecordEntry& entry, std::size_t row) {
    using namespace time_col;
    const std::string& sensors = c.table.Cell(kSensors, row);
    const std::string& minutes = c.table.Cell(kFieldMinutes, row);
    totals.minutes += MinuteValue(minutes);
    CombineInto(totals.sensors, sensors);
    if (!c.shortFormat)
      WriteRow(c.out, ColumnCell(DateTimeText(entry.date), kDateWidth) + ColumnCell(sensors, 29) +
                          ColumnCell(WithMinutesUnit(minutes), 17) + "|");
    return true;
  });
  if (!written || c.stop.IsSet()) {
    WriteNoRecordsBlock(c.out, c.language);
    return;
  }
  WriteRow(c.out, TotalLabel(c.language) + ColumnCell(totals.sensors, 29) +
                      ColumnCell(DurationText(totals.minutes), 17) + "|");
}

void WriteAbnormalSituationTable(const TableContext& c) {
  const bool uk = c.language == Language::Ukrainian;
  WriteTableFrame(
      c.out, Indented(18, uk ? "Повідомлення про позаштатні ситуаціі"_cp : "Сообщения о нештатных ситуациях"_cp),
      {uk ? "|       Дата      |Стан датч.  |         Позаштатні ситуаціі            |Тривалість  |"_cp
          : "|       Дата      |Сост.датч.  |         Внештатные ситуации            |Продолжит.  |"_cp,
       uk ? "|                 |            |                                        |(час)       |"_cp
          : "|                 |            |                                        |(время)     |"_cp});
  Totals totals{std::string(c.sensorCount, '0')};
  const bool written = ForEachEntryInPeriod(c, true, [&](const RecordEntry& entry, std::size_t row) {
    using namespace time_col;
    const std::string& comment = c.table.Cell(kComment, row);
    if (comment == kDitto) return false;  // no service bit in that hour
    const std::string& sensors = c.table.Cell(kSensors, row);
    const std::string& minutes = c.table.Cell(kAlarmMinutes, row);
    totals.minutes += MinuteValue(minutes);
    CombineInto(totals.sensors, sensors);
    CombineInto(totals.service, c.table.Cell(kService, row));
    if (!c.shortFormat)
      WriteRow(c.out, ColumnCell(DateTimeText(entry.date), kDateWidth) + ColumnCell(sensors, 12) +
                          ColumnCell(comment, 40) + ColumnCell(WithMinutesUnit(minutes), 12) + "|");
    return true;
  });
  if (!written || c.stop.IsSet()) {
    WriteNoRecordsBlock(c.out, c.language);
    return;
  }
  // The duration cell is planned 10 wide, so the text of at least 12 widens it.
  WriteRow(c.out, TotalLabel(c.language) + ColumnCell(totals.sensors, 12) +
                      ColumnCell(ServiceComment(totals.service), 40) + ColumnCell(DurationText(totals.minutes), 10) +
                      "|");
}

}  // namespace zt::report
