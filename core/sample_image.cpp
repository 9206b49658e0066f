#include "core/sample_image.h"

#include <algorithm>
#include <array>

#include "core/conversions.h"
#include "core/cp1251.h"
#include "core/device_image.h"

namespace zt {
namespace {

// splitmix64: the same sequence on every platform, unlike std distributions.
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  unsigned Below(unsigned n) { return static_cast<unsigned>(Next() % n); }
  bool OneIn(unsigned n) { return Below(n) == 0; }

 private:
  std::uint64_t state_;
};

void Put8(std::string& image, std::size_t at, unsigned v) { image[at] = static_cast<char>(v & 0xFF); }
void Put16(std::string& image, std::size_t at, unsigned v) {
  Put8(image, at, v);
  Put8(image, at + 1, v >> 8);
}
void Put24(std::string& image, std::size_t at, std::uint32_t v) {
  Put16(image, at, v);
  Put8(image, at + 2, v >> 16);
}

void PutRecord(std::string& image, std::size_t at, std::uint32_t minutes, std::array<unsigned, 4> data) {
  Put24(image, at, minutes);
  for (std::size_t i = 0; i < 4; ++i) Put8(image, at + 4 + i, data[i]);
  Put8(image, at + 3, RecordCheckByte(std::string_view(image).substr(at, kRecordSize)));
}

void BreakCheckByte(std::string& image, std::size_t at) {
  image[at + 3] = static_cast<char>(image[at + 3] ^ 0x5A);
}

void PutText(std::string& block, std::size_t at, std::string_view text) {
  std::string field(text.substr(0, 30));
  field.resize(30, ' ');
  field.push_back('\0');
  block.replace(at, field.size(), field);
  Put8(block, at + param::kTextLength, TextCheckByte(field));
}

constexpr std::array<std::string_view, 4> kEnterprises = {"ПАО \"Облгаз\""_cp, "ООО Газсбыт"_cp,
                                                          "Горгаз №3"_cp, "Райгаз"_cp};
constexpr std::array<std::string_view, 4> kBranches = {"Ветка Северная-2"_cp, "ГРП Заречный"_cp,
                                                       "Отвод на Лесное"_cp, "ШРП-17 Южный"_cp};
constexpr std::array<std::string_view, 4> kMeters = {"G25 №104577"_cp, "РГ-40 №2231"_cp, "G16 №88013"_cp,
                                                     "ЛГ-100 №517"_cp};
constexpr std::array<std::uint16_t, 4> kMasks = {0x000F, 0x003F, 0x00FF, 0x0FFF};

}  // namespace

