// What the page settings window and the printer set-up accept into the print settings.
#pragma once

#include <cstdint>

#include "report/print_context.h"

namespace zt::report {

// The spin boxes and the language buttons.
struct PageSettingsValues {
  std::uint8_t leftIndent = 0;
  std::uint8_t topMargin = 0;
  std::uint8_t bottomMargin = 0;
  std::uint8_t reportLanguage = kReportLanguageRussian;
};

PageSettingsValues PageSettingsShown(const PrintSettings& settings);

// "ДА": takes the values; measures again unless both stored metrics are set.
// Saved in either case, so an accepted change survives even without a printer.
void AcceptPageSettings(const PageSettingsValues& values, const PrintContext& context);

// "Изменить" confirmed: the new font and the spin boxes are taken, the metrics
// measured anew in that font, the settings saved.
void AcceptFontChange(const PrinterFont& font, const PageSettingsValues& values, const PrintContext& context);

// The printer set-up confirmed: another printer than the stored one forgets
// the stored printer, then the metrics are brought up to date.
bool AcceptPrinterSetup(const PrintContext& context);

}  // namespace zt::report
