#include "link/frame.h"

#include <gtest/gtest.h>

#include "core/cp1251.h"
#include "link/payloads.h"
#include "tests/link/hex.h"

namespace zt::link {
namespace {

using fake::Hex;

struct ChecksumCase {
  const char* payload;
  const char* frame;
};

TEST(FrameChecksum, AppendsTheNegatedSumLowByteFirst) {
  const ChecksumCase cases[] = {
      {"", "00 00"},
      {"00 00", "00 00 00 00"},
      {"20 01", "20 01 DF FF"},
      {"21 FF", "21 FF E0 FE"},
      {"20 FF", "20 FF E1 FE"},
      {"FF FF FF", "FF FF FF 03 FD"},  // 0x2FD wraps to 0xFD03
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FrameChecksum(Hex(c.payload)), Hex(c.frame)) << c.payload;
    EXPECT_TRUE(ChecksumMatches(Hex(c.frame))) << c.frame;
  }
}

TEST(FrameChecksum, MismatchesAreSeen) {
  EXPECT_FALSE(ChecksumMatches(Hex("20 01 DF FE")));
  EXPECT_FALSE(ChecksumMatches(Hex("20 01 FF DF")));
  EXPECT_FALSE(ChecksumMatches(Hex("00")));
  EXPECT_FALSE(ChecksumMatches(""));
}

TEST(DeviceErrorText, HighestKnownBitWins) {
  const struct {
    unsigned byte;
    std::string_view text;
  } cases[] = {
      {0x00, ""},
      {0x01, "ошибочная команда"_cp},
      {0x02, "ошибка контрольной суммы"_cp},
      {0x03, "ошибка контрольной суммы"_cp},
      {0x04, "неверный параметр"_cp},
      {0x08, "ошибка записи во флеш"_cp},
      {0x10, "ошибка чтения"_cp},
      {0x1F, "ошибка чтения"_cp},
      {0x25, "неверный параметр"_cp},
      {0x20, ""},
      {0xE0, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(DeviceErrorText(static_cast<std::uint8_t>(c.byte)), c.text) << c.byte;
}

TEST(ReplyLength, ByCommand) {
  EXPECT_EQ(ReplyLength(CommandType::Identify), 67u);
  EXPECT_EQ(ReplyLength(CommandType::ReadPage), 67u);
  EXPECT_EQ(ReplyLength(CommandType::Password), 0u);
  for (auto t : {CommandType::SetClock, CommandType::WriteEnterprise, CommandType::WriteBranch, CommandType::WriteMeter})
    EXPECT_EQ(ReplyLength(t), 3u);
}

std::string FrameOf(CommandType type, const CommandInputs& in, const LocalDateTime& now = {}) {
  return FrameChecksum(CommandPayload(type, in, now));
}

TEST(CommandFrames, FixedAndPageFrames) {
  CommandInputs in;
  EXPECT_EQ(FrameOf(CommandType::Identify, in), Hex("00 00 00 00"));
  const struct {
    std::uint16_t page;
    const char* frame;
  } pages[] = {{0, "20 00 E0 FF"}, {1, "20 01 DF FF"}, {255, "20 FF E1 FE"}, {256, "21 00 DF FF"}, {511, "21 FF E0 FE"}};
  for (const auto& p : pages) {
    in.page = p.page;
    EXPECT_EQ(FrameOf(CommandType::ReadPage, in), Hex(p.frame)) << p.page;
  }
  EXPECT_EQ(CommandPayload(CommandType::None, in, {}), "");
}

TEST(CommandFrames, PasswordCarriesTheNumberLowByteFirst) {
  CommandInputs in;
  in.passwordNumber = 1234;  // 0x04D2
  const std::string frame = FrameOf(CommandType::Password, in);
  EXPECT_EQ(frame, Hex("80 18 80 18 5A A5 D2 04 FB FC"));
  EXPECT_EQ(frame.size(), 10u);
}

TEST(CommandFrames, SetClockFromTheGivenTime) {
  const LocalDateTime now{2024, 3, 5, 14, 7, 59};
  EXPECT_EQ(FrameOf(CommandType::SetClock, {}, now), Hex("80 21 80 21 F8 07 0E 05 03 18 91 FD"));
}

TEST(CommandFrames, TextWritesAreThirtyCharactersBetweenCodeAndZeros) {
  CommandInputs in;
  in.enterprise = "ABC";
  const std::string frame = FrameOf(CommandType::WriteEnterprise, in);
  EXPECT_EQ(frame, Hex("80 84 41 42 43") + std::string(27, ' ') + Hex("00 00 D6 FA"));
  EXPECT_EQ(frame.size(), 36u);

  in.branch = std::string(45, 'x');
  in.meter = "";
  const std::string branch = FrameOf(CommandType::WriteBranch, in);
  EXPECT_EQ(branch.substr(0, 2), Hex("80 85"));
  EXPECT_EQ(branch.substr(2, 30), std::string(30, 'x'));
  const std::string meter = FrameOf(CommandType::WriteMeter, in);
  EXPECT_EQ(meter.substr(0, 2), Hex("80 86"));
  EXPECT_EQ(meter.substr(2, 30), std::string(30, ' '));
  EXPECT_EQ(meter.substr(32, 2), Hex("00 00"));
  EXPECT_TRUE(ChecksumMatches(branch));
  EXPECT_TRUE(ChecksumMatches(meter));
}

TEST(TextPayload, FitsToThirty) {
  EXPECT_EQ(TextPayload(""), std::string(30, ' '));
  const std::string thirty = "123456789012345678901234567890";
  EXPECT_EQ(TextPayload(thirty), thirty);
  EXPECT_EQ(TextPayload(thirty + "ABCDEFGHIJKLMNO"), thirty);
  EXPECT_EQ(TextPayload(std::string_view("-\"-")), std::string(std::string_view("-\"-")) + std::string(27, ' '));
  // Windows-1251: one byte a character.
  const std::string_view cyrillic = "Газпром"_cp;
  EXPECT_EQ(TextPayload(cyrillic), std::string(cyrillic) + std::string(23, ' '));
}

TEST(ClockPayload, PlainBinaryFields) {
  EXPECT_EQ(ClockPayload(LocalDateTime{2026, 12, 7, 14, 5, 0}), Hex("FA 05 0E 07 0C 1A"));
  EXPECT_EQ(ClockPayload(LocalDateTime{2000, 1, 1, 0, 0, 0}), Hex("FF 00 00 01 01 00"));
  EXPECT_EQ(ClockPayload(LocalDateTime{2031, 11, 24, 23, 59, 30}), Hex("C4 3B 17 18 0B 1F"));
  // A two-digit year is already the offset from 2000.
  EXPECT_EQ(ClockPayload(LocalDateTime{24, 3, 5, 14, 7, 0}), Hex("F8 07 0E 05 03 18"));
  FixedClock clock(LocalDateTime{2024, 3, 5, 14, 7, 0});
  EXPECT_EQ(ClockPayload(clock), Hex("F8 07 0E 05 03 18"));
}

}  // namespace
}  // namespace zt::link
