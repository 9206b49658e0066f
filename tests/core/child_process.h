// A forked child for tests of what a process does when signalled or limited.
// Parent and child meet over pipes, never by waiting for time to pass.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <functional>

namespace zt::test {

class ChildProcess {
 public:
  // Forks; the child runs body(*this) and ends with its result as exit code.
  explicit ChildProcess(const std::function<int(ChildProcess&)>& body) {
    if (::pipe(ready_) != 0 || ::pipe(go_) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
      ::close(ready_[0]);
      ::close(go_[1]);
      ::_exit(body(*this));
    }
    ::close(ready_[1]);
    ::close(go_[0]);
  }
  ~ChildProcess() {
    if (pid_ > 0 && !waited_) {
      ::kill(pid_, SIGKILL);
      Wait();
    }
    ::close(ready_[0]);
    ::close(go_[1]);
  }
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool Started() const { return pid_ > 0; }
  pid_t Pid() const { return pid_; }

  // Child side: tell the parent it got where it was going, then wait for Go().
  void Ready() { (void)!::write(ready_[1], "r", 1); }
  void WaitForGo() {
    char c = 0;
    while (::read(go_[0], &c, 1) < 0 && errno == EINTR) {
    }
  }

  // Parent side. False when the child ended without saying it was ready.
  bool WaitReady() {
    char c = 0;
    return ::read(ready_[0], &c, 1) == 1;
  }
  void Go() { (void)!::write(go_[1], "g", 1); }
  // The child's wait status.
  int Wait() {
    int status = 0;
    while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    waited_ = true;
    return status;
  }

 private:
  int ready_[2] = {-1, -1};
  int go_[2] = {-1, -1};
  pid_t pid_ = -1;
  bool waited_ = false;
};

}  // namespace zt::test
