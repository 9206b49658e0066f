#include "report/sheet_printing.h"

#include <string_view>

#include "core/cp1251.h"
#include "core/input_file.h"
#include "core/text_lines.h"

namespace zt::report {
namespace {

// Named apart: clang 14 crashes on these literals inside the function body.
constexpr std::string_view kWriteFailed = "Ошибка! при записи файла "_cp;
constexpr std::string_view kErrorCode = " - код ошибки: "_cp;

// Only a file gives the operator something to act on; a queue's refusal names nothing.
bool Failed(const Printer& printer, Messages& messages) {
  const JobFailure failure = printer.LastJobFailure();
  if (failure.file.empty()) return false;
  std::string text = std::string(kWriteFailed) + failure.file;
  if (failure.error != 0) text += std::string(kErrorCode) + std::to_string(failure.error);
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
    // A sheet that is missing or no regular file prints nothing, not even a page.
    const auto text = ReadWholeFile(context.files.SheetFile(static_cast<int>(n)));
    if (!text) continue;
    printer.BeginSheet();
    std::string_view rest = *text;
    while (const auto line = TakeTextLine(rest)) printer.PrintTextLine(*line);
  }
  if (!printer.EndTextJob()) return Failed(printer, context.messages);
  return true;
}

}  // namespace zt::report
