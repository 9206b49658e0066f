#include "report/sheet_printing.h"

#include <string_view>

#include "core/input_file.h"
#include "core/text_lines.h"

namespace zt::report {

bool PrintSheets(const PrintContext& context, int first, int last) {
  Printer& printer = context.printer;
  if (!printer.BeginTextJob()) return false;
  const PrintSettings& settings = context.setup.settings;
  printer.SetFont(FontOf(settings));
  context.setup.working = {settings.storedLinesPerSheet, settings.storedCharsPerLine};
  for (long long n = first; n <= last; ++n) {
    // A sheet that is missing or no regular file prints nothing.
    const auto text = ReadWholeFile(context.files.SheetFile(static_cast<int>(n)));
    std::string_view rest = text ? std::string_view(*text) : std::string_view();
    while (const auto line = TakeTextLine(rest)) printer.PrintTextLine(*line);
  }
  printer.EndTextJob();
  return true;
}

}  // namespace zt::report
