// A program run as a child process: stdin from /dev/null, stdout on a pipe
// (or a file), stderr into a file; waited for with a deadline so that a hang
// is seen as one, and a death by signal as a crash.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace zt::soak {

struct ProgramEnd {
  bool exited = false;  // by exit(); otherwise signal or timedOut tells
  int code = 0;         // exit code
  int signal = 0;       // the signal that ended it
  bool timedOut = false;  // killed by the waiter at the deadline
};

class SpawnedProgram {
 public:
  // args[0] is the program. stdoutFile: stdout into it; none: onto a pipe for FirstLine().
  SpawnedProgram(const std::vector<std::string>& args, const std::filesystem::path& stderrFile,
                 const std::optional<std::filesystem::path>& stdoutFile = std::nullopt);
  ~SpawnedProgram();
  SpawnedProgram(const SpawnedProgram&) = delete;
  SpawnedProgram& operator=(const SpawnedProgram&) = delete;

  bool Started() const { return pid_ > 0; }
  // The first line on the stdout pipe, waiting until the deadline; none when
  // it ended first or the time ran out.
  std::optional<std::string> FirstLine(std::chrono::milliseconds limit);
  // Sends the signal (nothing after the end).
  void Signal(int sig);
  // Waits for the end; at the deadline kills it (SIGKILL) and says so.
  ProgramEnd Wait(std::chrono::milliseconds limit);

 private:
  pid_t pid_ = -1;
  int pidFd_ = -1;
  int stdout_ = -1;
  bool waited_ = false;
};

// How a program ended, in words: "exit 23", "signal 11", "killed at the deadline".
std::string EndText(const ProgramEnd& end);

}  // namespace zt::soak
