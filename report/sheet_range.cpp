#include "report/sheet_range.h"

#include "report/sheet_printing.h"

namespace zt::report {

PrintDialogSetup SheetDialogSetup(int sheets) { return {1, sheets, 1, sheets}; }

SheetRange ChosenSheets(const PrintDialogAnswer& answer, int sheets) {
  if (answer.allPages) return {1, sheets};
  return {answer.fromPage, answer.toPage};
}

bool PrintReport(PrintDialog& dialog, int sheets, const PrintContext& context) {
  const auto answer = dialog.Ask(SheetDialogSetup(sheets));
  if (!answer) return false;
  const SheetRange range = ChosenSheets(*answer, sheets);
  return PrintSheets(context, range.first, range.last);
}

}  // namespace zt::report
