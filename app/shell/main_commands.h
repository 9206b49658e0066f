// What the main window's commands do to the shared state before a window
// opens. The host opens the windows; these only change the state.
#pragma once

#include <filesystem>
#include <string_view>

#include "app/shell/app_state.h"
#include "app/shell/table_navigation.h"
#include "core/archive_table.h"
#include "core/device_image.h"
#include "core/file_load.h"
#include "core/messages.h"

namespace zt::shell {

// ShowMainWindow: device-read flag cleared, auto-repeat stopped, every header
// text the ditto mark, both tables reset. With identification the host then
// shows state.identificationText and state.serialNumberText in the version
// and serial-number labels.
void PrepareMainWindow(AppState& state, DecodedImage& image, ArchiveTables& tables, AutoRepeat& repeat);

// LoadIntoMainWindow before the load window: dataFile (empty: the image
// file) becomes the current data file; header and tables reset. The host then
// shows the identification texts and starts the deferred load.
void PrepareShownData(AppState& state, DecodedImage& image, ArchiveTables& tables,
                      const std::filesystem::path& dataFile);

// The load window has finished: the data shown are in the image file only
// after a complete load (and, for a saved file, its copy over the image file).
void LoadEnded(AppState& state, const FileLoad& load);

// The reading window's run has started: the image file is being replaced, so
// what is shown may not be saved until the next complete load.
void ReadingStarted(AppState& state);

// "ЧТЕНИЕ": operation mode 1 and the device-read flag cleared; then the
// password window.
void ReadCommand(AppState& state);

// "ЗАПИСЬ": false, with the error shown, unless this run has read the
// recorder (WriteAllowed); otherwise operation mode 2, then the password window.
bool WriteCommand(AppState& state, std::string_view serialHeaderText, Messages& messages);

// "ОТКРЫТЬ ФАЙЛ  *.zt", before the dialog: the device-read flag is cleared
// even if the dialog is then cancelled.
void OpenCommand(AppState& state);

}  // namespace zt::shell
