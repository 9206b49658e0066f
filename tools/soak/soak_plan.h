// One run of the fault soak, drawn from the soak's seed and the run's number:
// a reading or a writing by zt against zt-sim with a random fault schedule.
// The same seed and number always give the same plan, so any run can be
// repeated alone.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zt::soak {

enum class Operation : std::uint8_t { Read, Write };

struct RunPlan {
  std::size_t number = 0;
  Operation operation = Operation::Read;
  std::uint64_t imageSeed = 0;     // the recorder's memory, a generated sample
  std::uint16_t password = 0;      // the recorder's
  std::string passwordGiven;       // what zt is told
  int baud = 0;                    // the simulator's pace; 0 unpaced
  std::vector<std::string> faults;  // --fault values
  // What the program folder and the output held before the run; none: absent.
  std::optional<std::uint64_t> previousImageSeed;
  std::optional<std::string> previousOutput;
  // Writing: the texts given (UTF-8) and the clock.
  std::optional<std::string> enterprise;
  std::optional<std::string> branch;
  std::optional<std::string> meter;
  bool setClock = false;
  // No fault in the schedule that the program cannot ride out.
  bool mustSucceed = true;

  bool ReadsFirst() const { return operation == Operation::Read || !(enterprise && branch && meter); }
};

struct PlanSettings {
  std::uint64_t seed = 1;
  std::size_t pacedEvery = 20;  // every Nth run is paced at 38400 baud; 0 never (half of the rest run fast-paced)
};

RunPlan MakePlan(const PlanSettings& settings, std::size_t number);

}  // namespace zt::soak
