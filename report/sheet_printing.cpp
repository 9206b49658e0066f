#include "report/sheet_printing.h"

#include <fstream>
#include <string>

#include "report/text_file.h"

namespace zt::report {

bool PrintSheets(const PrintContext& context, int first, int last) {
  Printer& printer = context.printer;
  // The sheets were cut for the working metrics of their pagination.
  if (!printer.BeginTextJob({context.setup.working.linesPerSheet, context.setup.working.charsPerLine})) return false;
  const PrintSettings& settings = context.setup.settings;
  printer.SetFont(FontOf(settings));
  context.setup.working = {settings.storedLinesPerSheet, settings.storedCharsPerLine};
  for (long long n = first; n <= last; ++n) {
    std::ifstream in(context.files.SheetFile(static_cast<int>(n)), std::ios::binary);
    if (!in) continue;
    printer.BeginSheet();
    std::string line;
    while (ReadTextLine(in, line)) printer.PrintTextLine(line);
  }
  printer.EndTextJob();
  return true;
}

}  // namespace zt::report
