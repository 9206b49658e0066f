#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "core/cp1251.h"
#include "tests/core/image_builder.h"
#include "tools/zt/report_sheets.h"

namespace zt::cli {
namespace {

std::optional<SheetRequest> RequestFrom(const std::vector<std::string>& argv, std::string& error) {
  const auto args = ParseArgs(argv, WithSheetOptions({"-o"}), {}, error);
  if (!args) return std::nullopt;
  return SheetRequestOf(*args, error);
}

TEST(ReportSheetOptions, LayoutsAndMistakes) {
  struct Case {
    std::vector<std::string> argv;
    bool valid;
    bool sheets;
    report::PageLayout layout;
  };
  const Case cases[] = {
      {{"-o", "x"}, true, false, {}},
      {{"--sheets", "d", "--lines", "60", "--chars", "120"}, true, true, {60, 120, 5, 3, 3}},
      {{"--sheets", "d", "--lines", "66", "--chars", "90", "--indent", "0", "--top", "20", "--bottom", "1"},
       true,
       true,
       {66, 90, 0, 20, 1}},
      {{"--lines", "60"}, false, false, {}},
      {{"--bottom", "2"}, false, false, {}},
      {{"--sheets", "d", "--lines", "60"}, false, false, {}},
      {{"--sheets", "d", "--chars", "60"}, false, false, {}},
      {{"--sheets", "d", "--lines", "60", "--chars", "120", "--indent", "256"}, false, false, {}},
      {{"--sheets", "d", "--lines", "-1", "--chars", "120"}, false, false, {}},
      {{"--sheets", "d", "--lines", "60", "--chars", "wide"}, false, false, {}},
      {{"--sheets", "d", "--sheets", "e", "--lines", "60", "--chars", "120"}, false, false, {}},
      // Room for one line: sheet line, title line, TM, the line, BM and 2 empty lines in P - 1;
      // one character after LI blanks with 3 to spare.
      {{"--sheets", "d", "--lines", "12", "--chars", "10"}, true, true, {12, 10, 5, 3, 3}},
      {{"--sheets", "d", "--lines", "11", "--chars", "120"}, false, false, {}},
      {{"--sheets", "d", "--lines", "60", "--chars", "9"}, false, false, {}},
      {{"--sheets", "d", "--lines", "6", "--chars", "5", "--indent", "0", "--top", "0", "--bottom", "0"},
       true,
       true,
       {6, 5, 0, 0, 0}},
      {{"--sheets", "d", "--lines", "5", "--chars", "5", "--indent", "0", "--top", "0", "--bottom", "0"},
       false,
       false,
       {}},
      {{"--sheets", "d", "--lines", "6", "--chars", "4", "--indent", "0", "--top", "0", "--bottom", "0"},
       false,
       false,
       {}},
      {{"--sheets", "d", "--lines", "30", "--chars", "120", "--top", "20", "--bottom", "5"}, false, false, {}},
      {{"--sheets", "d", "--lines", "0", "--chars", "0"}, false, false, {}},
  };
  for (const auto& c : cases) {
    std::string error;
    const auto request = RequestFrom(c.argv, error);
    const std::string where = c.argv.empty() ? "" : c.argv.back();
    ASSERT_EQ(request.has_value(), c.valid) << where << ": " << error;
    if (!c.valid) {
      EXPECT_FALSE(error.empty());
      continue;
    }
    ASSERT_EQ(request->folder.has_value(), c.sheets) << where;
    if (!c.sheets) continue;
    EXPECT_EQ(*request->folder, "d");
    EXPECT_EQ(request->layout.linesPerSheet, c.layout.linesPerSheet);
    EXPECT_EQ(request->layout.charsPerLine, c.layout.charsPerLine);
    EXPECT_EQ(request->layout.leftIndent, c.layout.leftIndent);
    EXPECT_EQ(request->layout.topMargin, c.layout.topMargin);
    EXPECT_EQ(request->layout.bottomMargin, c.layout.bottomMargin);
  }
}

TEST(ReportSheetOptions, SheetsGoIntoTheirFolderAndALongLineFails) {
  test::TempFolder folder;
  const auto report = folder.path() / "RepDay";
  test::WriteBytes(report, std::string("/отчет составлен:07.12.2026 10:30:15/"_cp) +
                               "\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n");
  RecordingMessages messages;
  SheetRequest request{folder.path() / "sheets", {12, 40, 2, 1, 1}};
  EXPECT_EQ(WriteSheets(request, report, messages), 0);
  EXPECT_TRUE(std::filesystem::exists(folder.path() / "sheets" / "RpList2"));
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "sheets" / "RpList3"));
  EXPECT_TRUE(messages.shown.empty());

