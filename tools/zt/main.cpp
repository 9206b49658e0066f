// zt: the recorder's data and link from a terminal.
#include <string>
#include <vector>

#include "core/temp_file_cleanup.h"
#include "tools/zt/program.h"

int main(int argc, char** argv) {
  zt::InstallTempFileCleanup();
  return zt::cli::RunProgram(std::vector<std::string>(argv + 1, argv + argc));
}
