#include "report/printer_lookup.h"

#include "core/conversions.h"
#include "core/cp1251.h"

namespace zt::report {

std::string PrinterNameKey(std::string_view name) { return WithoutSpaces(name); }

bool PrinterPresent(PrintSettings& settings, const Printer& printer, Messages& messages) {
  if (!printer.InstalledNames().empty()) return true;
  settings.storedPrinterName.clear();
  settings.storedLinesPerSheet = 0;
  settings.storedCharsPerLine = 0;
  messages.Show(MessageKind::Error, "Нет установленных принтеров !!!"_cp);
  return false;
}

bool FindStoredPrinter(PrintSettings& settings, Printer& printer, Messages& messages) {
  if (!PrinterPresent(settings, printer, messages)) return false;
  const std::string wanted = PrinterNameKey(settings.storedPrinterName);
  const auto names = printer.InstalledNames();
  bool found = false;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (PrinterNameKey(names[i]) != wanted) continue;
    printer.SetCurrentIndex(static_cast<int>(i));
    found = true;
  }
  return found;
}

}  // namespace zt::report
