#include "app/windows/t_in_rs232.h"

#include <QMenuBar>
#include <QVBoxLayout>

namespace zt::app {

TInRS232::TInRS232(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("InRS232"));
  setWindowTitle(QStringLiteral("УСТАНОВКИ  ПОРТА RS-232 "));
  setAccessibleName(windowTitle());
  auto* layout = new QVBoxLayout(this);
  auto* menu = new QMenuBar(this);
  menu->setAccessibleName(QStringLiteral("MainMenu1"));
  QAction* exit = menu->addAction(QStringLiteral("ВЫХОД"));
  exit->setObjectName(QStringLiteral("N1"));
  connect(exit, &QAction::triggered, this, &QDialog::accept);
  layout->setMenuBar(menu);
  hide();
}

}  // namespace zt::app
