#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/cp1251.h"
#include "report/page_settings.h"
#include "report/pagination.h"
#include "report/print_settings_file.h"
#include "report/printer_metrics.h"
#include "report/sheet_printing.h"
#include "report/sheet_range.h"
#include "report/substitute_printer.h"
#include "report/text_file.h"
#include "report/text_job_layout.h"
#include "tests/core/image_builder.h"
#include "tests/core/odd_file_test.h"

namespace zt::report {
namespace {

using test::ReadBytes;
using test::WriteBytes;

class PrinterTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(files.EnsureFolders()); }
  PrintContext Context() { return {setup, printer, messages, files}; }
  // The printer measured, then a report of a generation line and rows 1 to 130 cut into sheets.
  Pagination MeasureAndPaginate130Rows() {
    EXPECT_TRUE(UpdatePrinterMetrics(Context()));
    std::string report = std::string("/отчет составлен:07.12.2026 10:30:15/"_cp) + "\r\n";
    for (int k = 1; k <= 130; ++k) report += "row " + std::to_string(k) + "\r\n";
    WriteBytes(files.ReportTextFile(), report);
    LinesPreview preview;
    NoEventPump pump;
    YieldPoint yield(pump);
    StopRequest stop;
    return PaginateReport(files.ReportTextFile(), LayoutOf(setup), {files, preview, messages, yield, stop});
  }
  std::string SavedFile() const {
    return std::filesystem::exists(files.PrintSettingsFile()) ? ReadBytes(files.PrintSettingsFile()) : "";
  }

  test::TempFolder folder;
  WorkingFiles files{folder.path()};
  PrintSetup setup;
  RecordingMessages messages;
  // Page 4800 x 6600 units, a space 98 high, characters 40 wide on average.
  SubstitutePrinter printer{{{"PDF", "Office Jet"}, 1}};
};

TEST_F(PrinterTest, MeasuringDividesThePageByPitchAndCharacterWidth) {
  ASSERT_TRUE(UpdatePrinterMetrics(Context()));
  EXPECT_EQ(setup.working.linesPerSheet, 66);  // 6600 div (98 + 2)
  EXPECT_EQ(setup.working.charsPerLine, 120);  // 4800 div 40
  EXPECT_EQ(setup.settings.storedLinesPerSheet, 66);
  EXPECT_EQ(setup.settings.storedCharsPerLine, 120);
  EXPECT_EQ(setup.settings.storedPrinterName, "Office Jet");
  EXPECT_EQ(printer.Font().name, "Lucida Console");
  EXPECT_EQ(printer.Font().size, 8);
  EXPECT_EQ(SavedFile(), "Zetlogic-1.10\r\n8\r\nLucida Console\r\n5\r\n3\r\n3\r\n2\r\n66\r\n120\r\nOffice Jet\r\n");
}

TEST_F(PrinterTest, RemaindersAreDropped) {
  SubstitutePrinter odd({{"P"}, 0, 4799, 6699, 98, 41});
  PrintContext context{setup, odd, messages, files};
  ASSERT_TRUE(UpdatePrinterMetrics(context));
  EXPECT_EQ(setup.working.linesPerSheet, 66);  // 6699 div 100
  EXPECT_EQ(setup.working.charsPerLine, 117);  // 4799 div 41
}

TEST_F(PrinterTest, TheStoredPrinterKeepsItsMetricsWithoutMeasuring) {
  setup.settings.storedPrinterName = "PDF";
  setup.settings.storedLinesPerSheet = 70;
  setup.settings.storedCharsPerLine = 100;
  ASSERT_TRUE(UpdatePrinterMetrics(Context()));
  EXPECT_EQ(printer.CurrentIndex(), 0);
  EXPECT_EQ(setup.settings.storedLinesPerSheet, 70);
  EXPECT_EQ(setup.settings.storedCharsPerLine, 100);
  EXPECT_EQ(SavedFile(), "");
}

TEST_F(PrinterTest, NoInstalledPrinterFailsWithItsMessage) {
  SubstitutePrinter none({});
  setup.settings.storedLinesPerSheet = 70;
  PrintContext context{setup, none, messages, files};
  EXPECT_FALSE(UpdatePrinterMetrics(context));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].second, "Нет установленных принтеров !!!"_cp);
  EXPECT_EQ(setup.settings.storedLinesPerSheet, 0);
  EXPECT_EQ(SavedFile(), "");
}

