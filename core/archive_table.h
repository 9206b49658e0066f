// The two archive tables: rows x columns of Windows-1251 texts. Row 0 is the
// title row, row i+1 holds record i. Decoders write them; windows and reports read them.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/archive_kind.h"

namespace zt {

class ArchiveTable {
 public:
  ArchiveTable() = default;
  ArchiveTable(std::size_t columns, std::size_t rows) { Resize(columns, rows); }

  // Cells keep their texts when the size does not change; callers overwrite them.
  void Resize(std::size_t columns, std::size_t rows);
  std::size_t ColumnCount() const { return columns_; }
  std::size_t RowCount() const { return rows_; }

  // Cells are addressed (column, row), as the tables of the device are described.
  const std::string& Cell(std::size_t column, std::size_t row) const { return cells_[row * columns_ + column]; }
  void SetCell(std::size_t column, std::size_t row, std::string text) {
    cells_[row * columns_ + column] = std::move(text);
  }

 private:
  std::size_t columns_ = 0;
  std::size_t rows_ = 0;
  std::vector<std::string> cells_;
};

// Column numbers of the time-archive table.
namespace time_col {
inline constexpr std::size_t kIndex = 0, kDate = 1, kService = 2, kSensors = 3, kFieldMinutes = 4,
                             kAlarmMinutes = 5, kComment = 6, kCount = 7;
}
// Column numbers of the operational-archive table.
namespace oper_col {
inline constexpr std::size_t kIndex = 0, kDate = 1, kServiceNow = 2, kSensorsNow = 3, kServiceBefore = 4,
                             kSensorsBefore = 5, kControl = 6, kClockCorrection = 7, kExtra = 8, kCount = 9;
}

std::span<const std::string_view> TimeArchiveTitles();
std::span<const std::string_view> OperationalArchiveTitles();

struct ArchiveTables {
  ArchiveTable time;         // sg_DateArc
  ArchiveTable operational;  // sg_CurArc
};

inline ArchiveTable& TableOf(ArchiveTables& tables, ArchiveKind kind) {
  return kind == ArchiveKind::Time ? tables.time : tables.operational;
}
inline const ArchiveTable& TableOf(const ArchiveTables& tables, ArchiveKind kind) {
  return kind == ArchiveKind::Time ? tables.time : tables.operational;
}

// Title row, "0000".. in column 0, the ditto mark everywhere else.
void ResetArchiveTables(ArchiveTables& tables);

}  // namespace zt
