// Why a data file did not load, in words, for after the program's message.
#pragma once

#include <filesystem>
#include <string>

#include "core/file_load.h"

namespace zt::cli {

// "it is a folder; give a .zt file" and the like: what the file is and what
// to do, for a load that finished with code (anything but None).
std::string LoadFailureReason(const std::filesystem::path& path, LoadCode code);

}  // namespace zt::cli
