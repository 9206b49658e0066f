#include <gtest/gtest.h>

#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "core/cp1251.h"
#include "report/pagination.h"
#include "report/report_files_cleanup.h"
#include "report/report_view.h"
#include "tests/core/image_builder.h"
#include "tests/core/odd_file_test.h"

namespace zt::report {
namespace {

using test::ReadBytes;
using test::WriteBytes;

const std::string kRussianHeader = std::string("/отчет составлен:07.12.2026 10:30:15/"_cp);
const std::string kUkrainianHeader = std::string("/звіт складен:07.12.2026 10:30:15/"_cp);

std::string Cp(std::string_view utf8) { return Utf8ToCp1251(utf8); }

// Presses F10 on a given pump call.
class StopOnCall final : public EventPump {
 public:
  StopOnCall(StopRequest& stop, int call) : stop_(stop), call_(call) {}
  void ProcessEvents() override {
    if (++calls_ == call_) stop_.Set();
  }

 private:
  StopRequest& stop_;
  int call_;
  int calls_ = 0;
};

class PaginationTest : public ::testing::Test {
 protected:
  void WriteReport(const std::string& header, int lines) {
    std::string text = header + "\r\n";
    for (int k = 1; k <= lines; ++k) text += "line " + std::to_string(k) + "\r\n";
    WriteBytes(files.ReportTextFile(), text);
  }
  Pagination Paginate(const PageLayout& layout) {
    return PaginateReport(files.ReportTextFile(), layout, {files, preview, messages, yield, stop});
  }
  bool SheetExists(int n) const { return std::filesystem::exists(files.SheetFile(n)); }
  // The lines of a sheet file, which must end every line with CR LF.
  std::vector<std::string> Sheet(int n) const {
    const std::string bytes = ReadBytes(files.SheetFile(n));
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
      lines.push_back(bytes.substr(start, end - start));
    EXPECT_EQ(start, bytes.size()) << "sheet " << n << " ends without CR LF";
    return lines;
  }

