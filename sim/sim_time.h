// Time on the simulated line: nanoseconds of the monotonic clock.
#pragma once

#include <cstdint>

namespace zt::sim {

using Nanos = std::int64_t;

inline constexpr Nanos kNanosPerSecond = 1'000'000'000;
inline constexpr Nanos kNanosPerMilli = 1'000'000;
// A byte on the line: start bit, 8 data bits, stop bit.
inline constexpr int kBitsPerByte = 10;

// Time of one byte at the rate; 0 when unpaced (baud 0).
inline constexpr Nanos ByteTime(int baud) {
  return baud > 0 ? (kBitsPerByte * kNanosPerSecond + baud - 1) / baud : 0;
}

}  // namespace zt::sim
