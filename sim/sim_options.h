// The zt-sim command line.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "sim/fault_schedule.h"
#include "sim/recorder_simulator.h"

namespace zt::sim {

inline constexpr int kDefaultSimBaud = 38400;

struct SimOptions {
  std::optional<std::filesystem::path> image;  // --image FILE
  std::optional<std::uint64_t> seed;           // --seed N
  std::uint16_t password = kDefaultPassword;   // --password N, low 16 bits
  int baud = kDefaultSimBaud;                  // --baud N, 0 unpaced
  std::optional<std::filesystem::path> link;   // --link PATH
  bool save = false;                           // --save: changes go back to the --image file
  FaultSchedule faults;                        // --fault KIND[:N], repeatable
};

struct SimOptionsResult {
  bool ok = false;
  SimOptions options;
  std::string error;
};

SimOptionsResult ParseSimOptions(const std::vector<std::string>& args);
std::string SimUsage();

}  // namespace zt::sim
