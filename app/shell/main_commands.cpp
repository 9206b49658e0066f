#include "app/shell/main_commands.h"

#include "app/shell/save_command.h"
#include "core/file_load.h"

namespace zt::shell {

void PrepareMainWindow(AppState& state, DecodedImage& image, ArchiveTables& tables, AutoRepeat& repeat) {
  state.deviceRead = false;
  state.imageHoldsShownData = false;
  repeat.Clear();
  PrepareLoad(image, tables);
}

void PrepareShownData(AppState& state, DecodedImage& image, ArchiveTables& tables,
                      const std::filesystem::path& dataFile) {
  state.currentDataFile = dataFile;
  state.imageHoldsShownData = false;
  PrepareLoad(image, tables);
}

void LoadEnded(AppState& state, const FileLoad& load) { state.imageHoldsShownData = load.ImageHoldsData(); }

void ReadingStarted(AppState& state) { state.imageHoldsShownData = false; }

void ReadCommand(AppState& state) {
  state.operationMode = link::OperationMode::Reading;
  state.deviceRead = false;
}

bool WriteCommand(AppState& state, std::string_view serialHeaderText, Messages& messages) {
  if (!WriteAllowed(serialHeaderText, state.deviceRead, messages)) return false;
  state.operationMode = link::OperationMode::Writing;
  return true;
}

void OpenCommand(AppState& state) { state.deviceRead = false; }

}  // namespace zt::shell
