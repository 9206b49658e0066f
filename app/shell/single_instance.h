// One running copy per user: an flock on a file named after "Zetlogic". The
// kernel drops the lock when the process ends however it ends, so a crashed
// copy never blocks the next start.
#pragma once

#include <filesystem>

namespace zt::shell {

// "Zetlogic.lock" in $XDG_RUNTIME_DIR (private to the user), else
// /tmp/zetlogic-<uid>.lock.
std::filesystem::path DefaultLockFile();

class SingleInstanceLock {
 public:
  SingleInstanceLock();
  // "Zetlogic.lock" in the given folder.
  explicit SingleInstanceLock(const std::filesystem::path& lockFolder);
  ~SingleInstanceLock();
  SingleInstanceLock(const SingleInstanceLock&) = delete;
  SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

  // False only when another instance holds the lock: this one ends silently.
  // A lock file that cannot be used (unwritable folder, a link, a file of
  // another user) does not stop the program: true, with Held() false.
  // Keep the object for the life of the process.
  bool Acquire();

  bool Held() const { return held_; }
  // errno of the last failure to set the lock up, 0 when none.
  int Error() const { return error_; }
  const std::filesystem::path& LockFile() const { return file_; }

 private:
  std::filesystem::path file_;
  int fd_ = -1;
  bool held_ = false;
  int error_ = 0;
};

}  // namespace zt::shell
