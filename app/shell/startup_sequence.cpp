#include "app/shell/startup_sequence.h"

#include <utility>

#include "app/shell/regional_flag.h"

namespace zt::shell {
namespace {

constexpr std::array<StartupStep, kStartupStepCount> kOrder = {
    StartupStep::ResetIdentification, StartupStep::ProgramFolder, StartupStep::ProcessFormats,
    StartupStep::DateFormats,         StartupStep::PrintSettings, StartupStep::RegionalFlag,
    StartupStep::OperatorNames,       StartupStep::ScanLimit,     StartupStep::ClearDeviceRead,
    StartupStep::RememberedPort,      StartupStep::DeviceSearch,
};

constexpr std::array<std::string_view, kStartupStepCount> kNames = {
    "reset identification", "program folder", "process formats", "date formats",
    "print settings",       "regional flag",  "operator names",  "scan limit",
    "clear device read",    "remembered port", "device search",
};

std::size_t IndexOf(StartupStep step) { return static_cast<std::size_t>(step); }

}  // namespace

std::span<const StartupStep> StartupOrder() { return kOrder; }

std::string_view StartupStepName(StartupStep step) { return kNames[IndexOf(step)]; }

void StartupSequence::Set(StartupStep step, std::function<void()> action) { actions_[IndexOf(step)] = std::move(action); }

bool StartupSequence::Has(StartupStep step) const { return static_cast<bool>(actions_[IndexOf(step)]); }

void StartupSequence::Run() const {
  for (StartupStep step : kOrder)
    if (const auto& action = actions_[IndexOf(step)]) action();
}

void AddStateSteps(StartupSequence& sequence, AppState& state, link::SearchSettings& search,
                   std::filesystem::path programFolder) {
  sequence.Set(StartupStep::ResetIdentification, [&state] {
    state.identificationText = std::string(kDitto);
    state.serialNumberText = std::string(kDitto);
  });
  sequence.Set(StartupStep::ProgramFolder,
               [&state, folder = std::move(programFolder)] { state.files = WorkingFiles(folder); });
  sequence.Set(StartupStep::RegionalFlag, [&state] { state.regionalFlag = LoadRegionalFlag(state.files); });
  sequence.Set(StartupStep::ScanLimit, [&state, &search] { search.scanLimit = link::ReadScanLimit(state.files); });
  sequence.Set(StartupStep::ClearDeviceRead, [&state] { state.deviceRead = false; });
  sequence.Set(StartupStep::RememberedPort, [&state, &search] { link::ReadRememberedPort(state.files, search); });
}

}  // namespace zt::shell
