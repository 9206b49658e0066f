// Carries out one planned run in a folder of its own: the simulator on its
// image file (saved back after every change), zt reading or writing through
// its pseudo-terminal, both waited for with a deadline; then judges it.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/soak/run_verdict.h"
#include "tools/soak/soak_plan.h"

namespace zt::soak {

struct Programs {
  std::filesystem::path zt;
  std::filesystem::path sim;
};

// The two command lines of a run, for the report and to repeat it by hand.
std::vector<std::string> SimCommand(const RunPlan& plan, const Programs& programs, const std::filesystem::path& folder);
std::vector<std::string> ZtCommand(const RunPlan& plan, const Programs& programs, const std::filesystem::path& folder,
                                   const std::string& port);

struct RunResult {
  Verdict verdict;
  double seconds = 0;
};

RunResult CarryOut(const RunPlan& plan, const Programs& programs, const std::filesystem::path& folder,
                   std::chrono::seconds timeout);

}  // namespace zt::soak