std::string GenerateSampleImage(std::uint64_t seed, SampleFacts* facts) {
  Random rnd(seed);
  std::string image(kImageSize, '\xFF');
  SampleFacts f;
  f.serial = static_cast<std::uint16_t>(1 + rnd.Below(65000));
  f.sensorMask = kMasks[rnd.Below(kMasks.size())];

  // Time archive: more hours than slots, so it wrapped; the slots just ahead
  // of the newest record are erased, as the recorder erases before it writes.
  const unsigned slots = kTimeArchive.count;
  f.lastTimeIndex = static_cast<std::uint16_t>(600 + rnd.Below(800));
  const unsigned written = slots + f.lastTimeIndex + 1;
  const unsigned erased = 16 + rnd.Below(48);
  const unsigned setBackAt = written - 300 - rnd.Below(400);  // hour at which the clock went back
  // More than the longest gap between events, so the events after the correction
  // stamp earlier than the correction itself.
  const unsigned setBackBy = 480 + 60 * rnd.Below(4);
  const std::uint32_t start = static_cast<std::uint32_t>(DaysFromEpoch(2025, 1, 1) + rnd.Below(300)) * 1440 + 60 * rnd.Below(24);
  auto hourTime = [&](unsigned k) { return start + 60 * k - (k >= setBackAt ? setBackBy : 0); };
  unsigned sensors = rnd.Below(0x1000) & f.sensorMask;
  for (unsigned k = written - slots + erased; k < written; ++k) {
    if (rnd.OneIn(40)) sensors ^= 1u << rnd.Below(12);
    unsigned service = 0;
    if (rnd.OneIn(90)) service |= 0x10;  // connector opened
    if (rnd.OneIn(120)) service |= 0x20;  // interference
    if (rnd.OneIn(200)) service |= 0x80;  // control
    if (k == setBackAt) service |= 0x40;
    const unsigned field = rnd.OneIn(12) ? 1 + rnd.Below(60) : 0;
    const unsigned alarm = field > 0 || service & 0x30 ? rnd.Below(61) : 0;
    PutRecord(image, (k % slots) * kRecordSize, hourTime(k),
              {sensors & 0xFF, ((sensors >> 8) & 0x0F) | service, field, alarm});
  }

  // Operational archive: not wrapped; erased from just after the newest record.
  f.lastOperIndex = static_cast<std::uint16_t>(500 + rnd.Below(700));
  const std::uint32_t first = hourTime(written - slots + erased);
  const unsigned meanStep = (hourTime(written - 1) - first) / (f.lastOperIndex + 1u);
  std::uint32_t t = first + rnd.Below(60);
  unsigned state = sensors;
  const unsigned clockBackRecord = f.lastOperIndex / 2 + rnd.Below(f.lastOperIndex / 4);
  for (unsigned i = 0; i <= f.lastOperIndex; ++i) {
    t += meanStep / 2 + rnd.Below(meanStep);
    const std::size_t at = kOperationalArchive.start + i * kRecordSize;
    if (i == clockBackRecord) {
      const std::uint32_t corrected = t - setBackBy;
      PutRecord(image, at, t, {corrected & 0xFF, (corrected >> 8) & 0xFF, (corrected >> 16) & 0xFF, 0x40});
      t = corrected;
    } else if (i == clockBackRecord + 7) {
      const std::uint32_t corrected = t + 3;
      PutRecord(image, at, t, {rnd.Below(8), (corrected >> 8) & 0xFF, (corrected >> 16) & 0xFF, 0xC0});
    } else if (rnd.OneIn(15)) {
      PutRecord(image, at, t, {1 + rnd.Below(20), rnd.Below(256), rnd.Below(256), 0x80});
    } else {
      const unsigned before = state | (rnd.OneIn(6) ? 0x1000 : 0);
      state ^= (1u << rnd.Below(12)) & f.sensorMask;
      const unsigned after = state | (rnd.OneIn(8) ? 0x2000 : 0) | (rnd.OneIn(8) ? 0x1000 : 0);
      PutRecord(image, at, t, {before & 0xFF, before >> 8, after & 0xFF, after >> 8});
    }
  }

  // A few records that went bad in flash.
  for (int n = 0; n < 3; ++n) {
    BreakCheckByte(image, rnd.Below(slots) * kRecordSize);
    BreakCheckByte(image, kOperationalArchive.start + rnd.Below(f.lastOperIndex) * kRecordSize);
  }

  // Reserved area: something other than erased memory, carried through untouched.
  for (unsigned i = 0; i < kReservedArea.size; i += 64) Put8(image, kReservedArea.start + i, i / 64);

  std::string block(kParameterBlock.size, '\0');
  const std::string version = " Vorqel MFR-12 v" + std::to_string(2 + rnd.Below(2)) + "." + PadNumber(rnd.Below(30), 2);
  block.replace(param::kVersion, version.size(), version);
  Put16(block, param::kSerial, f.serial);
  Put16(block, param::kSensorMask, f.sensorMask);
  Put16(block, param::kLastTimeIndex, f.lastTimeIndex);
  Put16(block, param::kLastOperIndex, f.lastOperIndex);
  f.clockMinutes = std::max(hourTime(written - 1), t) + 1 + rnd.Below(59);
  Put24(block, param::kClock, f.clockMinutes);
  Put16(block, param::kChecksum, ParameterChecksum(block));
  for (std::size_t i = 64; i < 128; ++i) Put8(block, i, 0xFF);
  PutText(block, param::kEnterprise, kEnterprises[rnd.Below(kEnterprises.size())]);
  PutText(block, param::kBranch, kBranches[rnd.Below(kBranches.size())]);
  PutText(block, param::kMeter, kMeters[rnd.Below(kMeters.size())]);
  image.replace(kParameterBlock.start, block.size(), block);

  if (facts) *facts = f;
  return image;
}

}  // namespace zt
