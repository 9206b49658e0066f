// The zt program without its process: the command named first, its usage,
// and the standard output checked once the command is done.
#pragma once

#include <string>
#include <vector>

namespace zt::cli {

// args: what follows the program's name. Returns the exit code.
int RunProgram(const std::vector<std::string>& args);

}  // namespace zt::cli
