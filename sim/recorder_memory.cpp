#include "sim/recorder_memory.h"

#include "core/conversions.h"
#include "core/device_image.h"
#include "link/payloads.h"

namespace zt::sim {
namespace {

constexpr std::uint32_t kLargestStamp = 0xFFFFFF;
constexpr int kMinutesPerDay = 24 * 60;

int DaysInMonth(int year, int month) {
  const int next = month == 12 ? DaysFromEpoch(year + 1, 1, 1) : DaysFromEpoch(year, month + 1, 1);
  return next - DaysFromEpoch(year, month, 1);
}

std::size_t FieldOffset(TextField field) {
  switch (field) {
    case TextField::Enterprise: return param::kEnterprise;
    case TextField::Branch: return param::kBranch;
    case TextField::Meter: return param::kMeter;
  }
  return param::kEnterprise;
}

}  // namespace

std::optional<std::uint32_t> ClockMinutes(const ClockBytes& c) {
  if (static_cast<std::uint8_t>(~c.minute) != c.notMinute) return std::nullopt;
  if (c.minute > 59 || c.hour > 23 || c.month < 1 || c.month > 12 || c.day < 1) return std::nullopt;
  const int year = 2000 + c.year;
  if (c.day > DaysInMonth(year, c.month)) return std::nullopt;
  const long long minutes =
      static_cast<long long>(DaysFromEpoch(year, c.month, c.day)) * kMinutesPerDay + c.hour * 60 + c.minute;
  if (minutes > kLargestStamp) return std::nullopt;
  return static_cast<std::uint32_t>(minutes);
}

RecorderMemory::RecorderMemory(std::string image) : image_(std::move(image)) {
  image_.resize(kImageSize, '\xFF');
}

std::size_t RecorderMemory::ParameterOffset(std::size_t offset) const { return kParameterBlock.start + offset; }

std::string RecorderMemory::IdentifyPayload() const { return image_.substr(kParameterBlock.start, kPageSize); }

std::string RecorderMemory::Page(std::uint16_t page) const {
  return image_.substr(static_cast<std::size_t>(page) * kPageSize, kPageSize);
}

std::uint32_t RecorderMemory::Clock() const {
  const std::size_t at = ParameterOffset(param::kClock);
  return static_cast<std::uint32_t>(static_cast<unsigned char>(image_[at])) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(image_[at + 1])) << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(image_[at + 2])) << 16;
}

void RecorderMemory::SetClock(std::uint32_t minutes) {
  const std::size_t at = ParameterOffset(param::kClock);
  for (std::size_t i = 0; i < 3; ++i) image_[at + i] = static_cast<char>((minutes >> (8 * i)) & 0xFF);
  const std::string_view block = std::string_view(image_).substr(kParameterBlock.start, kParameterBlock.size);
  const std::string word = WordToBytesLE(ParameterChecksum(block));
  image_.replace(ParameterOffset(param::kChecksum), 2, word);
}

void RecorderMemory::WriteText(TextField field, std::string_view text30) {
  const std::size_t at = ParameterOffset(FieldOffset(field));
  image_.replace(at, link::kTextPayloadLength, link::TextPayload(text30));
  const std::string_view text31 = std::string_view(image_).substr(at, param::kTextLength);
  image_[at + param::kTextLength] = static_cast<char>(TextCheckByte(text31));
}

}  // namespace zt::sim
