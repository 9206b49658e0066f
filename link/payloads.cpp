#include "link/payloads.h"

#include <cstdint>

namespace zt::link {

std::string TextPayload(std::string_view text) {
  std::string out(text.substr(0, kTextPayloadLength));
  out.resize(kTextPayloadLength, ' ');
  return out;
}

std::string ClockPayload(const LocalDateTime& now) {
  const int year = now.year > 99 ? now.year - 2000 : now.year;
  const auto byte = [](int v) { return static_cast<char>(static_cast<std::uint8_t>(v)); };
  return {byte(255 - now.minute), byte(now.minute), byte(now.hour), byte(now.day), byte(now.month), byte(year)};
}

std::string ClockPayload(const Clock& clock) { return ClockPayload(clock.Now()); }

}  // namespace zt::link
