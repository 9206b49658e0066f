#include "core/device_image.h"

namespace zt {
namespace {
std::uint8_t Byte(std::string_view s, std::size_t i) { return static_cast<std::uint8_t>(s[i]); }

// Up to `length` bytes from `offset`; nothing when the offset lies beyond the block.
std::string_view Slice(std::string_view block, std::size_t offset, std::size_t length) {
  return offset <= block.size() ? block.substr(offset, length) : std::string_view();
}
}  // namespace

std::uint8_t RecordCheckByte(std::string_view r) {
  unsigned sum = 0;
  for (std::size_t i = 0; i < kRecordSize; ++i)
    if (i != 3) sum += Byte(r, i);
  return static_cast<std::uint8_t>(0x100 - (sum & 0xFF));
}

std::uint8_t TextCheckByte(std::string_view text31) {
  unsigned sum = 0;
  for (std::size_t i = 0; i < param::kTextLength; ++i) sum += Byte(text31, i);
  return static_cast<std::uint8_t>(0x100 - (sum & 0xFF));
}

std::uint16_t ParameterChecksum(std::string_view block) {
  unsigned sum = 0;
  for (std::size_t i = 0; i < param::kChecksum; ++i) sum += Byte(block, i);
  return static_cast<std::uint16_t>(0x10000 - (sum & 0xFFFF));
}

RecordCheck CheckRecord(std::string_view block, std::size_t offset) {
  const std::string_view r = Slice(block, offset, kRecordSize);
  RecordCheck result;
  if (r.size() < kRecordSize) return result;
  result.data = std::string(r.substr(0, 3)).append(r.substr(4, 4));
  result.present = RecordCheckByte(r) == Byte(r, 3);
  if (!result.present) result.data.clear();
  return result;
}

TextFieldCheck CheckTextField(std::string_view block, std::size_t offset) {
  const std::string_view field = Slice(block, offset, param::kTextLength + 1);
  TextFieldCheck result;
  if (field.size() < param::kTextLength + 1) return result;
  result.valid = TextCheckByte(field) == Byte(field, param::kTextLength);
  const std::string_view text = field.substr(0, param::kTextLength);
  result.text = std::string(text.substr(0, text.find('\0')));
  return result;
}

std::uint16_t ReadWordLE(std::string_view block, std::size_t offset) {
  if (Slice(block, offset, 2).size() < 2) return 0;
  return static_cast<std::uint16_t>(Byte(block, offset) | (Byte(block, offset + 1) << 8));
}

std::uint8_t CountSensors(std::uint16_t mask) {
  std::uint8_t n = 0;
  for (int bit = 0; bit < 12; ++bit)
    if (mask & (1u << bit)) ++n;
  return n;
}

std::string ServiceBitsText(std::uint8_t byte) {
  std::string s;
  for (unsigned bit = 0x80; bit >= 0x10; bit >>= 1) s.push_back(byte & bit ? '1' : '0');
  return s;
}

std::string SensorStatesText(std::uint16_t state, std::uint16_t mask, std::uint8_t count) {
  const unsigned masked = state & mask;
  std::string s;
  for (int bit = count - 1; bit >= 0; --bit) s.push_back(masked & (1u << bit) ? '1' : '0');
  return s;
}

bool DecodeParameterBlock(std::string_view block, DecodedImage& image, const DateFormats& f) {
  if (block.size() < kParameterBlock.size) return false;
  if (static_cast<std::uint16_t>(ParameterChecksum(block)) != ReadWordLE(block, param::kChecksum)) return false;

  const std::string_view version = block.substr(param::kVersion, param::kVersionLength);
  image.header[kHeaderVersion] = std::string(version.substr(0, version.find('\0')));
  image.header[kHeaderSerial] = PadNumber(ReadWordLE(block, param::kSerial), 5);
  image.sensorMask = ReadWordLE(block, param::kSensorMask);
  image.sensorCount = CountSensors(image.sensorMask);
  image.header[kHeaderSensorCount] = std::to_string(image.sensorCount);
  image.lastTimeIndex = ReadWordLE(block, param::kLastTimeIndex);
  image.lastOperIndex = ReadWordLE(block, param::kLastOperIndex);
  image.header[kHeaderClock] = TimeStampText(Byte(block, param::kClock), Byte(block, param::kClock + 1),
                                             Byte(block, param::kClock + 2), f);
  const std::pair<std::size_t, HeaderField> texts[] = {
      {param::kEnterprise, kHeaderEnterprise}, {param::kBranch, kHeaderBranch}, {param::kMeter, kHeaderMeter}};
  for (const auto& [offset, field] : texts) {
    const TextFieldCheck t = CheckTextField(block, offset);
    if (t.valid) image.header[field] = t.text;
  }
  return true;
}

}  // namespace zt
