// Arbitrary texts as the regional flag file (Work/Type_Ru.000). The last line
// with anything left once blanks are removed decides; the input is also read
// as two files' texts joined, where the second one decides if it has such a line.
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/shell/regional_flag.h"
#include "fuzz/fuzz_check.h"

namespace {

using zt::fuzz::Require;
using zt::shell::RegionalFlagFromText;

std::uint8_t Flag(std::string_view text) {
  const std::uint8_t flag = RegionalFlagFromText(text);
  Require(RegionalFlagFromText(text) == flag);
  Require(RegionalFlagFromText(zt::fuzz::WithoutSpaces(text)) == flag);
  return flag;
}

// A text decides when no earlier line can change what it gives.
bool Decides(std::string_view text) {
  return RegionalFlagFromText("7\n" + std::string(text)) == RegionalFlagFromText("9\n" + std::string(text));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto [first, second] = zt::fuzz::CutInTwo(zt::fuzz::Bytes(data, size));
  const std::string joined = std::string(first) + "\n" + std::string(second);
  const std::uint8_t flag = Flag(joined);
  Require(flag == RegionalFlagFromText(Decides(second) ? second : first));
  // Lines after it: blank ones change nothing, a number decides, other text gives 0.
  Require(RegionalFlagFromText(joined + "\n  \n") == flag);
  Require(RegionalFlagFromText(joined + "\n 1 2\n") == 12);
  Require(RegionalFlagFromText(joined + "\n-1\n") == 255);
  Require(RegionalFlagFromText(joined + "\nx\n") == 0);
  return 0;
}
