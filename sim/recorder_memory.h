// The simulated recorder's 32 KiB memory and the changes its commands make:
// the clock in the parameter block (with the block checksum) and the three
// texts (each with its check byte).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/clock.h"

namespace zt::sim {

enum class TextField : std::uint8_t { Enterprise, Branch, Meter };

// The clock bytes of a Set clock frame: ~minute, minute, hour, day, month, year - 2000.
struct ClockBytes {
  std::uint8_t notMinute = 0xFF;
  std::uint8_t minute = 0;
  std::uint8_t hour = 0;
  std::uint8_t day = 1;
  std::uint8_t month = 1;
  std::uint8_t year = 0;
};

// Minutes since 01.01.2000 00:00 of a valid date and time the 24-bit stamp can
// hold; none for anything else (a minute not matching its complement included).
std::optional<std::uint32_t> ClockMinutes(const ClockBytes& clock);

class RecorderMemory {
 public:
  // An image shorter than 32768 bytes is padded with erased memory (0xFF);
  // a longer one is cut.
  explicit RecorderMemory(std::string image);

  const std::string& Image() const { return image_; }
  // The first 64 bytes of the parameter block, as Identify answers them.
  std::string IdentifyPayload() const;
  // 64 bytes at page * 64; the caller keeps the page below 512.
  std::string Page(std::uint16_t page) const;

  // The 24-bit clock stamp at parameter offset 48.
  std::uint32_t Clock() const;
  // Stores the stamp and renews the block checksum.
  void SetClock(std::uint32_t minutes);
  // Replaces the first 30 bytes of the field (the 31st is kept) and renews its check byte.
  void WriteText(TextField field, std::string_view text30);

 private:
  std::size_t ParameterOffset(std::size_t offset) const;

  std::string image_;
};

}  // namespace zt::sim
