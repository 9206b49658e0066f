#include "tools/zt/program.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

#include "tools/zt/commands.h"
#include "tools/zt/output.h"

namespace zt::cli {
namespace {

constexpr int kUsageError = 64;

struct Command {
  const char* name;
  int (*run)(const CommandArgs&);
  const char* usage;
};

const Command kCommands[] = {
    {"sample", RunSample, "zt sample [--seed N] -o FILE.zt"},
    {"info", RunInfo, "zt info FILE"},
    {"export", RunExport, "zt export FILE --archive time|oper [-o OUT]"},
    {"show", RunShow, "zt show FILE [--rows N]"},
    {"demo", RunDemo, "zt demo [--seed N] [--rows N]"},
    {"report", RunReport, "zt report FILE --archive time|oper --from \"DD.MM.YYYY HH:MM:SS\" --to \"DD.MM.YYYY HH:MM:SS\" -o OUT [--tables T] [--short] [--lang ru|uk] [--workdir DIR] [--sheets SHEETDIR --lines P --chars C [--indent LI] [--top TM] [--bottom BM]]"},
    {"search", RunSearch, "zt search [--limit N] [--workdir DIR]"},
    {"read", RunRead, "zt read --port COMn|DEVICE --password N -o FILE.zt [--workdir DIR]"},
    {"write", RunWrite, "zt write --port COMn|DEVICE --password N [--enterprise T] [--branch T] [--meter T] [--set-clock] [--workdir DIR]"},
    {"--version", RunVersion, "zt --version"},
};

bool IsHelp(const std::string& arg) { return arg == "--help" || arg == "-h"; }

void PrintUsage(std::ostream& out) {
  out << "usage:\n";
  for (const auto& c : kCommands) out << "  " << c.usage << '\n';
}

// A command's output that did not reach stdout (a full disk, /dev/full) is a
// failed command, however well the rest went.
int CheckStandardOutput(int code) {
  // std::cout writes through C's stdout, whose flush leaves the reason in errno;
  // a write that failed earlier, while the command ran, has left only the failure.
  errno = 0;
  std::cout.flush();
  int error = errno;
  const bool written = std::cout && std::fflush(stdout) == 0 && !std::ferror(stdout);
  if (written) return code;
  if (error == 0) error = errno;
  std::cerr << "zt: cannot write the output to stdout";
  if (error != 0) std::cerr << ": " << std::strerror(error);
  std::cerr << '\n';
  std::cout.clear();
  std::clearerr(stdout);
  return code != 0 ? code : kWriteError;
}

int Dispatch(const std::vector<std::string>& args) {
  if (args.empty()) {
    PrintUsage(std::cerr);
    return kUsageError;
  }
  if (IsHelp(args[0])) {
    PrintUsage(std::cout);
    return 0;
  }
  for (const auto& c : kCommands) {
    if (args[0] != c.name) continue;
    if (args.size() > 1 && IsHelp(args[1])) {
      std::cout << "usage: " << c.usage << '\n';
      return 0;
    }
    return c.run(CommandArgs(args.begin() + 1, args.end()));
  }
  std::cerr << "zt: unknown command " << args[0] << '\n';
  PrintUsage(std::cerr);
  return kUsageError;
}

}  // namespace

int RunProgram(const std::vector<std::string>& args) { return CheckStandardOutput(Dispatch(args)); }

}  // namespace zt::cli
