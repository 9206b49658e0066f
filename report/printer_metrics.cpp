#include "report/printer_metrics.h"

#include "report/print_settings_file.h"
#include "report/printer_lookup.h"

namespace zt::report {

MeasuredMetrics MeasurePrinter(Printer& printer, const PrinterFont& font) {
  printer.SetFont(font);
  const int height = printer.PageHeight();
  const int width = printer.PageWidth();
  const int pitch = LinePitch(printer.TextHeight(" "));
  const int charWidth = printer.AverageCharWidth();
  if (height <= 0 || width <= 0 || pitch <= 0 || charWidth <= 0) return {};
  return {true, height / pitch, width / charWidth};
}

bool UpdatePrinterMetrics(const PrintContext& context) {
  PrintSettings& settings = context.setup.settings;
  if (!PrinterPresent(settings, context.printer, context.messages)) return false;
  if (FindStoredPrinter(settings, context.printer, context.messages)) return true;
  const int current = context.printer.CurrentIndex();
  const auto names = context.printer.InstalledNames();
  if (current < 0 || current >= static_cast<int>(names.size())) return false;
  const MeasuredMetrics measured = MeasurePrinter(context.printer, FontOf(settings));
  if (!measured.valid) return false;
  context.setup.working = {measured.linesPerSheet, measured.charsPerLine};
  settings.storedLinesPerSheet = measured.linesPerSheet;
  settings.storedCharsPerLine = measured.charsPerLine;
  settings.storedPrinterName = names[static_cast<std::size_t>(current)];
  SavePrintSettings(context.files, settings);
  return true;
}

}  // namespace zt::report
