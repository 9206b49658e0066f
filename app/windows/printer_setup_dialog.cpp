#include "app/windows/printer_setup_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPageSetupDialog>
#include <QPushButton>
#include <QVBoxLayout>

namespace zt::app {

PrinterSetupDialog::PrinterSetupDialog(QtPrinter& printer, QWidget* parent)
    : QDialog(parent), printer_(printer) {
  setObjectName(QStringLiteral("PrinterSetupDialog1"));
  setWindowTitle(QStringLiteral("Настройка печати"));
  setAccessibleName(windowTitle());
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  cbPrinter = new QComboBox(this);
  cbPrinter->setObjectName(QStringLiteral("cbPrinter"));
  cbPrinter->setAccessibleName(QStringLiteral("Принтер"));
  cbPrinter->setMinimumWidth(300);
  for (const PrinterQueue& q : printer_.Queues()) cbPrinter->addItem(q.name);
  cbPrinter->setCurrentIndex(printer_.CurrentIndex());
  form->addRow(QStringLiteral("Принтер:"), cbPrinter);
  layout->addLayout(form);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* properties = buttons->addButton(QStringLiteral("Свойства..."), QDialogButtonBox::ActionRole);
  properties->setObjectName(QStringLiteral("bProperties"));
  properties->setEnabled(cbPrinter->count() > 0);
  QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  ok->setObjectName(QStringLiteral("bOk"));
  QPushButton* cancel = buttons->addButton(QStringLiteral("Отмена"), QDialogButtonBox::RejectRole);
  cancel->setObjectName(QStringLiteral("bCancel"));
  layout->addWidget(buttons);
  connect(properties, &QPushButton::clicked, this, &PrinterSetupDialog::PropertiesClick);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void PrinterSetupDialog::PropertiesClick() {
  printer_.SetCurrentIndex(cbPrinter->currentIndex());
  QPageSetupDialog page(&printer_.Device(), this);
  page.exec();
}

bool PrinterSetupDialog::Run() {
  const int before = printer_.CurrentIndex();
  if (exec() != QDialog::Accepted) {
    printer_.SetCurrentIndex(before);  // "Свойства..." looked at another printer
    return false;
  }
  printer_.SetCurrentIndex(cbPrinter->currentIndex());
  return true;
}

}  // namespace zt::app
