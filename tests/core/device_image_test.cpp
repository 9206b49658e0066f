#include "core/device_image.h"

#include <gtest/gtest.h>

#include "tests/core/image_builder.h"

namespace zt {
namespace {

TEST(CheckRecord, CheckByteAndDataString) {
  // 01 00 00 | FF | 00 00 00 00: 1 + 0xFF = 0x100.
  const std::string r("\x01\x00\x00\xFF\x00\x00\x00\x00", 8);
  const RecordCheck ok = CheckRecord(r, 0);
  EXPECT_TRUE(ok.present);
  EXPECT_EQ(ok.data, std::string("\x01\x00\x00\x00\x00\x00\x00", 7));
  EXPECT_TRUE(CheckRecord(std::string(8, '\0'), 0).present);  // passes; the zero stamp is the caller's test
  EXPECT_FALSE(CheckRecord(std::string(8, '\xFF'), 0).present);
  EXPECT_FALSE(CheckRecord(std::string("\x01\x00\x00\xFE\x00\x00\x00\x00", 8), 0).present);
  // 10 20 30 | ? | 01 02 03 04: sum 0x6A, check 0x96.
  const std::string block = std::string(8, '\xFF') + std::string("\x10\x20\x30\x96\x01\x02\x03\x04", 8);
  EXPECT_EQ(CheckRecord(block, 8).data, "\x10\x20\x30\x01\x02\x03\x04");
}

TEST(BlockReads, BeyondTheBlockReadAsAbsent) {
  // A record that would pass its check, then offsets that run past the end.
  const std::string r("\x01\x00\x00\xFF\x00\x00\x00\x00", 8);
  for (std::size_t offset : {std::size_t{1}, std::size_t{8}, std::size_t{9}, std::size_t{1000}}) {
    EXPECT_FALSE(CheckRecord(r, offset).present) << offset;
    EXPECT_EQ(CheckRecord(r, offset).data, "") << offset;
    EXPECT_FALSE(CheckTextField(std::string(32, '\0'), offset).valid) << offset;
  }
  EXPECT_EQ(ReadWordLE("\x34\x12", 0), 0x1234);
  EXPECT_EQ(ReadWordLE("\x34\x12", 1), 0);
  EXPECT_EQ(ReadWordLE("\x34\x12", 5), 0);
}

TEST(SensorTexts, CountServiceAndStates) {
  EXPECT_EQ(CountSensors(0x0FFF), 12);
  EXPECT_EQ(CountSensors(0xF00F), 4);
  EXPECT_EQ(CountSensors(0), 0);
  EXPECT_EQ(CountSensors(0x0005), 2);
  EXPECT_EQ(ServiceBitsText(0xA0), "1010");
  EXPECT_EQ(ServiceBitsText(0x30), "0011");
  EXPECT_EQ(ServiceBitsText(0x0F), "0000");
  EXPECT_EQ(SensorStatesText(0x0005, 0x000F, 4), "0101");
  EXPECT_EQ(SensorStatesText(0x0003, 0x0005, 2), "01");  // mask clears bit 1
  EXPECT_EQ(SensorStatesText(0x0FFF, 0x0005, 2), "01");
  EXPECT_EQ(SensorStatesText(0xFFFF, 0, 0), "");
  EXPECT_EQ(SensorStatesText(0x0801, 0x0FFF, 12), "100000000001");
}

TEST(DecodeParameterBlock, FillsTheHeaderInItsOrder) {
  test::ParameterFields f;
  f.version = " Vorqel v1";
  f.serial = 42;
  f.sensorMask = 0xF00F;
  f.lastTimeIndex = 1000;
  f.lastOperIndex = 77;
  f.clock = 1440;
  f.enterprise = std::string(30, ' ');
  f.branch = "\xC2\xE5\xF2\xEA\xE0";  // "Ветка"
  f.meter = "G25";
  DecodedImage image;
  ASSERT_TRUE(DecodeParameterBlock(test::ParameterBlock(f), image));
  EXPECT_EQ(image.header[kHeaderSerial], "00042");
  EXPECT_EQ(image.header[kHeaderSensorCount], "4");
  EXPECT_EQ(image.header[kHeaderVersion], " Vorqel v1");
  EXPECT_EQ(image.header[kHeaderEnterprise], std::string(30, ' '));
  EXPECT_EQ(image.header[kHeaderBranch], "\xC2\xE5\xF2\xEA\xE0");
  EXPECT_EQ(image.header[kHeaderMeter], "G25");
  EXPECT_EQ(image.header[kHeaderClock], "02.01.2000 00:00");
  EXPECT_EQ(image.sensorMask, 0xF00F);
  EXPECT_EQ(image.sensorCount, 4);
  EXPECT_EQ(image.lastTimeIndex, 1000);
  EXPECT_EQ(image.lastOperIndex, 77);
}

TEST(DecodeParameterBlock, EdgeValues) {
  test::ParameterFields f;
  f.serial = 65535;
  f.sensorMask = 0;
  f.clock = 0;
  DecodedImage image;
  ASSERT_TRUE(DecodeParameterBlock(test::ParameterBlock(f), image));
  EXPECT_EQ(image.header[kHeaderSerial], "65535");
  EXPECT_EQ(image.header[kHeaderSensorCount], "0");
  EXPECT_EQ(image.header[kHeaderClock], "");
}

TEST(DecodeParameterBlock, WrongChecksumChangesNothing) {
  std::string block = test::ParameterBlock({});
  block[36] = static_cast<char>(block[36] + 1);
  DecodedImage image;
  image.sensorMask = 0x1234;
  EXPECT_FALSE(DecodeParameterBlock(block, image));
  for (const auto& text : image.header) EXPECT_EQ(text, kDitto);
  EXPECT_EQ(image.sensorMask, 0x1234);
}

TEST(DecodeParameterBlock, BadTextCheckKeepsThePreviousText) {
  std::string block = test::ParameterBlock({});
  block[160 + 31] = static_cast<char>(block[160 + 31] + 1);  // branch check byte
  block[192] = 'X';                                        // meter text changed after its check
  DecodedImage image;
  ASSERT_TRUE(DecodeParameterBlock(block, image));
  EXPECT_EQ(image.header[kHeaderEnterprise], "Ent");
  EXPECT_EQ(image.header[kHeaderBranch], kDitto);
  EXPECT_EQ(image.header[kHeaderMeter], kDitto);
}

}  // namespace
}  // namespace zt
