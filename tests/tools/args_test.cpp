#include "tools/zt/args.h"

#include <gtest/gtest.h>

namespace zt::cli {
namespace {

TEST(ParseNumber, DigitsOnly) {
  const struct {
    std::string text;
    std::optional<long long> value;
  } cases[] = {
      {"0", 0},
      {"007", 7},
      {"38400", 38400},
      {"9223372036854775807", 9223372036854775807LL},
      {"9223372036854775808", std::nullopt},  // beyond the range
      {"", std::nullopt},
      {"-1", std::nullopt},
      {"-0", std::nullopt},  // found by fuzz_args: taken for 0 before
      {"+5", std::nullopt},
      {" 5", std::nullopt},
      {"5 ", std::nullopt},
      {"5x", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseNumber(c.text), c.value) << c.text;
}

TEST(ParseArgs, OptionsFlagsAndPositionals) {
  std::string error;
  const auto args = ParseArgs({"in.zt", "--rows", "-5", "--short", "-"}, {"--rows"}, {"--short"}, error);
  ASSERT_TRUE(args) << error;
  EXPECT_EQ(args->positional, (std::vector<std::string>{"in.zt", "-"}));
  EXPECT_EQ(args->Get("--rows"), "-5");
  EXPECT_TRUE(args->Has("--short"));
  EXPECT_FALSE(args->Get("--seed"));
}

TEST(ParseArgs, ErrorsNameTheArgument) {
  const struct {
    std::vector<std::string> argv;
    std::string error;
  } cases[] = {
      {{"--rows"}, "option --rows needs a value"},
      {{"a", "--seed", "1"}, "unknown option --seed"},
      {{"-x"}, "unknown option -x"},
      {{"--rows", "1", "--rows", "2"}, "option --rows is given twice; give it once"},
  };
  for (const auto& c : cases) {
    std::string error;
    EXPECT_FALSE(ParseArgs(c.argv, {"--rows"}, {"--short"}, error));
    EXPECT_EQ(error, c.error);
  }
}

}  // namespace
}  // namespace zt::cli
