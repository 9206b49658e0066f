#include "core/conversions.h"

#include <gtest/gtest.h>

namespace zt {
namespace {

TEST(TimeStampText, MinutesSince2000) {
  const struct {
    std::uint8_t b0, b1, b2;
    const char* text;
  } cases[] = {
      {0x00, 0x00, 0x00, ""},
      {0x01, 0x00, 0x00, "01.01.2000 00:01"},
      {0xA0, 0x05, 0x00, "02.01.2000 00:00"},  // 1440
      {0xFF, 0xFF, 0xFF, "24.11.2031 20:15"},  // 16777215
      {0x3B, 0x00, 0x00, "01.01.2000 00:59"},  // 59
      {0x9F, 0x05, 0x00, "01.01.2000 23:59"},  // 1439
      // 29.02.2024 = day 8825 (24 years of 365 + 6 leap days + 59): 8825*1440 + 13*60 + 5 = 12708785 = 0xC1EBB1
      {0xB1, 0xEB, 0xC1, "29.02.2024 13:05"},
  };
  for (const auto& c : cases) EXPECT_EQ(TimeStampText(c.b0, c.b1, c.b2), c.text) << c.text;
}

TEST(NormaliseDateText, GroupsAndRange) {
  const struct {
    const char* in;
    bool valid;
    const char* out;
  } cases[] = {
      {"7.1.26", true, "07.01.2026"},
      {"00.05.2020", false, ""},
      {"15.13.2020", false, ""},
      {"31.12.1999", false, ""},
      {"25.11.2031", false, ""},
      {"24.11.2031", true, "24.11.2031"},
      {"01.01.2000", true, "01.01.2000"},
      {"123.4.2020", true, "12.04.2020"},
      {"31.04.2020", false, ""},  // no such day
      {"29.02.2024", true, "29.02.2024"},
      {"", false, ""},
      {"12.05", false, ""},          // no year
      {"1/2/2003/77", true, "01.02.2003"},
      {"1.2.100", true, "01.02.2010"},  // "20" + "100", cut to four
  };
  for (const auto& c : cases) {
    const NormalisedDate d = NormaliseDateText(c.in);
    EXPECT_EQ(d.valid, c.valid) << c.in;
    EXPECT_EQ(d.text, c.out) << c.in;
  }
}

TEST(NumberTexts, BlanksAnywhereAreRemoved) {
  EXPECT_TRUE(IsIntegerText(" 1 2 "));
  EXPECT_EQ(TextToInt(" 1 2 "), 12);
  EXPECT_FALSE(IsIntegerText(""));
  EXPECT_FALSE(IsIntegerText("   "));
  EXPECT_FALSE(IsIntegerText("1a"));
  EXPECT_TRUE(IsIntegerText("-5"));
  EXPECT_EQ(TextToInt("-5"), -5);
  EXPECT_EQ(TextToInt("x"), 0);
  EXPECT_EQ(TextToInt("-"), 0);
  EXPECT_EQ(TextToInt("1-2"), 0);
  EXPECT_EQ(TextToInt("99999999999"), 0);  // beyond 32 bits
  EXPECT_FALSE(IsUnsignedText("-5"));
  EXPECT_TRUE(IsUnsignedText(" 07 "));
  EXPECT_FALSE(IsUnsignedText(""));
  // Only spaces go; a tab is part of the text.
  EXPECT_EQ(WithoutSpaces(" HP  Laser\tJet "), "HPLaser\tJet");
  EXPECT_EQ(WithoutSpaces("   "), "");
}

TEST(ByteTexts, WordsHexAndControlCharacters) {
  EXPECT_EQ(BytesToWordLE(std::string("\x34\x12", 2)), 0x1234);
  EXPECT_EQ(WordToBytesLE(0x01FF), std::string("\xFF\x01", 2));
  EXPECT_EQ(WordToBytesLE(0), std::string(2, '\0'));
  EXPECT_EQ(HexDump(""), "");
  EXPECT_EQ(HexDump("\x80\x18"), "80 18 ");
  EXPECT_EQ(HexDump(std::string("\x00\x0a\xff", 3)), "00 0A FF ");
  EXPECT_EQ(StripControlChars(std::string("\x00\x01\x02" "A\x03\x0a\x0d" "B", 8)), "A\x03" "B");
  EXPECT_EQ(DigitsWithTimeSeparators("12-30 5"), "12:30:5");
}

TEST(ClockTexts, FromASetClock) {
  const FixedClock clock({2026, 12, 7, 9, 5, 3});
  EXPECT_EQ(NowText(clock), "07.12.2026 09:05:03");
  EXPECT_EQ(DateNowText(clock), "07.12.2026");
  EXPECT_EQ(TimeNowText(clock), "09:05:03");
  EXPECT_EQ(DateStampYYMMDD(clock), "261207");
  EXPECT_EQ(DefaultSaveName("00042", clock), "00042_261207");
  EXPECT_EQ(DefaultSaveName("-\"-", clock), "00000_261207");
  EXPECT_EQ(DefaultSaveName("1234567", clock), "12345_261207");
  const DateFormats f = InitDateFormats(clock);
  EXPECT_EQ(f.dateSeparator, '.');
  EXPECT_EQ(f.timeSeparator, ':');
}

}  // namespace
}  // namespace zt
