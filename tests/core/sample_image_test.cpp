#include "core/sample_image.h"

#include <gtest/gtest.h>

#include "core/device_image.h"

namespace zt {
namespace {

std::uint32_t StampAt(const std::string& image, std::size_t at) {
  return static_cast<unsigned char>(image[at]) | static_cast<unsigned char>(image[at + 1]) << 8 |
         static_cast<unsigned char>(image[at + 2]) << 16;
}

TEST(SampleImage, SameSeedSameBytes) {
  EXPECT_EQ(GenerateSampleImage(7), GenerateSampleImage(7));
  EXPECT_NE(GenerateSampleImage(7), GenerateSampleImage(8));
  EXPECT_EQ(GenerateSampleImage(7).size(), kImageSize);
}

class SampleImageSeeds : public ::testing::TestWithParam<std::uint64_t> {};

TEST_P(SampleImageSeeds, HoldsWhatADeviceWouldHold) {
  SampleFacts facts;
  const std::string image = GenerateSampleImage(GetParam(), &facts);
  const std::string_view block = std::string_view(image).substr(kParameterBlock.start, kParameterBlock.size);
  DecodedImage decoded;
  ASSERT_TRUE(DecodeParameterBlock(block, decoded));
  EXPECT_EQ(decoded.header[kHeaderVersion].substr(0, 7), " Vorqel");
  EXPECT_EQ(decoded.sensorMask, facts.sensorMask);
  for (std::size_t f : {param::kEnterprise, param::kBranch, param::kMeter}) {
    const TextFieldCheck text = CheckTextField(block, f);
    EXPECT_TRUE(text.valid);
    EXPECT_TRUE(std::any_of(text.text.begin(), text.text.end(), [](char c) { return c & 0x80; })) << "Cyrillic";
  }

  // The time archive wrapped: its newest record sits mid-archive, the one after it is erased.
  const std::size_t last = decoded.lastTimeIndex;
  ASSERT_GT(last, 0u);
  ASSERT_LT(last, 2047u);
  EXPECT_TRUE(CheckRecord(image, last * 8).present);
  EXPECT_EQ(image.substr((last + 1) * 8, 8), std::string(8, '\xFF'));
  EXPECT_GT(StampAt(image, last * 8), StampAt(image, 2047 * 8));

  int control = 0, clock = 0, both = 0, change = 0, broken = 0, backwards = 0;
  std::uint32_t previous = 0;
  for (std::size_t i = 0; i < kOperationalArchive.count; ++i) {
    const std::size_t at = kOperationalArchive.start + i * 8;
    if (image.substr(at, 8) == std::string(8, '\xFF')) continue;
    if (!CheckRecord(image, at).present) {
      ++broken;
      continue;
    }
    const auto flags = static_cast<unsigned char>(image[at + 7]) & 0xC0;
    control += flags == 0x80;
    clock += flags == 0x40;
    both += flags == 0xC0;
    change += flags == 0;
    backwards += StampAt(image, at) < previous;
    previous = StampAt(image, at);
  }
  EXPECT_GT(control, 0);
  EXPECT_GT(clock, 0);
  EXPECT_GT(both, 0);
  EXPECT_GT(change, 100);
  EXPECT_GT(broken, 0);
  EXPECT_GE(backwards, 1) << "the clock was set back once";
  EXPECT_EQ(image.substr(kOperationalArchive.start + (decoded.lastOperIndex + 1) * 8, 8), std::string(8, '\xFF'));
}

INSTANTIATE_TEST_SUITE_P(Seeds, SampleImageSeeds, ::testing::Values(1, 2, 3, 1000, 0xFFFFFFFFull));

}  // namespace
}  // namespace zt
