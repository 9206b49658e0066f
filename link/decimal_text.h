// Whole numbers typed by the operator or kept in the working files.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace zt::link {

// An optional minus sign and at least one digit, nothing else, within the
// 32-bit signed range.
std::optional<std::int32_t> DecimalInt32(std::string_view text);

}  // namespace zt::link