TEST_F(PrinterTest, APrinterGivingNoUsableMetricsIsNotMeasured) {
  const SubstitutePrinterModel broken[] = {
      {{"P"}, 0, 4800, 6600, 98, 0}, {{"P"}, 0, 4800, 6600, -2, 40}, {{"P"}, 0, 0, 6600, 98, 40}};
  for (const auto& model : broken) {
    SubstitutePrinter p(model);
    setup = {};
    PrintContext context{setup, p, messages, files};
    EXPECT_FALSE(UpdatePrinterMetrics(context));
    EXPECT_EQ(setup.working.linesPerSheet, 0);
    EXPECT_EQ(setup.settings.storedPrinterName, "");
  }
}

TEST_F(PrinterTest, PrintingTheRangeThreeToTwoIsAnEmptyJob) {
  WriteBytes(files.SheetFile(2), "a\r\n");
  WriteBytes(files.SheetFile(3), "b\r\n");
  ASSERT_TRUE(PrintSheets(Context(), 3, 2));
  ASSERT_EQ(printer.Jobs().size(), 1u);
  EXPECT_TRUE(printer.Jobs()[0].ended);
  EXPECT_TRUE(printer.Jobs()[0].pages.empty());
}

TEST_F(PrinterTest, PrintingSendsTheExistingSheetsInTheReportFont) {
  setup.settings.fontName = "Courier New";
  setup.settings.fontSize = 10;
  setup.settings.storedLinesPerSheet = 66;
  setup.settings.storedCharsPerLine = 120;
  WriteBytes(files.SheetFile(1), "one\r\n");
  WriteBytes(files.SheetFile(3), "three\r\n  3b\r\n");
  ASSERT_TRUE(PrintSheets(Context(), 1, 4));
  ASSERT_EQ(printer.Jobs().size(), 1u);
  const PrintedJob& job = printer.Jobs()[0];
  EXPECT_EQ(job.printer, "Office Jet");
  EXPECT_EQ(job.font.name, "Courier New");
  EXPECT_EQ(job.font.size, 10);
  // Each sheet from the top of a page of its own, however short.
  ASSERT_EQ(job.pages.size(), 2u);
  EXPECT_EQ(job.pages[0], (std::vector<std::string>{"one"}));
  EXPECT_EQ(job.pages[1], (std::vector<std::string>{"three", "  3b"}));
  EXPECT_EQ(setup.working.linesPerSheet, 66);
  EXPECT_EQ(setup.working.charsPerLine, 120);
}

TEST_F(PrinterTest, PrintedPagesAndPaginatedSheetsCoincide) {
  const Pagination p = MeasureAndPaginate130Rows();
  ASSERT_EQ(p.result, PaginationResult::Paginated);
  ASSERT_EQ(p.sheets, 3);  // 56 rows, then 55, then 19
  ASSERT_TRUE(PrintSheets(Context(), 1, p.sheets));
  const auto& pages = printer.Jobs().at(0).pages;
  ASSERT_EQ(pages.size(), 3u);
  EXPECT_EQ(pages[0].size(), 65u);
  EXPECT_EQ(pages[1].size(), 65u);
  EXPECT_EQ(pages[1][0], "     " + std::string("Лист 2/ "_cp));
  EXPECT_EQ(pages[2].back(), "     row 130");
}

// Sheets cut for the 4800 x 6600 printer (66 lines of 120 characters) and
// printed on another page: each sheet is still one page, drawn smaller when
// the page is shorter or narrower.
TEST_F(PrinterTest, EverySheetIsOnePageWhateverThePageItIsPrintedOn) {
  const Pagination p = MeasureAndPaginate130Rows();
  ASSERT_EQ(p.result, PaginationResult::Paginated);
  ASSERT_EQ(p.sheets, 3);
  std::vector<std::vector<std::string>> sheets;
  for (int n = 1; n <= p.sheets; ++n) sheets.push_back(ReadTextLines(files.SheetFile(n)).value());

  struct Case {
    const char* what;
    int width;
    int height;
    double scale;
  };
  const Case cases[] = {
      {"the page measured", 4800, 6600, 1},
      {"a taller and wider page", 6000, 9000, 1},
      {"a shorter page", 4800, 5000, 5000.0 / 6600},  // 66 pitches of 100 into 5000
      {"a narrower page", 3000, 6600, 3000.0 / 4800},  // 120 characters of 40 into 3000
      {"a smaller page", 3000, 5000, 3000.0 / 4800},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SubstitutePrinter target({{"PDF"}, 0, c.width, c.height, 98, 40});
    setup.settings.storedPrinterName = "PDF";
    PrintContext context{setup, target, messages, files};
    ASSERT_TRUE(PrintSheets(context, 1, p.sheets));
    const PrintedJob& job = target.Jobs().at(0);
    EXPECT_DOUBLE_EQ(job.scale, c.scale);
    EXPECT_EQ(job.pages, sheets);
  }
}