  test::TempFolder folder;
  WorkingFiles files{folder.path()};
  LinesPreview preview;
  RecordingMessages messages;
  NoEventPump pump;
  YieldPoint yield{pump};
  StopRequest stop;
};

const PageLayout kExampleLayout{60, 120, 5, 3, 3};

TEST_F(PaginationTest, ASmallSheetWrittenOutLineByLine) {
  WriteReport(kRussianHeader, 8);
  const Pagination p = Paginate({12, 40, 2, 1, 1});
  EXPECT_EQ(p.result, PaginationResult::Paginated);
  EXPECT_EQ(p.sheets, 2);
  const std::vector<std::string> sheet1 = {Cp("  Всего листов: 2"), "  ", "  line 1", "  line 2", "  line 3",
                                           "  line 4", "  line 5", "  line 6", "  ", "  ", "  "};
  const std::vector<std::string> sheet2 = {Cp("  Лист 2/ "), "  " + kRussianHeader, "  ", "  line 7", "  line 8"};
  EXPECT_EQ(Sheet(1), sheet1);
  EXPECT_EQ(Sheet(2), sheet2);
  std::vector<std::string> shown = sheet1;
  shown.insert(shown.end(), sheet2.begin(), sheet2.end());
  EXPECT_EQ(preview.lines, shown);
  EXPECT_FALSE(SheetExists(3));
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(PaginationTest, SheetSizesWithIndentFiveMarginsThreeAndSixtyLines) {
  struct Case {
    int reportLines;
    std::vector<std::size_t> sheetLines;
  };
  // Sheet 1 takes 50 report lines, later sheets 49; a full sheet has 59 lines.
  const Case cases[] = {
      {10, {14}}, {50, {59, 0}}, {51, {59, 6}}, {99, {59, 59, 0}}, {100, {59, 59, 6}},
  };
  for (const auto& c : cases) {
    WriteReport(kRussianHeader, c.reportLines);
    preview.Clear();
    const Pagination p = Paginate(kExampleLayout);
    ASSERT_EQ(p.result, PaginationResult::Paginated) << c.reportLines;
    ASSERT_EQ(p.sheets, static_cast<int>(c.sheetLines.size())) << c.reportLines;
    for (std::size_t s = 0; s < c.sheetLines.size(); ++s)
      EXPECT_EQ(Sheet(static_cast<int>(s) + 1).size(), c.sheetLines[s]) << c.reportLines << " sheet " << s + 1;
    EXPECT_EQ(Sheet(1)[0], Cp("     Всего листов: ") + std::to_string(c.sheetLines.size())) << c.reportLines;
  }
}

TEST_F(PaginationTest, TheExampleSheetsLineByLine) {
  WriteReport(kRussianHeader, 100);
  ASSERT_EQ(Paginate(kExampleLayout).sheets, 3);
  const std::string indent(5, ' ');
  const auto first = Sheet(1);
  ASSERT_EQ(first.size(), 59u);
  EXPECT_EQ(first[0], Cp("     Всего листов: 3"));
  for (int i = 1; i <= 3; ++i) EXPECT_EQ(first[i], indent);
  for (int k = 1; k <= 50; ++k) EXPECT_EQ(first[3 + k], indent + "line " + std::to_string(k));
  for (int i = 54; i < 59; ++i) EXPECT_EQ(first[i], indent);

  const auto second = Sheet(2);
  ASSERT_EQ(second.size(), 59u);
  EXPECT_EQ(second[0], Cp("     Лист 2/ "));
  EXPECT_EQ(second[1], indent + kRussianHeader);
  for (int i = 2; i <= 4; ++i) EXPECT_EQ(second[i], indent);
  for (int k = 51; k <= 99; ++k) EXPECT_EQ(second[k - 46], indent + "line " + std::to_string(k));
  for (int i = 54; i < 59; ++i) EXPECT_EQ(second[i], indent);

  const std::vector<std::string> third = {Cp("     Лист 3/ "), indent + kRussianHeader, indent, indent, indent,
                                          indent + "line 100"};
  EXPECT_EQ(Sheet(3), third);
  EXPECT_EQ(preview.lines.size(), 59u + 59u + 6u);
}

TEST_F(PaginationTest, LaterSheetsRepeatTheUkrainianGenerationLine) {
  WriteReport(kUkrainianHeader, 60);
  ASSERT_EQ(Paginate(kExampleLayout).sheets, 2);
  EXPECT_EQ(Sheet(2)[0], Cp("     Лист 2/ "));
  EXPECT_EQ(Sheet(2)[1], "     " + kUkrainianHeader);
}

TEST_F(PaginationTest, WithoutPrinterMetricsTheFirstLineFailsAndNothingIsShown) {
  WriteReport(kRussianHeader, 3);
  const Pagination p = Paginate({0, 0, 5, 3, 3});
  EXPECT_EQ(p.result, PaginationResult::LineTooLong);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].first, MessageKind::Warning);
  EXPECT_EQ(messages.shown[0].second, "ДЛИНА СТРОКИ БОЛЬШЕ - УМЕНЬШИТЕ РАЗМЕР ШРИФТА"_cp);
  EXPECT_TRUE(preview.lines.empty());
  EXPECT_FALSE(SheetExists(1));
}

TEST_F(PaginationTest, ALineFitsWhileItsLengthWithIndentAndThreeStaysBelowTheWidth) {
  struct Case {
    std::size_t length;
    PaginationResult result;
  };
  // Width 20, indent 5: 12 + 5 + 3 reaches 20.
  const Case cases[] = {{11, PaginationResult::Paginated}, {12, PaginationResult::LineTooLong}};
  for (const auto& c : cases) {
    messages.shown.clear();
    preview.Clear();
    WriteBytes(files.ReportTextFile(), kRussianHeader + "\r\nshort\r\n" + std::string(c.length, 'x') + "\r\n");
    EXPECT_EQ(Paginate({60, 20, 5, 3, 3}).result, c.result) << c.length;
    EXPECT_EQ(messages.shown.size(), c.result == PaginationResult::LineTooLong ? 1u : 0u);
    EXPECT_EQ(preview.lines.empty(), c.result == PaginationResult::LineTooLong);
  }
}

TEST_F(PaginationTest, AReportOfOnlyItsGenerationLineGivesOneEmptySheet) {
  WriteBytes(files.ReportTextFile(), kRussianHeader + "\r\n");
  const Pagination p = Paginate(kExampleLayout);
  EXPECT_EQ(p.result, PaginationResult::Paginated);
  EXPECT_EQ(p.sheets, 1);
  EXPECT_TRUE(SheetExists(1));
  EXPECT_TRUE(Sheet(1).empty());
}

TEST_F(PaginationTest, AnEmptyReportFileStillOpensAndGivesOneEmptySheet) {
  WriteBytes(files.ReportTextFile(), "");
  const Pagination p = Paginate(kExampleLayout);
  EXPECT_EQ(p.result, PaginationResult::Paginated);
  EXPECT_EQ(p.sheets, 1);
  EXPECT_TRUE(SheetExists(1));
  EXPECT_TRUE(Sheet(1).empty());
  EXPECT_TRUE(preview.lines.empty());
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(PaginationTest, ANegativeLineCountFromTheSettingsEndsASheetAfterEveryLine) {
  // The settings file may hold any 32-bit number of lines; P - BM - 2 is then far below 1.
  WriteReport(kRussianHeader, 2);
  const Pagination p = Paginate({std::numeric_limits<int>::min(), 120, 5, 3, 3});
  ASSERT_EQ(p.result, PaginationResult::Paginated);
  ASSERT_EQ(p.sheets, 3);
  const std::string indent(5, ' ');
  const std::vector<std::string> first = {Cp("     Всего листов: 3"), indent, indent, indent, indent + "line 1",
                                          indent, indent, indent, indent, indent};
  const std::vector<std::string> second = {Cp("     Лист 2/ "), indent + kRussianHeader, indent, indent, indent,
                                           indent + "line 2", indent, indent, indent, indent, indent};
  EXPECT_EQ(Sheet(1), first);
  EXPECT_EQ(Sheet(2), second);
  EXPECT_TRUE(Sheet(3).empty());
}

TEST_F(PaginationTest, AMissingReportOrSheetFolderFailsWithoutAMessage) {
  EXPECT_EQ(Paginate(kExampleLayout).result, PaginationResult::ReportUnreadable);
  EXPECT_FALSE(SheetExists(1));

  WriteReport(kRussianHeader, 3);
  const WorkingFiles nowhere(folder.path() / "missing");
  EXPECT_EQ(PaginateReport(files.ReportTextFile(), kExampleLayout, {nowhere, preview, messages, yield, stop}).result,
            PaginationResult::SheetFailed);
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(PaginationTest, TheStopRequestEndsTheOutputPassAtTheNextLine) {
  WriteReport(kRussianHeader, 250);
  StopRequest f10;
  StopOnCall pressing(f10, 1);  // the hundredth line's yield point
  YieldPoint everyLine(pressing);
  const Pagination p =
      PaginateReport(files.ReportTextFile(), kExampleLayout, {files, preview, messages, everyLine, f10});
  EXPECT_EQ(p.result, PaginationResult::Stopped);
  // Line 99 closed sheet 2; line 100 was never shown.
  ASSERT_EQ(preview.lines.size(), 59u + 59u);
  EXPECT_EQ(preview.lines[59 + 53], "     line 99");
  EXPECT_TRUE(Sheet(3).empty());
}

TEST(ReportFilesCleanup, RemovesTheReportAndTheFirstHundredSheets) {
  test::TempFolder folder;
  const WorkingFiles files(folder.path());
  for (int n = 1; n <= 101; ++n) WriteBytes(files.SheetFile(n), "x\r\n");
  WriteBytes(files.ReportTextFile(), "x\r\n");
  DeleteReportFiles(files);
  for (int n = 1; n <= 100; ++n) EXPECT_FALSE(std::filesystem::exists(files.SheetFile(n))) << n;
  EXPECT_TRUE(std::filesystem::exists(files.SheetFile(101)));
  EXPECT_FALSE(std::filesystem::exists(files.ReportTextFile()));
}

// RepDay that is no file to read; junk is a report of one line after its header.
class OddReportText : public PaginationTest, public ::testing::WithParamInterface<test::OddFile> {
 protected:
  void SetUp() override { test::MakeOddFile(GetParam(), files.ReportTextFile()); }
  void TearDown() override { EXPECT_TRUE(test::OddFileKept(GetParam(), files.ReportTextFile())); }
  bool Junk() const { return GetParam() == test::OddFile::BinaryJunk; }

  const test::HangGuard guard;
};

TEST_P(OddReportText, PaginationFindsItUnreadableWithoutAMessage) {
  // Wide enough for junk's 245-byte line.
  const Pagination p = Paginate({60, 300, 5, 3, 3});
  EXPECT_TRUE(messages.shown.empty());
  if (!Junk()) {
    EXPECT_EQ(p.result, PaginationResult::ReportUnreadable);
    EXPECT_EQ(p.sheets, 0);
    EXPECT_TRUE(preview.lines.empty());
    EXPECT_FALSE(SheetExists(1));
    return;
  }
  EXPECT_EQ(p.result, PaginationResult::Paginated);
  EXPECT_EQ(p.sheets, 1);
  const std::string indent(5, ' ');
  EXPECT_EQ(ReadBytes(files.SheetFile(1)), indent + Cp("Всего листов: 1") + "\r\n" + indent + "\r\n" + indent + "\r\n" +
                                               indent + "\r\n" + indent + test::AllByteValueLines()[1] + "\r\n");
  EXPECT_FALSE(SheetExists(2));
}

TEST_P(OddReportText, TheViewShowsNothing) {
  EXPECT_EQ(ShowReport(files.ReportTextFile(), preview, yield, stop), Junk());
  EXPECT_EQ(preview.lines, Junk() ? test::AllByteValueLines() : std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Kinds, OddReportText, ::testing::ValuesIn(test::OddFileKinds()),
                         test::OddFileTestName);

}  // namespace
}  // namespace zt::report
