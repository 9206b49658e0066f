#include "tools/zt/tool_folder.h"

#include <cstring>
#include <iostream>

#include "core/program_folder_in_use.h"
#include "tools/zt/terminal_text.h"

namespace zt::cli {
namespace {

std::string PathText(const std::filesystem::path& path) { return VisibleControls(path.string()); }

std::string InstalledReadOnly(const ProgramFolderChoice& choice) {
  return "; working in " + PathText(choice.folder) + ", where nothing can be saved";
}

}  // namespace

std::string ProgramFolderProblemText(const ProgramFolderChoice& choice) {
  switch (choice.problem) {
    case ProgramFolderProblem::None: return {};
    case ProgramFolderProblem::NoUserFolder:
      return "zt: neither XDG_DATA_HOME nor HOME names an absolute folder" + InstalledReadOnly(choice);
    case ProgramFolderProblem::CannotMake:
      return "zt: cannot make " + PathText(choice.problemPath) + ": " + std::strerror(choice.error) +
             InstalledReadOnly(choice);
    case ProgramFolderProblem::CannotCopy:
      return "zt: cannot copy the shipped working file " + PathText(choice.problemPath) + ": " +
             std::strerror(choice.error) + "; it is tried again at the next start";
  }
  return {};
}

ProgramFolderChoice ToolProgramFolder() {
  ProgramFolderChoice choice = ProgramFolderInUse();
  if (const std::string problem = ProgramFolderProblemText(choice); !problem.empty()) std::cerr << problem << '\n';
  return choice;
}

WorkingFiles ToolFiles(const std::optional<std::string>& workdir) {
  return WorkingFiles(workdir ? std::filesystem::path(*workdir) : ToolProgramFolder().folder);
}

}  // namespace zt::cli
