#include "app/windows/archive_table_model.h"

#include "app/windows/text_codec.h"

namespace zt::app {

ArchiveTableModel::ArchiveTableModel(const ArchiveTable& table, QObject* parent)
    : QAbstractTableModel(parent), table_(table) {}

int ArchiveTableModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid() || table_.RowCount() == 0) return 0;
  return static_cast<int>(table_.RowCount() - 1);
}

int ArchiveTableModel::columnCount(const QModelIndex& parent) const {
  if (parent.isValid() || table_.ColumnCount() == 0) return 0;
  return static_cast<int>(table_.ColumnCount() - 1);
}

QVariant ArchiveTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)) return {};
  return FromCp1251(table_.Cell(static_cast<std::size_t>(index.column()) + 1, TableRow(index.row())));
}

QVariant ArchiveTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || section < 0 || table_.RowCount() == 0) return {};
  if (orientation == Qt::Horizontal) return FromCp1251(table_.Cell(static_cast<std::size_t>(section) + 1, 0));
  return FromCp1251(table_.Cell(0, TableRow(section)));
}

void ArchiveTableModel::TableReset() {
  beginResetModel();
  endResetModel();
}

void ArchiveTableModel::RowsChanged(std::size_t first, std::size_t last) {
  if (first < 1 || first > last || last >= table_.RowCount()) return;
  emit dataChanged(index(ViewRow(first), 0), index(ViewRow(last), columnCount() - 1), {Qt::DisplayRole});
  emit headerDataChanged(Qt::Vertical, ViewRow(first), ViewRow(last));
}

}  // namespace zt::app
