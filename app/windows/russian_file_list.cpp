#include "app/windows/russian_file_list.h"

#include <QCoreApplication>
#include <QFileSystemModel>
#include <QLocale>

namespace zt::app {

namespace {

// The columns of Qt's file model.
enum Column { kName, kSize, kType, kModified };

}  // namespace

QString RussianSizeText(qint64 bytes) {
  const QLocale russian(QLocale::Russian, QLocale::Russia);
  if (bytes < 1024) return QStringLiteral("%1 байт").arg(russian.toString(bytes));
  const QString units[] = {QStringLiteral("КБ"), QStringLiteral("МБ"), QStringLiteral("ГБ"), QStringLiteral("ТБ")};
  double size = static_cast<double>(bytes) / 1024;
  std::size_t unit = 0;
  for (; size >= 1024 && unit + 1 < std::size(units); ++unit) size /= 1024;
  return russian.toString(size, 'f', 2) + QLatin1Char(' ') + units[unit];
}

QVariant RussianFileList::data(const QModelIndex& index, int role) const {
  const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
  if (role != Qt::DisplayRole || !files || !index.isValid()) return QIdentityProxyModel::data(index, role);
  const QModelIndex source = mapToSource(index);
  const QFileInfo info = files->fileInfo(source);
  switch (index.column()) {
    case kSize: return info.isDir() ? QString() : RussianSizeText(info.size());
    case kType:
      // The translation Qt's own dialog had for it.
      if (info.isDir()) return QCoreApplication::translate("QFileDialog", "Folder", "All other platforms");
      break;
    case kModified:
      return QLocale(QLocale::Russian, QLocale::Russia).toString(files->lastModified(source), QLocale::ShortFormat);
    default: break;
  }
  return QIdentityProxyModel::data(index, role);
}

}  // namespace zt::app
