#include "core/archive_table.h"

#include <array>

#include "core/conversions.h"
#include "core/cp1251.h"
#include "core/device_image.h"

namespace zt {
namespace {

constexpr std::array<std::string_view, time_col::kCount> kTimeTitles = {
    "N зап."_cp, "Дата/Время"_cp, "Служ.биты"_cp, "Сост.датчиков"_cp, "Вр.возд.маг.поля"_cp, "Время аварий"_cp,
    "Коментарий служебных бит"_cp};
constexpr std::array<std::string_view, oper_col::kCount> kOperTitles = {
    "N зап."_cp,          "Дата/Время"_cp, "Сл.инф.стало"_cp,  "Сост.датч.стало"_cp, "Сл.инф.было"_cp,
    "Сост.датч.было"_cp, "Контроль"_cp,   "Корр.времени"_cp, "Дополн.инф."_cp};

void Reset(ArchiveTable& table, std::span<const std::string_view> titles, std::size_t records) {
  table.Resize(titles.size(), records + 1);
  for (std::size_t c = 0; c < titles.size(); ++c) table.SetCell(c, 0, std::string(titles[c]));
  const std::string ditto(kDitto);
  for (std::size_t r = 1; r <= records; ++r) {
    table.SetCell(0, r, PadNumber(static_cast<long long>(r - 1), 4));
    for (std::size_t c = 1; c < titles.size(); ++c) table.SetCell(c, r, ditto);
  }
}

}  // namespace

void ArchiveTable::Resize(std::size_t columns, std::size_t rows) {
  if (columns == columns_ && rows == rows_) return;  // every load resets: keep the cells' storage
  columns_ = columns;
  rows_ = rows;
  cells_.assign(columns * rows, std::string());
}

std::span<const std::string_view> TimeArchiveTitles() { return kTimeTitles; }
std::span<const std::string_view> OperationalArchiveTitles() { return kOperTitles; }

void ResetArchiveTables(ArchiveTables& tables) {
  Reset(tables.time, kTimeTitles, kTimeArchive.count);
  Reset(tables.operational, kOperTitles, kOperationalArchive.count);
}

}  // namespace zt
