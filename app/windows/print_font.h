// The report font of the preview and the printer. "Lucida Console" is not on
// Linux; it falls back to a monospaced face with Cyrillic, so that report
// columns stay aligned.
#pragma once

#include <QFont>

#include "report/printer.h"

namespace zt::app {

QFont ReportQFont(const report::PrinterFont& font);

// The font chosen in a font dialog, as the print settings keep it.
report::PrinterFont ReportFontOf(const QFont& font);

}  // namespace zt::app