  request.layout.charsPerLine = 0;
  EXPECT_NE(WriteSheets(request, report, messages), 0);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].second, "ДЛИНА СТРОКИ БОЛЬШЕ - УМЕНЬШИТЕ РАЗМЕР ШРИФТА"_cp);

  EXPECT_EQ(WriteSheets({std::nullopt, {}}, report, messages), 0);
}

// A report of a title line and `lines` lines of one character.
std::string OneCharacterReport(int lines) {
  std::string report = std::string("/отчет составлен:07.12.2026 10:30:15/"_cp) + "\r\n";
  for (int i = 0; i < lines; ++i) report += "x\r\n";
  return report;
}

std::size_t LineCount(const std::string& text) {
  std::size_t n = 0;
  for (char c : text) n += c == '\n';
  return n;
}

TEST(ReportSheetOptions, TheLeastLayoutsTakenFitTheirSheets) {
  const report::PageLayout layouts[] = {{12, 10, 5, 3, 3}, {6, 5, 0, 0, 0}, {27, 30, 2, 20, 1}};
  for (const auto& layout : layouts) {
    SCOPED_TRACE(layout.linesPerSheet);
    test::TempFolder folder;
    const auto report = folder.path() / "RepDay";
    test::WriteBytes(report, OneCharacterReport(25));
    // The options that give this layout are taken ...
    std::string error;
    const auto request = RequestFrom(
        {"--sheets", (folder.path() / "sheets").string(), "--lines", std::to_string(layout.linesPerSheet), "--chars",
         std::to_string(layout.charsPerLine), "--indent", std::to_string(layout.leftIndent), "--top",
         std::to_string(layout.topMargin), "--bottom", std::to_string(layout.bottomMargin)},
        error);
    ASSERT_TRUE(request) << error;
    // ... and every sheet holds at most P - 1 lines, the lines of a printed page.
    RecordingMessages messages;
    ASSERT_EQ(WriteSheets(*request, report, messages), 0);
    int sheets = 0;
    for (int n = 1; std::filesystem::exists(folder.path() / "sheets" / ("RpList" + std::to_string(n))); ++n) {
      ++sheets;
      EXPECT_LE(LineCount(test::ReadBytes(folder.path() / "sheets" / ("RpList" + std::to_string(n)))),
                static_cast<std::size_t>(layout.linesPerSheet - 1))
          << "RpList" << n;
    }
    EXPECT_GT(sheets, 1);
  }
}

TEST(ReportSheetOptions, TheSheetsOfAnEarlierReportGoFirst) {
  test::TempFolder folder;
  const auto sheets = folder.path() / "sheets";
  std::filesystem::create_directories(sheets);
  for (const char* name : {"RpList1", "RpList2", "RpList3", "RpList9", "RpList12", "RpList07", "RpList3.txt", "notes"})
    test::WriteBytes(sheets / name, "earlier");
  const auto report = folder.path() / "RepDay";
  test::WriteBytes(report, OneCharacterReport(3));
  RecordingMessages messages;
  // One sheet: 3 lines after the total-sheets line and the top margin stay under the limit 55.
  ASSERT_EQ(WriteSheets({sheets, {60, 120, 5, 3, 3}}, report, messages), 0);
  std::set<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(sheets)) names.insert(e.path().filename().string());
  EXPECT_EQ(names, (std::set<std::string>{"RpList1", "RpList07", "RpList3.txt", "notes"}));
  EXPECT_NE(test::ReadBytes(sheets / "RpList1"), "earlier");
}

}  // namespace
}  // namespace zt::cli
