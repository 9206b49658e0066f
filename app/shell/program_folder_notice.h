// What the operator is told at start when the program folder is not what it
// should be (core/program_folder.h): Windows-1251, empty when all is well.
#pragma once

#include <string>

#include "core/program_folder.h"

namespace zt::shell {

std::string ProgramFolderNotice(const ProgramFolderChoice& choice);

}  // namespace zt::shell
