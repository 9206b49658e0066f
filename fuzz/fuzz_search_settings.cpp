// Arbitrary texts as the scan limit file (Work/Q_RS.000) and as the remembered
// port file (Work/ZT_RS.000). Both take their last usable line, so the input
// is also read as two files' texts joined: the second one's usable line wins.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_check.h"
#include "link/search_settings.h"

namespace {

using namespace zt::link;
using zt::fuzz::Require;

std::uint8_t ScanLimit(std::string_view text) {
  const std::uint8_t limit = ScanLimitFromText(text);
  Require(limit >= 1 && limit <= 99);
  Require(ScanLimitFromText(zt::fuzz::WithoutSpaces(text)) == limit);
  return limit;
}

SearchSettings Port(std::string_view text) {
  SearchSettings settings;
  RememberedPortFromText(text, settings);
  Require(settings.tryRemembered || settings.rememberedPort == 0);
  Require(!settings.tryRemembered || text.find_first_of("0123456789") != std::string_view::npos);
  SearchSettings spaceless;
  RememberedPortFromText(zt::fuzz::WithoutSpaces(text), spaceless);
  Require(spaceless.tryRemembered == settings.tryRemembered && spaceless.rememberedPort == settings.rememberedPort);
  // Untouched by the reader: they are the search's own.
  Require(settings.scanLimit == kDefaultScanLimit);
  return settings;
}

bool Same(const SearchSettings& a, const SearchSettings& b) {
  return a.tryRemembered == b.tryRemembered && a.rememberedPort == b.rememberedPort;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input = zt::fuzz::Bytes(data, size);
  const auto [first, second] = zt::fuzz::CutInTwo(input);
  const std::string joined = std::string(first) + "\n" + std::string(second);

  const std::uint8_t limit = ScanLimit(joined);
  const std::uint8_t secondLimit = ScanLimit(second);
  if (secondLimit != kDefaultScanLimit)
    Require(limit == secondLimit);
  else
    Require(limit == kDefaultScanLimit || limit == ScanLimit(first));
  const int chosen = size > 0 ? data[0] % 99 + 1 : 1;
  Require(ScanLimitFromText(joined + "\n" + std::to_string(chosen)) == chosen);
  Require(ScanLimitFromText(joined + "\n0\n100") == limit);

  const SearchSettings port = Port(joined);
  const SearchSettings secondPort = Port(second);
  Require(Same(port, secondPort.tryRemembered ? secondPort : Port(first)));
  // What the search writes back reads as the same port.
  if (port.tryRemembered) Require(Same(Port(RememberedPortText(port.rememberedPort)), port));
  Require(Same(Port(joined + "\n-1\nx\n"), port));
  return 0;
}
