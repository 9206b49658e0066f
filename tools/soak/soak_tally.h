// The soak's figures: runs, outcomes by kind, defects by kind, bytes lost.
#pragma once

#include <cstddef>
#include <map>
#include <ostream>
#include <string>

#include "tools/soak/run_verdict.h"
#include "tools/soak/soak_plan.h"

namespace zt::soak {

class SoakTally {
 public:
  void Add(const RunPlan& plan, const Verdict& verdict, double seconds);

  std::size_t Defects() const;
  // The summary table.
  void Print(std::ostream& out, double wallSeconds) const;

 private:
  std::size_t runs_ = 0;
  std::map<int, std::size_t> bauds_;
  std::size_t faults_ = 0;
  std::size_t mustSucceed_ = 0;
  std::size_t bytesLost_ = 0;
  double longest_ = 0;
  std::map<std::string, std::size_t> outcomes_;
  std::map<Defect, std::size_t> defects_;
};

}  // namespace zt::soak
