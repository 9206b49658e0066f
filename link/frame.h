// The recorder's frames: the 16-bit checksum, the seven commands and their
// replies, and the texts of the recorder's error flags. Pure functions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/clock.h"

namespace zt::link {

enum class CommandType : std::uint8_t {
  None = 0,
  Identify = 1,
  ReadPage = 2,
  Password = 3,
  SetClock = 4,
  WriteEnterprise = 5,
  WriteBranch = 6,
  WriteMeter = 7,
};

inline constexpr std::size_t kChecksumSize = 2;
// First byte + checksum around a reply's payload.
inline constexpr std::size_t kReplyOverhead = 3;
inline constexpr std::uint16_t kLastPage = 511;

// The input with the two's complement of its 16-bit sum appended, low byte first.
std::string FrameChecksum(std::string_view bytes);
// True when the last two bytes are the checksum of the rest.
bool ChecksumMatches(std::string_view frame);

// The text of the highest of the five known error bits; "" when none is set.
std::string_view DeviceErrorText(std::uint8_t errorByte);

// Length of the whole reply a command waits for: 67 for Identify and Read page,
// 3 for the clock and text writes, 0 for Password (any reply will do).
std::size_t ReplyLength(CommandType type);

// What the commands carry besides their fixed bytes.
struct CommandInputs {
  std::uint16_t page = 0;            // Read page
  std::uint16_t passwordNumber = 0;  // Password
  std::string enterprise;            // Write enterprise (Windows-1251)
  std::string branch;                // Write branch
  std::string meter;                 // Write meter
};

// The payload of a command, without the checksum; "" for CommandType::None.
// `now` is used by Set clock only.
std::string CommandPayload(CommandType type, const CommandInputs& inputs, const LocalDateTime& now);

}  // namespace zt::link
