#include "app/shell/regional_flag.h"

#include <gtest/gtest.h>

#include "tests/link/temp_folder.h"

namespace zt::shell {
namespace {

using link::fake::TempFolder;

TEST(RegionalFlag, LastNonEmptyLineDecides) {
  const struct {
    const char* text;
    int flag;
  } cases[] = {
      {"", 0},
      {"1\r\n", 1},
      {"1\r\n\r\n", 1},       // an empty line after it changes nothing
      {"1\r\nx\r\n", 0},      // a line that is no number gives 0
      {"1\r\n   \r\n", 1},    // blanks only: empty once they are removed
      {" 1 2 \r\n", 12},      // blanks removed anywhere
      {"5\r\nabc\r\n9\r\n", 9},
      {"3\n7", 7},            // LF ends, last line without an end
      {"257\r\n", 1},         // low 8 bits
      {"-1\r\n", 255},
      {"-\r\n", 0},           // digits and "-" but no number
      {"1-2\r\n", 0},
      {"2\r\n-\r\n", 0},
      {"4294967297\r\n", 0},  // beyond 32 bits
      {"+1\r\n", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(RegionalFlagFromText(c.text), c.flag) << c.text;
}

TEST(RegionalFlag, ReadFromTheWorkFolder) {
  TempFolder folder;
  EXPECT_EQ(LoadRegionalFlag(folder.Files()), 0) << "missing file";
  TempFolder::Write(folder.Files().RegionalFlagFile(), "0\r\n1\r\n");
  EXPECT_EQ(LoadRegionalFlag(folder.Files()), 1);
}

}  // namespace
}  // namespace zt::shell
