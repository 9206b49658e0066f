// The zt search, read and write commands refuse what they cannot do before
// touching any port.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/zt/commands.h"

namespace zt::cli {
namespace {

constexpr int kUsage = 64;

TEST(DeviceCommandArgsTest, BadRequestsAreUsageErrors) {
  const struct {
    int (*run)(const CommandArgs&);
    CommandArgs args;
  } cases[] = {
      {RunSearch, {"--limit", "0"}},
      {RunSearch, {"--limit", "100"}},
      {RunSearch, {"--limit", "x"}},
      {RunSearch, {"COM1"}},
      {RunRead, {"--password", "1", "-o", "a.zt"}},
      {RunRead, {"--port", "COM1", "-o", "a.zt"}},
      {RunRead, {"--port", "COM1", "--password", "1"}},
      {RunRead, {"--port", "COM1", "--password", "1", "-o", "a.zt", "--baud", "14400"}},
      {RunRead, {"--port", "COM1", "--password", "1", "-o", "a.zt", "--speed", "9600"}},
      {RunWrite, {"--port", "COM1", "--password", "1"}},
      {RunWrite, {"--port", "COM1", "--password", "1", "--meter", "\xE6\x97\xA5"}},
      {RunWrite, {"--port", "COM1", "--enterprise", "A"}},
  };
  for (const auto& c : cases) {
    std::string joined;
    for (const auto& a : c.args) joined += a + ' ';
    EXPECT_EQ(c.run(c.args), kUsage) << joined;
  }
}

}  // namespace
}  // namespace zt::cli
