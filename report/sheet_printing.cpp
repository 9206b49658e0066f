#include "report/sheet_printing.h"

#include <fstream>
#include <string>

#include "report/text_file.h"

namespace zt::report {

bool PrintSheets(const PrintContext& context, int first, int last) {
  Printer& printer = context.printer;
  if (!printer.BeginTextJob()) return false;
  const PrintSettings& settings = context.setup.settings;
  printer.SetFont(FontOf(settings));
  context.setup.working = {settings.storedLinesPerSheet, settings.storedCharsPerLine};
  for (long long n = first; n <= last; ++n) {
    std::ifstream in(context.files.SheetFile(static_cast<int>(n)), std::ios::binary);
    std::string line;
    while (in && ReadTextLine(in, line)) printer.PrintTextLine(line);
  }
  printer.EndTextJob();
  return true;
}

}  // namespace zt::report
