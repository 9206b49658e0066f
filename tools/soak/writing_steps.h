// What the recorder must hold after each command of a writing: the clock (when
// set), then the enterprise, branch and meter texts. A text not given is the
// recorder's own, written back unchanged.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zt::soak {

struct WritingAsked {
  std::optional<std::string> enterprise;  // Windows-1251; none: the recorder's own
  std::optional<std::string> branch;
  std::optional<std::string> meter;
  std::optional<std::uint32_t> clockMinutes;  // none: the clock is not set
};

// [0] the memory before the writing, [i] after its i-th command.
std::vector<std::string> WritingSteps(const std::string& before, const WritingAsked& asked);

}  // namespace zt::soak
