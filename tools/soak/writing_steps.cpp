#include "tools/soak/writing_steps.h"

#include "core/device_image.h"
#include "link/payloads.h"
#include "sim/recorder_memory.h"

namespace zt::soak {
namespace {

std::string OwnText(const std::string& image, std::size_t offset) {
  return image.substr(kParameterBlock.start + offset, link::kTextPayloadLength);
}

}  // namespace

std::vector<std::string> WritingSteps(const std::string& before, const WritingAsked& asked) {
  std::vector<std::string> steps{before};
  sim::RecorderMemory memory(before);
  if (asked.clockMinutes) {
    memory.SetClock(*asked.clockMinutes);
    steps.push_back(memory.Image());
  }
  const struct {
    const std::optional<std::string>& text;
    sim::TextField field;
    std::size_t offset;
  } texts[] = {{asked.enterprise, sim::TextField::Enterprise, param::kEnterprise},
               {asked.branch, sim::TextField::Branch, param::kBranch},
               {asked.meter, sim::TextField::Meter, param::kMeter}};
  for (const auto& t : texts) {
    memory.WriteText(t.field, t.text.value_or(OwnText(before, t.offset)));
    steps.push_back(memory.Image());
  }
  return steps;
}

}  // namespace zt::soak
