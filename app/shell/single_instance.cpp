#include "app/shell/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

namespace zt::shell {
namespace {

constexpr const char* kLockName = "Zetlogic.lock";

}  // namespace

std::filesystem::path DefaultLockFile() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && *runtime != '\0') return std::filesystem::path(runtime) / kLockName;
  return "/tmp/zetlogic-" + std::to_string(::getuid()) + ".lock";
}

SingleInstanceLock::SingleInstanceLock() : file_(DefaultLockFile()) {}

SingleInstanceLock::SingleInstanceLock(const std::filesystem::path& lockFolder) : file_(lockFolder / kLockName) {}

SingleInstanceLock::~SingleInstanceLock() {
  if (fd_ >= 0) ::close(fd_);
}

bool SingleInstanceLock::Acquire() {
  if (held_) return true;
  if (fd_ < 0) {
    // No link is followed, and the descriptor is not inherited by programs
    // started later (a browser opened from the About window).
    fd_ = ::open(file_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd_ < 0) {
      error_ = errno;
      return true;
    }
    struct stat st {};
    const bool statOk = ::fstat(fd_, &st) == 0;
    if (!statOk || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) {
      // In a shared folder another user could hold such a file to keep us out.
      error_ = statOk ? EPERM : errno;
      ::close(fd_);
      fd_ = -1;
      return true;
    }
  }
  while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
    if (errno == EINTR) continue;
    if (errno == EWOULDBLOCK) return false;
    error_ = errno;
    return true;
  }
  held_ = true;
  error_ = 0;
  return true;
}

}  // namespace zt::shell
