#include "core/cp1251.h"

#include <gtest/gtest.h>

namespace zt {
namespace {

TEST(Cp1251, LiteralsBecomeSingleBytes) {
  EXPECT_EQ("Аяё"_cp, std::string_view("\xC0\xFF\xB8"));
  EXPECT_EQ("№ Ґ і"_cp, std::string_view("\xB9 \xA5 \xB3"));
  EXPECT_EQ("N зап."_cp, std::string_view("N \xE7\xE0\xEF."));
  EXPECT_EQ("-\"-"_cp.size(), 3u);
}

TEST(Cp1251, EveryDefinedByteSurvivesTheRoundTrip) {
  std::string all;
  for (int b = 1; b < 256; ++b)
    if (b != 0x98) all.push_back(static_cast<char>(b));
  EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8(all)), all);
}

TEST(Cp1251, TerminalTextIsUtf8) {
  EXPECT_EQ(Cp1251ToUtf8("\xCE\xEA"), "Ок");
  EXPECT_EQ(Cp1251ToUtf8("\xB9"), "№");
}

TEST(Cp1251, CharactersOutsideTheCodePageBecomeQuestionMarks) {
  EXPECT_EQ(Utf8ToCp1251("a中b"), "a?b");
  EXPECT_EQ(Utf8ToCp1251("\xFF"), "?");       // not UTF-8 at all
  EXPECT_EQ(Utf8ToCp1251("\xD0"), "?");       // cut sequence
}

}  // namespace
}  // namespace zt
