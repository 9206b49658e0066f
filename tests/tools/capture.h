// Runs a zt command in the test's process with stdout and stderr captured.
#pragma once

#include <iostream>
#include <sstream>
#include <string>

#include "tools/zt/commands.h"

namespace zt::cli {

struct Outcome {
  int code = -1;
  std::string out;
  std::string err;
};

inline Outcome Capture(int (*command)(const CommandArgs&), const CommandArgs& args) {
  std::ostringstream out, err;
  auto* oldOut = std::cout.rdbuf(out.rdbuf());
  auto* oldErr = std::cerr.rdbuf(err.rdbuf());
  Outcome r;
  r.code = command(args);
  std::cout.rdbuf(oldOut);
  std::cerr.rdbuf(oldErr);
  r.out = out.str();
  r.err = err.str();
  return r;
}

}  // namespace zt::cli
