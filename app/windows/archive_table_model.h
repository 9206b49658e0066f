// One archive table of the core shown in a view: row 0 of the table is the
// header row, column 0 the fixed first column (drawn by the view's headers),
// so the view's cell (r, c) is the table's cell (c + 1, r + 1). Texts are
// converted only for the cells the view asks for.
#pragma once

#include <QAbstractTableModel>
#include <cstddef>

#include "core/archive_table.h"

namespace zt::app {

class ArchiveTableModel final : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit ArchiveTableModel(const ArchiveTable& table, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // The table was reset or resized: everything anew.
  void TableReset();
  // Table rows first .. last (1-based, as in the table) were rewritten.
  void RowsChanged(std::size_t first, std::size_t last);

  // Table row of a view row and back.
  static std::size_t TableRow(int viewRow) { return static_cast<std::size_t>(viewRow) + 1; }
  static int ViewRow(std::size_t tableRow) { return static_cast<int>(tableRow) - 1; }

 private:
  const ArchiveTable& table_;
};

}  // namespace zt::app
