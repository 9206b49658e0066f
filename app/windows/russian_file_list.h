// The list of Qt's file dialog in Russian throughout. Qt's file model writes
// sizes and dates in the system's locale, whatever the program's, sizes with
// Latin units in any locale, and the folder type from a context the Russian
// translation of Qt 6.4 does not hold; here they are written as a Russian
// operator reads them.
//
//   dialog.setProxyModel(new RussianFileList(&dialog));
#pragma once

#include <QIdentityProxyModel>

namespace zt::app {

class RussianFileList final : public QIdentityProxyModel {
 public:
  using QIdentityProxyModel::QIdentityProxyModel;

  QVariant data(const QModelIndex& index, int role) const override;
};

// "500 байт", "32,00 КБ", "1,50 МБ".
QString RussianSizeText(qint64 bytes);

}  // namespace zt::app
