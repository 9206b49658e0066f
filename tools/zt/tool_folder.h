// The program folder zt works in: the windowed program's own choice
// (core/program_folder_in_use.h), so both keep the same working files.
#pragma once

#include <optional>
#include <string>

#include "core/program_folder.h"
#include "core/working_files.h"

namespace zt::cli {

// The program folder in use; a problem with it is told on stderr.
ProgramFolderChoice ToolProgramFolder();

// The working files under --workdir when given, else under the program
// folder in use.
WorkingFiles ToolFiles(const std::optional<std::string>& workdir = std::nullopt);

// The line for stderr about a problem with the folder; empty when there is none.
std::string ProgramFolderProblemText(const ProgramFolderChoice& choice);

}  // namespace zt::cli
