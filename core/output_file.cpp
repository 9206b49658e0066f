#include "core/output_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <string>

#include "core/temp_file_cleanup.h"
#include "core/temp_file_names.h"

namespace zt {
namespace {

constexpr mode_t kDefaultMode = 0666;

// The process's file-creation mask, read without changing it (umask() would,
// for a moment, for every thread).
mode_t ProcessUmask() {
  std::ifstream status("/proc/self/status");
  std::string key;
  while (status >> key) {
    if (key == "Umask:") {
      std::string octal;
      status >> octal;
      return static_cast<mode_t>(std::strtoul(octal.c_str(), nullptr, 8) & 0777);
    }
    status.ignore(4096, '\n');
  }
  return 022;
}

void SyncFolder(const std::filesystem::path& file) {
  const std::filesystem::path folder = file.parent_path().empty() ? "." : file.parent_path();
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

bool OutputFile::Fail(OutputFailure failure, int error) {
  failure_ = failure;
  error_ = error;
  return false;
}

bool OutputFile::Open(const std::filesystem::path& destination, const std::vector<std::filesystem::path>& inputs,
                      OutputTargets targets) {
  Discard();
  destination_ = destination;
  sameInput_.clear();
  failure_ = OutputFailure::None;
  error_ = 0;
  int error = 0;
  const auto target = ResolveOutputTarget(destination, error);
  const bool filesOnly = targets == OutputTargets::FilesOnly;
  if (!target) return Fail(filesOnly && error == EISDIR ? OutputFailure::NotAFile : OutputFailure::Open, error);
  target_ = *target;
  if (filesOnly && target_.kind == OutputKind::Direct) return Fail(OutputFailure::NotAFile, EINVAL);
  for (const auto& input : inputs) {
    if (target_.exists && IsSameFile(destination, input)) {
      sameInput_ = input;
      return Fail(OutputFailure::SameAsInput, 0);
    }
  }
  return target_.kind == OutputKind::Replace ? OpenTemporary() : OpenInPlace();
}

bool OutputFile::OpenInPlace() {
  // Non-blocking, as a FIFO without a reader would hold a plain open: it fails with ENXIO instead.
  fd_ = ::open(target_.path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd_ < 0) return Fail(OutputFailure::Open, errno);
  // The writes wait for a slow reader again rather than fail with EAGAIN.
  if (const int flags = ::fcntl(fd_, F_GETFL); flags < 0 || ::fcntl(fd_, F_SETFL, flags & ~O_NONBLOCK) != 0) {
    const int err = errno;
    ::close(fd_);
    fd_ = -1;
    return Fail(OutputFailure::Open, err);
  }
  return true;
}

bool OutputFile::OpenTemporary() {
  RemoveLeftoverTempFiles(target_.path.parent_path());
  temp_ = TempFileTemplate(target_.path);
  fd_ = CreateTrackedTempFile(temp_, slot_);
  if (fd_ < 0) {
    temp_.clear();
    return Fail(OutputFailure::Open, errno);
  }
  // Held while the file is written: a start-up sweep leaves a locked file alone.
  ::flock(fd_, LOCK_EX | LOCK_NB);
  const mode_t mode = target_.exists ? target_.mode : kDefaultMode & ~ProcessUmask();
  if (::fchmod(fd_, mode) != 0) {
    const int err = errno;
    RemoveTemporary();
    return Fail(OutputFailure::Open, err);
  }
  return true;
}

std::filesystem::path OutputFile::WritePath() const {
  if (!IsOpen()) return {};
  return target_.kind == OutputKind::Replace ? std::filesystem::path(temp_) : target_.path;
}

bool OutputFile::Write(std::string_view bytes) {
  if (fd_ < 0 || failure_ != OutputFailure::None) return false;
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return Fail(OutputFailure::Write, n < 0 ? errno : ENOSPC);
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

bool OutputFile::Commit() {
  if (fd_ < 0) return false;
  if (failure_ != OutputFailure::None) {
    Discard();
    return false;
  }
  if (target_.kind == OutputKind::Direct) {
    struct stat st {};
    // Only a block device keeps written data in a cache of its own.
    const bool synced = ::fstat(fd_, &st) != 0 || !S_ISBLK(st.st_mode) || ::fsync(fd_) == 0;
    const int syncError = errno;
    const int closed = ::close(fd_);
    fd_ = -1;
    if (!synced) return Fail(OutputFailure::Write, syncError);
    if (closed != 0) return Fail(OutputFailure::Write, errno);
    return true;
  }
  if (::fsync(fd_) != 0) {
    const int err = errno;
    RemoveTemporary();
    return Fail(OutputFailure::Write, err);
  }
  if (::rename(temp_.c_str(), target_.path.c_str()) != 0) {
    const int err = errno;
    RemoveTemporary();
    return Fail(OutputFailure::Replace, err);
  }
  ForgetTempFile(slot_);
  slot_ = -1;
  temp_.clear();
  // Closed only now, so the lock guards the file until it has its name.
  const int closed = ::close(fd_);
  fd_ = -1;
  if (closed != 0) return Fail(OutputFailure::Write, errno);
  SyncFolder(target_.path);
  return true;
}

void OutputFile::Discard() {
  if (fd_ < 0) return;
  if (!temp_.empty()) RemoveTemporary();
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

void OutputFile::RemoveTemporary() {
  ::unlink(temp_.c_str());
  ForgetTempFile(slot_);
  slot_ = -1;
  temp_.clear();
  ::close(fd_);
  fd_ = -1;
}

bool ReplaceFileContents(const std::filesystem::path& destination, std::string_view bytes) {
  OutputFile file;
  return file.Open(destination) && file.Write(bytes) && file.Commit();
}

}  // namespace zt
