// The judgement of one soak run from what it left: a success holds exactly
// the recorder's memory (a reading) or exactly what was asked (a writing); a
// failure exits with one of the documented codes after the program's message
// and leaves every file as it was; nothing hangs, nothing dies of a signal,
// no temporary file stays behind.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tools/soak/soak_plan.h"
#include "tools/soak/spawned_program.h"

namespace zt::soak {

struct RunEvidence {
  bool simStarted = false;
  ProgramEnd zt;
  std::string ztErrors;  // its stderr
  ProgramEnd sim;
  std::string simErrors;
  std::string memory;                          // the recorder's memory before the run
  std::optional<std::string> memoryAfter;      // the simulator's image file after it
  std::optional<std::string> imageBefore;      // Work/cur_Rep.000
  std::optional<std::string> imageAfter;
  std::optional<std::string> outputBefore;     // the -o file
  std::optional<std::string> outputAfter;
  std::vector<std::string> leftovers;          // temporary files left in the run's folders
  // The PC clock in recorder minutes just before and just after zt ran.
  std::uint32_t clockFrom = 0;
  std::uint32_t clockTo = 0;
};

enum class Defect : std::uint8_t {
  None,
  BytesLost,         // a success that is not the memory or the request, or a failure that changed a file
  Hang,              // zt or the simulator killed at the deadline
  Crash,             // ended by a signal
  WrongExit,         // a code not documented for the failure, or no message with it
  LeftoverFile,      // a temporary file stayed behind
  FailedWithoutCause,  // a schedule the program must ride out ended in a failure
  Simulator,         // the simulator did not start or could not save
};

struct Verdict {
  std::string outcome;  // "read: done (0)", "read: no reply to a page (23)", ...
  Defect defect = Defect::None;
  std::size_t bytesLost = 0;
  std::string detail;
};

Verdict Judge(const RunPlan& plan, const RunEvidence& evidence);

std::string DefectName(Defect defect);

}  // namespace zt::soak
