#include "app/windows/qt_print_dialog.h"

#include <QPrintDialog>

namespace zt::app {

std::optional<report::PrintDialogAnswer> QtPrintDialog::Ask(const report::PrintDialogSetup& setup) {
  QPrinter& device = printer_.Device();
  device.setPrintRange(QPrinter::AllPages);
  device.setFromTo(setup.fromPage, setup.toPage);
  QPrintDialog PrintDialog1(&device, parent_);
  PrintDialog1.setObjectName(QStringLiteral("PrintDialog1"));
  // The sheets are chosen here and printed by the program, not by the spooler.
  PrintDialog1.setOptions(QAbstractPrintDialog::PrintPageRange | QAbstractPrintDialog::PrintToFile);
  PrintDialog1.setMinMax(setup.minPage, setup.maxPage);
  const bool confirmed = PrintDialog1.exec() == QDialog::Accepted;
  printer_.FollowDevice();
  if (!confirmed) return std::nullopt;
  if (device.printRange() != QPrinter::PageRange) return report::PrintDialogAnswer{true, setup.fromPage, setup.toPage};
  return report::PrintDialogAnswer{false, device.fromPage(), device.toPage()};
}

}  // namespace zt::app
