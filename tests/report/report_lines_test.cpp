#include "report/report_lines.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "core/cp1251.h"

namespace zt::report {
namespace {

TEST(ColumnCell, PadsButNeverCuts) {
  const struct {
    const char* text;
    std::size_t width;
    const char* cell;
  } cases[] = {
      {"", 3, "|   "}, {"ab", 3, "|ab "}, {"abc", 3, "|abc"}, {"abcd", 3, "|abcd"}, {"x", 0, "|x"},
  };
  for (const auto& c : cases) EXPECT_EQ(ColumnCell(c.text, c.width), c.cell) << c.text << " " << c.width;
  // Widths count Windows-1251 bytes, one a character.
  EXPECT_EQ(ColumnCell("мин."_cp, 6).size(), 7u);
}

TEST(RuleLine, IsDashes) {
  EXPECT_EQ(RuleLine(0), "");
  EXPECT_EQ(RuleLine(5), "-----");
}

TEST(NoRecordsBlockAndTotalLabel, InBothLanguages) {
  MemoryReportLines ru, uk;
  WriteNoRecordsBlock(ru, Language::Russian);
  WriteNoRecordsBlock(uk, Language::Ukrainian);
  EXPECT_EQ(ru.lines, (std::vector<std::string>{std::string("------Записей не было------"_cp), ""}));
  EXPECT_EQ(uk.lines, (std::vector<std::string>{std::string("------Записів не було------"_cp), ""}));
  EXPECT_EQ(TotalLabel(Language::Russian), std::string("|Итого за период  "_cp));
  EXPECT_EQ(TotalLabel(Language::Ukrainian), std::string("|Того за період   "_cp));
  EXPECT_EQ(TotalLabel(Language::Ukrainian).size(), 18u);
}

TEST(WriteRow, FollowsTheRowWithARuleOfItsLength) {
  MemoryReportLines out;
  WriteRow(out, "|ab|");
  EXPECT_EQ(out.lines, (std::vector<std::string>{"|ab|", "----"}));
}

TEST(FileReportLines, WritesBytesUnchangedWithCrLf) {
  const auto path = std::filesystem::temp_directory_path() / "zt_report_lines_test.txt";
  {
    FileReportLines file;
    ASSERT_TRUE(file.Create(path));
    file.WriteLine("Итого"_cp);
    file.WriteEmptyLine();
    file.WriteLine("x");
    EXPECT_TRUE(file.Close());
  }
  std::ifstream in(path, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(bytes, "\xC8\xF2\xEE\xE3\xEE\r\n\r\nx\r\n");
  std::filesystem::remove(path);
}

TEST(FileReportLines, ReportsAFileThatCannotBeCreatedOrWritten) {
  FileReportLines missing;
  EXPECT_FALSE(missing.Create("/nonexistent-folder/RepDay"));
  if (std::filesystem::exists("/dev/full")) {
    FileReportLines full;
    ASSERT_TRUE(full.Create("/dev/full"));
    for (int i = 0; i < 10000; ++i) full.WriteLine("a line that will not fit on the device");
    EXPECT_FALSE(full.Close());
  }
}

}  // namespace
}  // namespace zt::report
