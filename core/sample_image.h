// A realistic, deterministic recorder memory image for demos, tests and the simulator.
#pragma once

#include <cstdint>
#include <string>

namespace zt {

// What a generated image holds, for tests that check against it.
struct SampleFacts {
  std::uint16_t serial = 0;
  std::uint16_t sensorMask = 0;
  std::uint16_t lastTimeIndex = 0;
  std::uint16_t lastOperIndex = 0;
  std::uint32_t clockMinutes = 0;
};

// 32768 bytes: a wrapped time archive, an operational archive with every kind of
// record and erased space after its last record, a few broken records, a clock
// set back once, and a valid parameter block with Cyrillic texts.
std::string GenerateSampleImage(std::uint64_t seed, SampleFacts* facts = nullptr);

}  // namespace zt