// The sheet's height in layout units never falls short of its pitches by rounding.
TEST(TextJobLayoutTest, AFullSheetStaysOnOnePageAtAnyScale) {
  struct Case {
    int pageHeight;
    int linesPerSheet;
    int pitch;
  };
  const Case cases[] = {{6600, 66, 100}, {6599, 66, 100}, {6601, 66, 100}, {997, 66, 100}, {12833, 70, 183},
                        {12000, 78, 153}, {9583, 89, 153}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.pageHeight << " high, " << c.linesPerSheet << " lines of " << c.pitch);
    TextJobLayout layout({c.linesPerSheet, 100}, 100 * 40, c.pageHeight, c.pitch, 40);
    EXPECT_LE(layout.Scale(), 1.0);
    EXPECT_LE(layout.Scale() * c.linesPerSheet * c.pitch, c.pageHeight + 1e-6);
    for (int sheet = 0; sheet < 3; ++sheet) {
      layout.BeginSheet();
      for (int line = 0; line < c.linesPerSheet - 1; ++line) {
        EXPECT_EQ(layout.PlaceLine(), line == 0) << "sheet " << sheet << " line " << line;
        EXPECT_EQ(layout.LineTop(), line * c.pitch);
      }
    }
    // A line beyond a full sheet begins a page even without a new sheet.
    EXPECT_TRUE(layout.PlaceLine());
  }
}

class AnsweringDialog final : public PrintDialog {
 public:
  explicit AnsweringDialog(std::optional<PrintDialogAnswer> answer) : answer_(answer) {}
  std::optional<PrintDialogAnswer> Ask(const PrintDialogSetup& setup) override {
    asked = setup;
    return answer_;
  }
  std::optional<PrintDialogSetup> asked;

 private:
  std::optional<PrintDialogAnswer> answer_;
};

TEST_F(PrinterTest, ThePrintDialogOffersEverySheetAndPrintsTheChosenOnes) {
  for (int n = 1; n <= 4; ++n) WriteBytes(files.SheetFile(n), "sheet " + std::to_string(n) + "\r\n");
  struct Case {
    std::optional<PrintDialogAnswer> answer;
    std::vector<std::string> printed;
    bool job;
  };
  const Case cases[] = {
      {PrintDialogAnswer{true, 2, 3}, {"sheet 1", "sheet 2", "sheet 3", "sheet 4"}, true},
      {PrintDialogAnswer{false, 2, 3}, {"sheet 2", "sheet 3"}, true},
      {std::nullopt, {}, false},
  };
  for (const auto& c : cases) {
    SubstitutePrinter p({{"P"}});
    PrintContext context{setup, p, messages, files};
    AnsweringDialog dialog(c.answer);
    EXPECT_EQ(PrintReport(dialog, 4, context), c.job);
    ASSERT_TRUE(dialog.asked.has_value());
    EXPECT_EQ(dialog.asked->minPage, 1);
    EXPECT_EQ(dialog.asked->fromPage, 1);
    EXPECT_EQ(dialog.asked->maxPage, 4);
    EXPECT_EQ(dialog.asked->toPage, 4);
    ASSERT_EQ(p.Jobs().size(), c.job ? 1u : 0u);
    if (c.job) {
      std::vector<std::string> printed;
      for (const auto& page : p.Jobs()[0].pages) printed.insert(printed.end(), page.begin(), page.end());
      EXPECT_EQ(printed, c.printed);
    }
  }
}

