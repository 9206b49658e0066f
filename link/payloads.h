// The data bytes of the parameter writes: a text fitted to the recorder's
// 30-character field, and the recorder's clock setting from the PC clock.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/clock.h"

namespace zt::link {

inline constexpr std::size_t kTextPayloadLength = 30;
inline constexpr std::size_t kClockPayloadLength = 6;

// Exactly 30 Windows-1251 characters: padded on the right with blanks, or cut.
std::string TextPayload(std::string_view text);

// ~minute, minute, hour, day, month, year - 2000; plain binary.
std::string ClockPayload(const LocalDateTime& now);
std::string ClockPayload(const Clock& clock);

}  // namespace zt::link
