// What the windows share for the whole run: where the program lives, who the
// last search found, whether this run has read the recorder, and what is shown.
// One instance, owned by the start window and passed by reference.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "core/device_image.h"
#include "core/working_files.h"
#include "link/password_step.h"

namespace zt::shell {


struct AppState {
  // Every working file is addressed through it; set at start-up.
  WorkingFiles files{std::filesystem::path{}};
  // Of the last Identify reply; the ditto mark until a search found the recorder.
  std::string identificationText{kDitto};
  std::string serialNumberText{kDitto};
  // Set only by a complete reading run in this program run; writing needs it.
  bool deviceRead = false;
  // None until the first "ЧТЕНИЕ" or "ЗАПИСЬ".
  std::optional<link::OperationMode> operationMode;
  // The data file shown; empty means the image file Work/cur_Rep.000.
  std::filesystem::path currentDataFile;
  // The image file holds the data shown: only then may a save copy it. Set by
  // a complete load; cleared when the data shown are reset or a reading starts
  // (the image file is then no longer what is shown).
  bool imageHoldsShownData = false;
  std::uint8_t regionalFlag = 0;
};

}  // namespace zt::shell
