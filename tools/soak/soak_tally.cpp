#include "tools/soak/soak_tally.h"

#include <algorithm>
#include <cstdio>

namespace zt::soak {

void SoakTally::Add(const RunPlan& plan, const Verdict& verdict, double seconds) {
  ++runs_;
  ++bauds_[plan.baud];
  if (plan.mustSucceed) ++mustSucceed_;
  faults_ += plan.faults.size();
  bytesLost_ += verdict.bytesLost;
  longest_ = std::max(longest_, seconds);
  ++outcomes_[verdict.outcome];
  if (verdict.defect != Defect::None) ++defects_[verdict.defect];
}

std::size_t SoakTally::Defects() const {
  std::size_t n = 0;
  for (const auto& [defect, count] : defects_) n += count;
  return n;
}

void SoakTally::Print(std::ostream& out, double wallSeconds) const {
  char line[160];
  std::snprintf(line, sizeof line, "schedules run: %zu (%zu faults, %zu without a fatal fault)\n", runs_, faults_,
                mustSucceed_);
  out << line << "line:";
  for (const auto& [baud, count] : bauds_) out << ' ' << count << (baud == 0 ? " unpaced" : " at " + std::to_string(baud));
  out << '\n';
  std::snprintf(line, sizeof line, "time: %.1f s, longest run %.1f s\n", wallSeconds, longest_);
  out << line;
  out << "\noutcome                                      runs\n";
  for (const auto& [outcome, count] : outcomes_) {
    std::snprintf(line, sizeof line, "  %-42s %5zu\n", outcome.c_str(), count);
    out << line;
  }
  out << "\ndefect                                       runs\n";
  for (const Defect d : {Defect::BytesLost, Defect::Hang, Defect::Crash, Defect::WrongExit, Defect::LeftoverFile,
                         Defect::FailedWithoutCause, Defect::Simulator}) {
    const auto found = defects_.find(d);
    std::snprintf(line, sizeof line, "  %-42s %5zu\n", DefectName(d).c_str(), found == defects_.end() ? 0 : found->second);
    out << line;
  }
  std::snprintf(line, sizeof line, "\nbytes lost: %zu\n", bytesLost_);
  out << line;
}

}  // namespace zt::soak
