#include "report/print_settings.h"

namespace zt::report {

void ResetPrintSettings(PrintSettings& settings) { settings = PrintSettings{}; }

}  // namespace zt::report
