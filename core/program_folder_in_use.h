// The program folder of this process: the executable's folder, or the user's
// when the operator may not write there (core/program_folder.h).
#pragma once

#include <filesystem>

#include "core/program_folder.h"

namespace zt {

// True when access(W_OK) passes for the folder itself (the report and its
// sheets are written there) and for its Work/ and Report/ where they exist
// (the working files; a missing one is made when needed).
bool ProgramFolderWritable(const std::filesystem::path& folder);

// XDG_DATA_HOME and HOME; without HOME, the home folder of the password database.
UserFolders UserFoldersOfProcess();

// The choice for RunningProgramFolder(), made (and the user's folder stocked) on each call.
ProgramFolderChoice ProgramFolderInUse();

}  // namespace zt
