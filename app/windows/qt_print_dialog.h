// The report window's print dialog (PrintDialog1) over Qt's: the printer, and
// all sheets or a range of them.
#pragma once

#include <QWidget>

#include "app/windows/qt_printer.h"
#include "report/sheet_range.h"

namespace zt::app {

class QtPrintDialog final : public report::PrintDialog {
 public:
  QtPrintDialog(QtPrinter& printer, QWidget* parent) : printer_(printer), parent_(parent) {}
  std::optional<report::PrintDialogAnswer> Ask(const report::PrintDialogSetup& setup) override;

 private:
  QtPrinter& printer_;
  QWidget* parent_;
};

}  // namespace zt::app
