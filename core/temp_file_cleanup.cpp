#include "core/temp_file_cleanup.h"

#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>

#include <cerrno>

#include "core/temp_file_registry.h"

namespace zt {
namespace {

constexpr int kCleanupSignals[] = {SIGHUP, SIGINT, SIGTERM, SIGQUIT};

TempFileRegistry gLiveTempFiles;

sigset_t CleanupSignalSet() {
  sigset_t set;
  sigemptyset(&set);
  for (int sig : kCleanupSignals) sigaddset(&set, sig);
  return set;
}

extern "C" void RemoveTempFilesAndDie(int sig) {
  gLiveTempFiles.UnlinkAll();
  // The signal is blocked inside its handler: raised again, it ends the
  // process with its default action as soon as the handler returns.
  ::signal(sig, SIG_DFL);
  ::raise(sig);
}

// Holds the cleanup signals for a scope.
class SignalsHeld {
 public:
  SignalsHeld() {
    const sigset_t set = CleanupSignalSet();
    ::pthread_sigmask(SIG_BLOCK, &set, &saved_);
  }
  ~SignalsHeld() { ::pthread_sigmask(SIG_SETMASK, &saved_, nullptr); }
  SignalsHeld(const SignalsHeld&) = delete;
  SignalsHeld& operator=(const SignalsHeld&) = delete;

 private:
  sigset_t saved_{};
};

}  // namespace

void InstallTempFileCleanup() {
  struct sigaction action {};
  action.sa_handler = RemoveTempFilesAndDie;
  action.sa_mask = CleanupSignalSet();
  for (int sig : kCleanupSignals) {
    struct sigaction current {};
    if (::sigaction(sig, nullptr, &current) == 0 && current.sa_handler == SIG_IGN) continue;
    ::sigaction(sig, &action, nullptr);
  }
  ::signal(SIGXFSZ, SIG_IGN);
}

int CreateTrackedTempFile(std::string& pathTemplate, int& slot) {
  const SignalsHeld held;
  const int fd = ::mkostemp(pathTemplate.data(), O_CLOEXEC);
  slot = fd >= 0 ? gLiveTempFiles.Add(pathTemplate) : -1;
  return fd;
}

void ForgetTempFile(int slot) { gLiveTempFiles.Remove(slot); }

}  // namespace zt
