#include "tools/soak/spawned_program.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>

extern char** environ;

namespace zt::soak {
namespace {

using Clock = std::chrono::steady_clock;

int MillisLeft(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left < 0 ? 0 : static_cast<int>(left);
}

}  // namespace

SpawnedProgram::SpawnedProgram(const std::vector<std::string>& args, const std::filesystem::path& stderrFile,
                               const std::optional<std::filesystem::path>& stdoutFile) {
  std::vector<std::string> copy = args;
  std::vector<char*> argv;
  for (auto& a : copy) argv.push_back(a.data());
  argv.push_back(nullptr);
  int out[2] = {-1, -1};
  if (!stdoutFile && ::pipe2(out, O_CLOEXEC) != 0) return;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  if (stdoutFile)
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, stdoutFile->c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  else
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, stderrFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  // The child starts with the default signal actions, whatever the soak ignores.
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t all;
  sigfillset(&all);
  posix_spawnattr_setsigdefault(&attributes, &all);
  sigset_t none;
  sigemptyset(&none);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
  if (::posix_spawn(&pid_, argv[0], &actions, &attributes, argv.data(), environ) != 0) pid_ = -1;
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  if (out[1] >= 0) ::close(out[1]);
  stdout_ = out[0];
  if (pid_ > 0) pidFd_ = static_cast<int>(::syscall(SYS_pidfd_open, pid_, 0));
}

SpawnedProgram::~SpawnedProgram() {
  if (pid_ > 0 && !waited_) {
    ::kill(pid_, SIGKILL);
    int status = 0;
    while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
  }
  if (pidFd_ >= 0) ::close(pidFd_);
  if (stdout_ >= 0) ::close(stdout_);
}

std::optional<std::string> SpawnedProgram::FirstLine(std::chrono::milliseconds limit) {
  if (stdout_ < 0) return std::nullopt;
  const auto deadline = Clock::now() + limit;
  std::string line;
  for (;;) {
    pollfd p{stdout_, POLLIN, 0};
    const int ready = ::poll(&p, 1, MillisLeft(deadline));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) return std::nullopt;
    char c = 0;
    const ssize_t n = ::read(stdout_, &c, 1);
    if (n < 0 && errno == EINTR) continue;
    if (n != 1) return std::nullopt;
    if (c == '\n') return line;
    line.push_back(c);
  }
}

void SpawnedProgram::Signal(int sig) {
  if (pid_ > 0 && !waited_) ::kill(pid_, sig);
}

ProgramEnd SpawnedProgram::Wait(std::chrono::milliseconds limit) {
  ProgramEnd end;
  if (pid_ <= 0 || waited_) return end;
  const auto deadline = Clock::now() + limit;
  int status = 0;
  bool reaped = false;
  if (pidFd_ >= 0) {
    pollfd p{pidFd_, POLLIN, 0};
    int ready = 0;
    while ((ready = ::poll(&p, 1, MillisLeft(deadline))) < 0 && errno == EINTR) {
    }
    end.timedOut = ready == 0;
  } else {
    // No pidfd on this kernel: look every few milliseconds.
    while (!(reaped = ::waitpid(pid_, &status, WNOHANG) == pid_) && Clock::now() < deadline) ::usleep(2000);
    end.timedOut = !reaped;
  }
  if (end.timedOut) ::kill(pid_, SIGKILL);
  while (!reaped && ::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
  }
  waited_ = true;
  if (end.timedOut) return end;
  end.exited = WIFEXITED(status);
  end.code = end.exited ? WEXITSTATUS(status) : 0;
  end.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
  return end;
}

std::string EndText(const ProgramEnd& end) {
  if (end.timedOut) return "killed at the deadline";
  if (end.exited) return "exit " + std::to_string(end.code);
  return "signal " + std::to_string(end.signal) + " (" + ::strsignal(end.signal) + ")";
}

}  // namespace zt::soak
