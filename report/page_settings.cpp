#include "report/page_settings.h"

#include "report/print_settings_file.h"
#include "report/printer_lookup.h"
#include "report/printer_metrics.h"

namespace zt::report {
namespace {

void TakeSpinValues(const PageSettingsValues& values, PrintSettings& settings) {
  settings.leftIndent = values.leftIndent;
  settings.topMargin = values.topMargin;
  settings.bottomMargin = values.bottomMargin;
}

}  // namespace

PageSettingsValues PageSettingsShown(const PrintSettings& settings) {
  return {settings.leftIndent, settings.topMargin, settings.bottomMargin, settings.reportLanguage};
}

void AcceptPageSettings(const PageSettingsValues& values, const PrintContext& context) {
  PrintSettings& settings = context.setup.settings;
  TakeSpinValues(values, settings);
  settings.reportLanguage = values.reportLanguage;
  if (settings.storedLinesPerSheet != 0 && settings.storedCharsPerLine != 0) {
    SavePrintSettings(context.files, settings);
    return;
  }
  settings.storedPrinterName.clear();
  if (!UpdatePrinterMetrics(context)) SavePrintSettings(context.files, settings);
}

void AcceptFontChange(const PrinterFont& font, const PageSettingsValues& values, const PrintContext& context) {
  PrintSettings& settings = context.setup.settings;
  settings.fontName = font.name;
  settings.fontSize = static_cast<std::uint8_t>(static_cast<unsigned>(font.size) & 0xFFu);
  TakeSpinValues(values, settings);
  settings.storedPrinterName.clear();
  UpdatePrinterMetrics(context);
  SavePrintSettings(context.files, settings);
}

bool AcceptPrinterSetup(const PrintContext& context) {
  PrintSettings& settings = context.setup.settings;
  const auto names = context.printer.InstalledNames();
  const int current = context.printer.CurrentIndex();
  const bool haveCurrent = current >= 0 && current < static_cast<int>(names.size());
  if (!haveCurrent ||
      PrinterNameKey(names[static_cast<std::size_t>(current)]) != PrinterNameKey(settings.storedPrinterName))
    settings.storedPrinterName.clear();
  return UpdatePrinterMetrics(context);
}

}  // namespace zt::report
