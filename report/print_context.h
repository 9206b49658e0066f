// What printer metrics, sheet printing and the page settings work on together.
#pragma once

#include "core/messages.h"
#include "core/working_files.h"
#include "report/print_settings.h"
#include "report/printer.h"

namespace zt::report {

struct PrintContext {
  PrintSetup& setup;
  Printer& printer;
  Messages& messages;
  const WorkingFiles& files;  // the settings file and the sheet files
};

inline PrinterFont FontOf(const PrintSettings& settings) { return {settings.fontName, settings.fontSize}; }

}  // namespace zt::report
