// The printer set-up dialog (PrinterSetupDialog1): which installed printer is
// current, and its paper through Qt's page set-up.
#pragma once

#include <QComboBox>
#include <QDialog>

#include "app/windows/qt_printer.h"

namespace zt::app {

class PrinterSetupDialog final : public QDialog {
  Q_OBJECT

 public:
  PrinterSetupDialog(QtPrinter& printer, QWidget* parent);

  // True when confirmed; the chosen printer is then the current one.
  bool Run();

 private:
  void PropertiesClick();

  QtPrinter& printer_;
  QComboBox* cbPrinter = nullptr;
};

}  // namespace zt::app
