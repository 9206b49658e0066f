// Finding the printer the stored page metrics were measured on.
#pragma once

#include <string>
#include <string_view>

#include "core/messages.h"
#include "report/print_settings.h"
#include "report/printer.h"

namespace zt::report {

// Printer names compare with every space removed, wherever it stands.
std::string PrinterNameKey(std::string_view name);

// True when a printer is installed. Otherwise forgets the stored printer and
// its metrics and tells the operator.
bool PrinterPresent(PrintSettings& settings, const Printer& printer, Messages& messages);

// Makes the last installed printer whose name matches the stored one current;
// false when none matches or none is installed.
bool FindStoredPrinter(PrintSettings& settings, Printer& printer, Messages& messages);

}  // namespace zt::report
