#include "sim/fault_schedule.h"

#include <charconv>
#include <string>
#include <vector>

#include "link/frame.h"

namespace zt::sim {
namespace {

std::vector<std::string_view> Fields(std::string_view text) {
  std::vector<std::string_view> fields;
  std::size_t from = 0;
  for (;;) {
    const std::size_t colon = text.find(':', from);
    fields.push_back(text.substr(from, colon - from));
    if (colon == std::string_view::npos) return fields;
    from = colon + 1;
  }
}

// A decimal or 0x-prefixed hexadecimal number no larger than `max`.
std::optional<std::size_t> Number(std::string_view text, std::size_t max) {
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    text.remove_prefix(2);
    base = 16;
  }
  std::size_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (text.empty() || ec != std::errc{} || end != text.data() + text.size() || value > max) return std::nullopt;
  return value;
}

constexpr std::size_t kAnyCount = 1'000'000'000;
// A minute: far beyond any time-out of the link.
constexpr std::size_t kLongestLateMs = 60'000;

}  // namespace

bool ParseFault(std::string_view text, FaultSchedule& schedule) {
  const auto f = Fields(text);
  const std::string_view name = f[0];
  if (name == "lead-ff" && f.size() == 1) {
    schedule.leadingFF = true;
    return true;
  }
  if (name == "error" && f.size() == 3) {
    const auto n = Number(f[1], kAnyCount);
    const auto code = Number(f[2], 0xFF);
    if (!n || *n == 0 || !code) return false;
    schedule.errorReplies[*n] = static_cast<std::uint8_t>(*code);
    return true;
  }
  if (name == "late" && f.size() == 3) {
    const auto page = Number(f[1], link::kLastPage);
    const auto ms = Number(f[2], kLongestLateMs);
    if (!page || !ms) return false;
    schedule.latePages.emplace(static_cast<std::uint16_t>(*page), static_cast<std::uint32_t>(*ms));
    return true;
  }
  if (f.size() != 2) return false;
  if (name == "drop-page") {
    const auto page = Number(f[1], link::kLastPage);
    if (!page) return false;
    schedule.dropPages.insert(static_cast<std::uint16_t>(*page));
    return true;
  }
  const auto n = Number(f[1], kAnyCount);
  if (!n) return false;
  if (name == "corrupt" && *n > 0) {
    schedule.corruptReplies.insert(*n);
  } else if (name == "split" && *n > 0) {
    schedule.splitSize = *n;
  } else if (name == "silence-after") {
    schedule.silenceAfter = *n;
  } else if (name == "vanish-after") {
    schedule.vanishAfter = *n;
  } else {
    return false;
  }
  return true;
}

}  // namespace zt::sim
