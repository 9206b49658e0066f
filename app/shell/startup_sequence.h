// The start-up initialisation (the tInit_ZT tick, 50 ms after the start window
// was created): named steps in a fixed order, each an action the host or
// AddStateSteps supplies. A step without an action is passed over.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string_view>

#include "app/shell/app_state.h"
#include "link/search_settings.h"

namespace zt::shell {

enum class StartupStep : std::uint8_t {
  ResetIdentification,  // identification and serial-number texts := ditto mark
  ProgramFolder,        // every working file is found from here on
  ProcessFormats,       // host: "dd.MM.yyyy", ".", ":", "HH:mm", "HH:mm:ss"
  DateFormats,          // host: InitDateFormats
  PrintSettings,        // host: reset print settings, then load Work/FileInRS.000
  RegionalFlag,         // Work/Type_Ru.000
  OperatorNames,        // host: fill ComboBox_Oper from ReadOperatorNames
  ScanLimit,            // Work/Q_RS.000
  ClearDeviceRead,      // device-read flag := false
  RememberedPort,       // Work/ZT_RS.000
  DeviceSearch,         // host: OpenSearchWindow, modal
};
inline constexpr std::size_t kStartupStepCount = 11;

// Every step, in the order they run.
std::span<const StartupStep> StartupOrder();
std::string_view StartupStepName(StartupStep step);

class StartupSequence {
 public:
  void Set(StartupStep step, std::function<void()> action);
  bool Has(StartupStep step) const;
  // Each step that has an action, in StartupOrder.
  void Run() const;

 private:
  std::array<std::function<void()>, kStartupStepCount> actions_;
};

// The steps over the application state and the Work folder: identification,
// program folder, regional flag, scan limit, device-read flag, remembered
// port. They read the folder when they run, so the order above holds. The
// state and settings must outlive the sequence's Run.
void AddStateSteps(StartupSequence& sequence, AppState& state, link::SearchSettings& search,
                   std::filesystem::path programFolder = RunningProgramFolder());

}  // namespace zt::shell
