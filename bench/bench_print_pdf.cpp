// A report over every record of an archive, as the report window makes and prints it: the build
// (without and with the window's yield points), the pagination on metrics
// measured on a PDF printer, and the printing of every sheet into a PDF file.
// Prints the median of several runs of each step.
#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "app/windows/qt_event_pump.h"
#include "app/windows/qt_printer.h"
#include "bench/full_archive_report.h"
#include "core/archive_decoder.h"
#include "core/sample_image.h"
#include "report/pagination.h"
#include "report/printer_metrics.h"
#include "report/sheet_printing.h"
#include "tests/core/image_builder.h"

namespace {

using namespace zt;
using Clock = std::chrono::steady_clock;

constexpr int kRuns = 5;

double MedianMs(const std::function<void()>& step) {
  std::vector<double> ms;
  for (int i = 0; i < kRuns; ++i) {
    const auto start = Clock::now();
    step();
    ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  std::sort(ms.begin(), ms.end());
  return ms[kRuns / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  DecodedImage image;
  ArchiveTables tables;
  NullProtocolLog log;
  DecodeImage(GenerateSampleImage(1), image, tables, log);
  test::TempFolder folder;
  const WorkingFiles files(folder.path());
  const QString pdf = QString::fromStdString((folder.path() / "report.pdf").string());
  app::QtPrinter printer({{QStringLiteral("PDF"), pdf}}, 0);
  bench::SilentMessages messages;

  report::PrintSetup setup;
  const report::MeasuredMetrics metrics = report::MeasurePrinter(printer, report::FontOf(setup.settings));
  setup.settings.storedLinesPerSheet = metrics.linesPerSheet;
  setup.settings.storedCharsPerLine = metrics.charsPerLine;
  setup.working = {metrics.linesPerSheet, metrics.charsPerLine};
  std::printf("PDF page in %s %d pt: %d lines per sheet, %d characters per line\n", setup.settings.fontName.c_str(),
              setup.settings.fontSize, metrics.linesPerSheet, metrics.charsPerLine);

  for (const auto archive : {ArchiveKind::Time, ArchiveKind::Operational}) {
    const char* name = archive == ArchiveKind::Time ? "time archive" : "operational archive";
    report::NoEventPump noEvents;
    app::QtEventPump windowEvents;
    const double build = MedianMs([&] { bench::BuildFullArchiveReport(tables, image, files, archive, noEvents); });
    const double buildYielding = MedianMs([&] { bench::BuildFullArchiveReport(tables, image, files, archive, windowEvents); });
    report::Pagination pagination;
    const double paginate = MedianMs([&] {
      report::LinesPreview preview;
      report::YieldPoint yield(noEvents);
      report::StopRequest stop;
      pagination = report::PaginateReport(files.ReportTextFile(), report::LayoutOf(setup),
                                          {files, preview, messages, yield, stop});
    });
    const double print = MedianMs([&] {
      report::PrintSheets({setup, printer, messages, files}, 1, pagination.sheets);
    });
    std::printf("%s: build %.1f ms (%.1f ms with the window's yield points), pagination %.1f ms into %d sheets, "
                "printing them to PDF %.1f ms\n",
                name, build, buildYielding, paginate, pagination.sheets, print);
  }
  return 0;
}
