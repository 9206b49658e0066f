#include "report/sheet_printing.h"

#include <fstream>
#include <string>

#include "core/cp1251.h"
#include "report/text_file.h"

namespace zt::report {
namespace {

// Only a file gives the operator something to act on; a queue's refusal names nothing.
bool Failed(const Printer& printer, Messages& messages) {
  const JobFailure failure = printer.LastJobFailure();
  if (failure.file.empty()) return false;
  std::string text = std::string("Ошибка! при записи файла "_cp) + failure.file;
  if (failure.error != 0) text += std::string(" - код ошибки: "_cp) + std::to_string(failure.error);
  messages.Show(MessageKind::Error, text);
  return false;
}

}  // namespace

bool PrintSheets(const PrintContext& context, int first, int last) {
  Printer& printer = context.printer;
  // The sheets were cut for the working metrics of their pagination.
  if (!printer.BeginTextJob({context.setup.working.linesPerSheet, context.setup.working.charsPerLine}))
    return Failed(printer, context.messages);
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
  if (!printer.EndTextJob()) return Failed(printer, context.messages);
  return true;
}

}  // namespace zt::report
