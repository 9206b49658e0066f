// Scenario steps and checks shared by the report window tests: a program
// whose printers are given, a sample file loaded, the report window and its
// commands, and the sheets compared with the pages of a printed PDF.
#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

#include "app/windows/program.h"
#include "app/windows/qt_printer.h"
#include "app/windows/t_print_ku.h"
#include "app/windows/tf_zetl.h"
#include "tests/windows/window_harness.h"

namespace zt::wintest {

// A program in the folder with the given printers (the system's when none are given).
std::unique_ptr<app::Program> StartProgram(const ProgramFolder& folder,
                                           std::optional<std::vector<app::PrinterQueue>> printers);

// The one printer of the report tests: PDF files written into the folder.
std::vector<app::PrinterQueue> PdfPrinter(const ProgramFolder& folder);
std::filesystem::path PdfPrinterFile(const ProgramFolder& folder);

// The data file is loaded through the main window's load window.
void StepLoadFile(ScenarioDriver& driver, app::TfZetl& main, const std::filesystem::path& file);
// "ОТЧЕТ", until the report window has taken its start-up settings.
void StepOpenReportWindow(ScenarioDriver& driver, app::TfZetl& main);
// A menu item of the report window whose command opens a modal window.
void StepReportMenu(ScenarioDriver& driver, const char* action);
// A report command: the wait window comes and goes.
void StepReportCommand(ScenarioDriver& driver, const char* action);
// Back in the report window after everything above it closed.
bool ReportWindowOnTop();
app::TPrint_ku& ReportWindow();

// Both archives from 01.01.2011 00:00:00 to 01.01.2030 23:59:59.
void ChooseWholePeriod(app::TPrint_ku& report, ArchiveKind archive);

QStringList PreviewLines(app::TPrint_ku& report);
// A Windows-1251, CR LF text file as lines.
QStringList FileLines(const std::filesystem::path& file);
// RpList1, RpList2, ... as far as they exist.
std::vector<QStringList> SheetFiles(const WorkingFiles& files);

// Where the report font's characters and lines fall on a page, in points.
struct PdfGrid {
  double charWidth = 0;
  double linePitch = 0;
};
PdfGrid ReportGrid(app::QtPrinter& printer, const report::PrinterFont& font);

// The PDF's pages as lines of text: every word pdftotext finds is put back at
// the line and column of the grid where it stands, counted from the page's
// first line and leftmost word.
std::vector<QStringList> PdfPages(const std::filesystem::path& pdf, const PdfGrid& grid, QString& error);

// With ZT_SCREENSHOTS set, the page of the PDF goes there as NAME.png.
void SavePdfPageImage(const std::filesystem::path& pdf, int page, const QString& name);

// The plain text of each page of the PDF, as pdftotext lays it out.
QStringList PdfPageTexts(const std::filesystem::path& pdf, QString& error);
// Every sheet begins its own page: as many pages as sheets, page 1 opens with
// "Всего листов: N", page n with "Лист n/". Empty when so.
QString CheckSheetsBeginPages(const QStringList& pages, int sheets);

// Step: back in the report window, the PDF printed has a page for every sheet
// file, each beginning with its sheet's first line, and no temporary file
// beside it; page 2 saved as a screenshot.
void StepSheetsBeginPages(ScenarioDriver& driver, const std::filesystem::path& pdf, const WorkingFiles& files,
                          const QString& screenshot);

// Each page shows its sheet: same lines, same columns (the common left margin,
// trailing blanks and the empty lines closing a page aside). Empty when equal.
QString ComparePagesWithSheets(const std::vector<QStringList>& pages, const std::vector<QStringList>& sheets);

}  // namespace zt::wintest
