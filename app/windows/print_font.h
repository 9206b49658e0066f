// The report font of the preview and the printer. "Lucida Console" is not on
// Linux; it falls back to a monospaced face with Cyrillic, so that report
// columns stay aligned.
#pragma once

#include <QFont>

#include "report/printer.h"

namespace zt::app {

QFont ReportQFont(const report::PrinterFont& font);

// The installed face the report font is drawn in: a font dialog can only offer
// installed faces, and would otherwise start on an unrelated default.
QFont PrintedReportQFont(const report::PrinterFont& font);

// The font chosen in a font dialog that started on PrintedReportQFont(stored),
// as the print settings keep it: the stored name stays while its face is kept.
report::PrinterFont ReportFontOf(const QFont& chosen, const report::PrinterFont& stored);

}  // namespace zt::app
