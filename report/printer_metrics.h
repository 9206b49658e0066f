// Lines per sheet and characters per line of the current printer in the report font.
#pragma once

#include "report/print_context.h"

namespace zt::report {

struct MeasuredMetrics {
  bool valid = false;
  int linesPerSheet = 0;
  int charsPerLine = 0;
};

// Page height over the line pitch (the height of a space plus 2) and page
// width over the average character width; invalid when a divisor or the page
// is not positive.
MeasuredMetrics MeasurePrinter(Printer& printer, const PrinterFont& font);

// Keeps the stored metrics when the stored printer is installed; otherwise
// measures the current printer, stores the figures under its name and saves
// the settings. False when no printer is installed or none can be measured.
bool UpdatePrinterMetrics(const PrintContext& context);

}  // namespace zt::report
