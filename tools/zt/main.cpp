// zt: the recorder's data and link from a terminal.
#include <iostream>
#include <string>
#include <vector>

#include "core/temp_file_cleanup.h"
#include "tools/zt/commands.h"

namespace {

struct Command {
  const char* name;
  int (*run)(const zt::cli::CommandArgs&);
  const char* usage;
};

const Command kCommands[] = {
    {"sample", zt::cli::RunSample, "zt sample [--seed N] -o FILE.zt"},
    {"info", zt::cli::RunInfo, "zt info FILE"},
    {"export", zt::cli::RunExport, "zt export FILE --archive time|oper [-o OUT]"},
    {"show", zt::cli::RunShow, "zt show FILE [--rows N]"},
    {"demo", zt::cli::RunDemo, "zt demo [--seed N] [--rows N]"},
    {"report", zt::cli::RunReport, "zt report FILE --archive time|oper --from \"DD.MM.YYYY HH:MM:SS\" --to \"DD.MM.YYYY HH:MM:SS\" -o OUT [--tables T] [--short] [--lang ru|uk] [--workdir DIR] [--sheets SHEETDIR --lines P --chars C [--indent LI] [--top TM] [--bottom BM]]"},
    {"search", zt::cli::RunSearch, "zt search [--limit N] [--workdir DIR]"},
    {"read", zt::cli::RunRead, "zt read --port COMn|DEVICE --password N -o FILE.zt [--workdir DIR]"},
    {"write", zt::cli::RunWrite, "zt write --port COMn|DEVICE --password N [--enterprise T] [--branch T] [--meter T] [--set-clock] [--workdir DIR]"},
};

int Usage() {
  std::cerr << "usage:\n";
  for (const auto& c : kCommands) std::cerr << "  " << c.usage << '\n';
  return 64;
}

}  // namespace

int main(int argc, char** argv) {
  zt::InstallTempFileCleanup();
  if (argc < 2) return Usage();
  const std::string name = argv[1];
  for (const auto& c : kCommands)
    if (name == c.name) return c.run(zt::cli::CommandArgs(argv + 2, argv + argc));
  std::cerr << "zt: unknown command " << name << '\n';
  return Usage();
}
