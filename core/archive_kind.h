// Which of the recorder's two archives: the time archive of hourly records or
// the operational archive of events, numbered as the recorder's tools number them.
#pragma once

#include <cstdint>

namespace zt {

enum class ArchiveKind : std::uint8_t { Time = 1, Operational = 2 };

}  // namespace zt
