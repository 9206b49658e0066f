// The print dialog of a paginated report: what it offers and which sheets it chose.
#pragma once

#include <optional>

#include "report/print_context.h"

namespace zt::report {

struct PrintDialogSetup {
  int minPage = 1;
  int maxPage = 1;
  int fromPage = 1;
  int toPage = 1;
};

struct PrintDialogAnswer {
  bool allPages = true;
  int fromPage = 1;
  int toPage = 1;
};

class PrintDialog {
 public:
  virtual ~PrintDialog() = default;
  // With page numbers on; nullopt when cancelled.
  virtual std::optional<PrintDialogAnswer> Ask(const PrintDialogSetup& setup) = 0;
};

struct SheetRange {
  int first = 1;
  int last = 1;
};

// Pages 1 to the number of sheets, all of them chosen.
PrintDialogSetup SheetDialogSetup(int sheets);
SheetRange ChosenSheets(const PrintDialogAnswer& answer, int sheets);

// The print dialog, then the chosen sheets; false when cancelled or not printed.
bool PrintReport(PrintDialog& dialog, int sheets, const PrintContext& context);

}  // namespace zt::report
