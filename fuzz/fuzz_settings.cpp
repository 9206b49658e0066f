// Arbitrary texts as the print settings file (Work/FileInRS.000), in memory.
// First byte: bit 0 puts the version tag in front of the rest, so the fields
// are read too; bit 1 leaves the printer list empty.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_check.h"
#include "report/print_settings_file.h"
#include "report/printer_lookup.h"
#include "report/substitute_printer.h"

namespace {

using namespace zt::report;
using zt::fuzz::Require;

SubstitutePrinter Printers(bool none) {
  if (none) return SubstitutePrinter({{}, 0});
  return SubstitutePrinter({{"Office Jet", "PDF", "Office  Jet"}, 1});
}

bool SameLayout(const PrintSettings& a, const PrintSettings& b) {
  return a.fontSize == b.fontSize && a.leftIndent == b.leftIndent && a.topMargin == b.topMargin &&
         a.bottomMargin == b.bottomMargin && a.reportLanguage == b.reportLanguage;
}

bool SameMetrics(const PrintSettings& a, const PrintSettings& b) {
  return a.storedLinesPerSheet == b.storedLinesPerSheet && a.storedCharsPerLine == b.storedCharsPerLine;
}

bool Same(const PrintSetup& a, const PrintSetup& b) {
  return SameLayout(a.settings, b.settings) && SameMetrics(a.settings, b.settings) &&
         a.settings.fontName == b.settings.fontName &&
         a.settings.storedPrinterName == b.settings.storedPrinterName &&
         a.working.linesPerSheet == b.working.linesPerSheet && a.working.charsPerLine == b.working.charsPerLine;
}

void CheckPrinter(const PrintSetup& setup, const Printer& printer) {
  const PrintSettings& s = setup.settings;
  if (s.storedPrinterName.empty()) return;
  // A stored printer is one installed, current, and its metrics are the working ones.
  const auto names = printer.InstalledNames();
  Require(printer.CurrentIndex() >= 0 && static_cast<std::size_t>(printer.CurrentIndex()) < names.size());
  Require(PrinterNameKey(names[static_cast<std::size_t>(printer.CurrentIndex())]) ==
          PrinterNameKey(s.storedPrinterName));
  Require(setup.working.linesPerSheet == s.storedLinesPerSheet && setup.working.charsPerLine == s.storedCharsPerLine);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const bool noPrinters = data[0] & 2;
  std::string text(zt::fuzz::Bytes(data + 1, size - 1));
  if (data[0] & 1) text = std::string(kPrintSettingsVersionTag) + "\r\n" + text;

  zt::RecordingMessages messages;
  SubstitutePrinter printer = Printers(noPrinters);
  const PrintSetup defaults;
  PrintSetup setup;
  const bool tagged = PrintSettingsFromText(text, setup, printer, messages);
  Require(tagged || (data[0] & 1) == 0);
  if (!tagged) Require(Same(setup, defaults));
  CheckPrinter(setup, printer);
  // Only a missing printer is told, and only once.
  Require(messages.shown.size() <= (noPrinters ? 1u : 0u));
  messages.shown.clear();

  // Saved and read again: the same layout and printer, and from then on the same
  // text. A saved file is whole, so its printer is looked up: metrics a short
  // file gave without a printer are forgotten then.
  const std::string saved = PrintSettingsText(setup.settings);
  PrintSetup again;
  SubstitutePrinter printerAgain = Printers(noPrinters);
  Require(PrintSettingsFromText(saved, again, printerAgain, messages));
  Require(SameLayout(again.settings, setup.settings));
  Require(again.settings.storedPrinterName == setup.settings.storedPrinterName);
  if (setup.settings.storedPrinterName.empty())
    Require(again.settings.storedLinesPerSheet == 0 && again.settings.storedCharsPerLine == 0);
  else
    Require(SameMetrics(again.settings, setup.settings));
  Require(again.settings.fontName.find_first_of("\r\n") == std::string::npos);
  CheckPrinter(again, printerAgain);
  const std::string savedAgain = PrintSettingsText(again.settings);
  PrintSetup third;
  Require(PrintSettingsFromText(savedAgain, third, printerAgain, messages));
  Require(PrintSettingsText(third.settings) == savedAgain);
  return 0;
}
