// The recorder's 32 KiB memory: its areas, its 8-byte archive records, the
// programmable parameters block and the decoded identity shared by everyone.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/archive_kind.h"
#include "core/conversions.h"
#include "core/cp1251.h"

namespace zt {

inline constexpr std::size_t kImageSize = 32768;
inline constexpr std::size_t kBlockSize = 1024;
inline constexpr std::size_t kRecordSize = 8;
inline constexpr std::size_t kRecordsPerBlock = kBlockSize / kRecordSize;
inline constexpr std::size_t kPageSize = 64;
inline constexpr std::size_t kPageCount = kImageSize / kPageSize;

struct MemoryArea {
  std::uint16_t start;
  std::uint16_t size;
  std::uint16_t recordSize;
  std::uint16_t count;
};
inline constexpr MemoryArea kTimeArchive{0x0000, 0x4000, 8, 2048};
inline constexpr MemoryArea kOperationalArchive{0x4000, 0x3000, 8, 1536};
inline constexpr MemoryArea kReservedArea{0x7000, 0x0F00, 0x0F00, 1};
inline constexpr MemoryArea kParameterBlock{0x7F00, 0x0100, 0x40, 4};
inline constexpr std::array<MemoryArea, 4> kMemoryAreas{kTimeArchive, kOperationalArchive, kReservedArea,
                                                       kParameterBlock};

inline constexpr std::size_t kTimeBlockCount = kTimeArchive.size / kBlockSize;                // 16
inline constexpr std::size_t kOperationalBlockCount = kOperationalArchive.size / kBlockSize;  // 12

// Offsets inside the parameter block.
namespace param {
inline constexpr std::size_t kVersion = 0;
inline constexpr std::size_t kVersionLength = 32;
inline constexpr std::size_t kSerial = 36;
inline constexpr std::size_t kSensorMask = 38;
inline constexpr std::size_t kLastTimeIndex = 40;
inline constexpr std::size_t kLastOperIndex = 42;
inline constexpr std::size_t kClock = 48;
inline constexpr std::size_t kChecksum = 62;
inline constexpr std::size_t kEnterprise = 128;
inline constexpr std::size_t kBranch = 160;
inline constexpr std::size_t kMeter = 192;
inline constexpr std::size_t kTextLength = 31;  // followed by its check byte
}  // namespace param

// The text of a value that is not there.
inline constexpr std::string_view kDitto = "-\"-";

// Service bits in the order of the service string (bit 15 first).
inline constexpr std::array<std::string_view, 4> kServiceShortTexts = {"контроль"_cp, "кор.врем."_cp,
                                                                       "вмешательст."_cp, "разомк."_cp};
inline constexpr std::array<std::string_view, 4> kServiceLongTexts = {
    "контроль"_cp, "кор.врем."_cp, "вмешательство в работу регистратора"_cp, "разомкнут разъем регистратора"_cp};

// Indices of the header field array.
enum HeaderField : std::size_t {
  kHeaderSerial = 0,
  kHeaderSensorCount,
  kHeaderVersion,
  kHeaderEnterprise,
  kHeaderBranch,
  kHeaderMeter,
  kHeaderClock,
  kHeaderFieldCount
};

struct DecodedImage {
  std::array<std::string, kHeaderFieldCount> header;
  std::uint16_t sensorMask = 0;
  std::uint8_t sensorCount = 0;
  std::uint16_t lastTimeIndex = 0;
  std::uint16_t lastOperIndex = 0;

  DecodedImage() { ResetHeader(); }
  void ResetHeader() { header.fill(std::string(kDitto)); }
  // The index of the newest record of the archive, as the parameter block gives it.
  std::uint16_t LastIndex(ArchiveKind kind) const { return kind == ArchiveKind::Time ? lastTimeIndex : lastOperIndex; }
};

struct RecordCheck {
  bool present = false;  // check byte right (the zero time stamp is tested apart)
  std::string data;      // bytes 0,1,2,4,5,6,7
};

// All take a block and an offset into it. Bytes beyond the block read as an
// absent record, an invalid text field and the word 0.
RecordCheck CheckRecord(std::string_view block, std::size_t offset);
struct TextFieldCheck {
  bool valid = false;
  std::string text;  // the 31 bytes up to the first zero byte
};
TextFieldCheck CheckTextField(std::string_view block, std::size_t offset);
std::uint16_t ReadWordLE(std::string_view block, std::size_t offset);

std::uint8_t CountSensors(std::uint16_t mask);
std::string ServiceBitsText(std::uint8_t byte);
// N characters for bits N-1 .. 0 of (state AND mask); N is the sensor count.
std::string SensorStatesText(std::uint16_t state, std::uint16_t mask, std::uint8_t count);

// On a wrong block checksum returns false and changes nothing.
bool DecodeParameterBlock(std::string_view block, DecodedImage& image, const DateFormats& f = {});

// Sum helpers shared by the writers of images (sample generator, simulator).
std::uint8_t RecordCheckByte(std::string_view record);
std::uint8_t TextCheckByte(std::string_view text31);
std::uint16_t ParameterChecksum(std::string_view block);

}  // namespace zt
