#include <gtest/gtest.h>

#include <filesystem>
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

}  // namespace
}  // namespace zt::cli
