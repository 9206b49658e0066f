// What a writing run left in the recorder, told to the operator when it
// stopped part-way: each command goes alone, so those acknowledged stay.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "link/frame.h"
#include "link/writing_run.h"

namespace zt::cli {

struct WriteOutcome {
  link::WriteCode code = link::WriteCode::Written;
  std::vector<link::CommandType> taken;         // acknowledged, in order
  std::optional<link::CommandType> unanswered;  // sent last, not acknowledged
  std::vector<link::CommandType> notSent;       // never sent (a clock not asked for is none of these)
};

// From the run at its end: the command it would issue next (4 .. 8), whether
// the last one issued was acknowledged, and whether the clock was to be set.
WriteOutcome WriteOutcomeOf(link::WriteCode code, std::uint16_t nextCommand, bool lastAcknowledged,
                            bool clockCorrection);

// "the recorder took --enterprise; it refused --branch; --meter was not sent; ...".
std::string PartWayText(const WriteOutcome& outcome);

}  // namespace zt::cli