TEST_F(PrinterTest, TheFirstYesWithoutStoredMetricsMeasuresAndWritesTheFile) {
  AcceptPageSettings({7, 2, 4, 1}, Context());
  EXPECT_EQ(setup.working.linesPerSheet, 66);
  EXPECT_EQ(SavedFile(), "Zetlogic-1.10\r\n8\r\nLucida Console\r\n7\r\n2\r\n4\r\n1\r\n66\r\n120\r\nOffice Jet\r\n");
}

TEST_F(PrinterTest, YesWithStoredMetricsSavesWithoutMeasuring) {
  setup.settings.storedLinesPerSheet = 70;
  setup.settings.storedCharsPerLine = 100;
  setup.settings.storedPrinterName = "PDF";
  AcceptPageSettings({0, 20, 1, 2}, Context());
  EXPECT_EQ(SavedFile(), "Zetlogic-1.10\r\n8\r\nLucida Console\r\n0\r\n20\r\n1\r\n2\r\n70\r\n100\r\nPDF\r\n");
}

TEST_F(PrinterTest, YesWithoutAPrinterStillKeepsTheAcceptedValues) {
  SubstitutePrinter none({});
  AcceptPageSettings({9, 1, 2, 1}, {setup, none, messages, files});
  EXPECT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(SavedFile(), "Zetlogic-1.10\r\n8\r\nLucida Console\r\n9\r\n1\r\n2\r\n1\r\n0\r\n0\r\n\r\n");
}

TEST_F(PrinterTest, AChangedFontIsMeasuredAnew) {
  setup.settings.storedLinesPerSheet = 70;
  setup.settings.storedCharsPerLine = 100;
  setup.settings.storedPrinterName = "Office Jet";
  AcceptFontChange({"Courier New", 10}, {4, 2, 2, 2}, Context());
  EXPECT_EQ(printer.Font().name, "Courier New");
  EXPECT_EQ(printer.Font().size, 10);
  EXPECT_EQ(SavedFile(), "Zetlogic-1.10\r\n10\r\nCourier New\r\n4\r\n2\r\n2\r\n2\r\n66\r\n120\r\nOffice Jet\r\n");
}

TEST_F(PrinterTest, ThePrinterSetUpMeasuresOnlyAnotherPrinter) {
  struct Case {
    std::string stored;
    int measuredLines;
  };
  // The current printer is "Office Jet".
  const Case cases[] = {{"Of fice Jet ", 70}, {"PDF", 66}, {"", 66}};
  for (const auto& c : cases) {
    setup = {};
    setup.settings.storedPrinterName = c.stored;
    setup.settings.storedLinesPerSheet = 70;
    setup.settings.storedCharsPerLine = 100;
    SubstitutePrinter p({{"PDF", "Office Jet"}, 1});
    EXPECT_TRUE(AcceptPrinterSetup({setup, p, messages, files})) << c.stored;
    EXPECT_EQ(setup.settings.storedLinesPerSheet, c.measuredLines) << c.stored;
    EXPECT_EQ(p.CurrentIndex(), 1);
  }
}

class OddSheetFile : public PrinterTest, public ::testing::WithParamInterface<test::OddFile> {
 protected:
  const test::HangGuard guard;
};

TEST_P(OddSheetFile, PrintsNothingOfItAndTheOtherSheetsAsTheyAre) {
  WriteBytes(files.SheetFile(1), "one\r\n");
  test::MakeOddFile(GetParam(), files.SheetFile(2));
  WriteBytes(files.SheetFile(3), "three\r\n");
  ASSERT_TRUE(PrintSheets(Context(), 1, 3));
  ASSERT_EQ(printer.Jobs().size(), 1u);
  EXPECT_TRUE(printer.Jobs()[0].ended);
  std::vector<std::string> printed;
  for (const auto& page : printer.Jobs()[0].pages) printed.insert(printed.end(), page.begin(), page.end());
  std::vector<std::string> expected = {"one"};
  if (GetParam() == test::OddFile::BinaryJunk)
    for (const std::string& line : test::AllByteValueLines()) expected.push_back(line);
  expected.push_back("three");
  EXPECT_EQ(printed, expected);
  EXPECT_TRUE(test::OddFileKept(GetParam(), files.SheetFile(2)));
}

INSTANTIATE_TEST_SUITE_P(Kinds, OddSheetFile, ::testing::ValuesIn(test::OddFileKinds()),
                         test::OddFileTestName);

}  // namespace
}  // namespace zt::report
