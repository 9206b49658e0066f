#include "app/windows/file_dialog_look.h"

#include <QHeaderView>
#include <QScreen>
#include <QTimer>
#include <QTreeView>
#include <algorithm>

#include "app/windows/russian_file_list.h"

namespace zt::app {

namespace {

const QSize kDialogSize(860, 520);

}  // namespace

void LookRussianWithWholeColumns(QFileDialog& dialog) {
  dialog.setProxyModel(new RussianFileList(&dialog));
  QSize size = kDialogSize;
  if (const QScreen* screen = dialog.screen()) size = size.boundedTo(screen->availableGeometry().size() * 9 / 10);
  dialog.resize(size);
  auto* view = dialog.findChild<QTreeView*>();
  if (!view || !view->model()) return;
  // The folder's entries come in batches while it is read; the columns follow once a batch is in.
  auto* fit = new QTimer(&dialog);
  fit->setSingleShot(true);
  fit->setInterval(0);
  QObject::connect(fit, &QTimer::timeout, view, [view] {
    for (int column = 0; column < view->header()->count(); ++column) view->resizeColumnToContents(column);
  });
  auto refit = [fit] { fit->start(); };
  QAbstractItemModel* model = view->model();
  QObject::connect(model, &QAbstractItemModel::rowsInserted, fit, refit);
  QObject::connect(model, &QAbstractItemModel::dataChanged, fit, refit);
  QObject::connect(model, &QAbstractItemModel::layoutChanged, fit, refit);
  QObject::connect(model, &QAbstractItemModel::modelReset, fit, refit);
}

}  // namespace zt::app
