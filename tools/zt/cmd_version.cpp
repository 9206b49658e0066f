// zt --version: the version, and the program folder the tool and the program work in.
#include <iostream>

#include "tools/zt/commands.h"
#include "tools/zt/terminal_text.h"
#include "tools/zt/tool_folder.h"

namespace zt::cli {

int RunVersion(const CommandArgs& args) {
  if (!args.empty()) {
    std::cerr << "zt --version: takes nothing more\n";
    return 64;
  }
  const ProgramFolderChoice choice = ToolProgramFolder();
  std::cout << "zt " << ZT_VERSION << "\nprogram folder: " << VisibleControls(choice.folder.string()) << '\n';
  return 0;
}

}  // namespace zt::cli
