#include "link/staged_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

namespace zt::link {
namespace {

int FailWith(int& error, int code) {
  error = code;
  return code;
}

}  // namespace

StagedFile::~StagedFile() { Discard(); }

bool StagedFile::Create(const std::filesystem::path& destination) {
  Discard();
  error_ = 0;
  destination_ = destination;
  const std::filesystem::path folder = destination.parent_path().empty() ? "." : destination.parent_path();
  std::string pattern = (folder / ("." + destination.filename().string() + ".XXXXXX")).string();
  fd_ = ::mkstemp(pattern.data());
  if (fd_ < 0) {
    FailWith(error_, errno);
    return false;
  }
  temp_ = pattern;
  ::fchmod(fd_, 0644);
  return true;
}

bool StagedFile::Append(std::string_view bytes) {
  if (fd_ < 0) return false;
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      FailWith(error_, n < 0 ? errno : ENOSPC);
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

bool StagedFile::Commit() {
  if (fd_ < 0) return false;
  bool ok = ::fsync(fd_) == 0;
  if (!ok) FailWith(error_, errno);
  // A deferred write error can surface only at close.
  if (::close(fd_) != 0 && ok) {
    FailWith(error_, errno);
    ok = false;
  }
  fd_ = -1;
  if (ok && ::rename(temp_.c_str(), destination_.c_str()) != 0) {
    FailWith(error_, errno);
    ok = false;
  }
  if (!ok) {
    ::unlink(temp_.c_str());
    temp_.clear();
    return false;
  }
  temp_.clear();
  const std::filesystem::path folder = destination_.parent_path().empty() ? "." : destination_.parent_path();
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return true;
}

void StagedFile::Discard() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temp_.empty()) ::unlink(temp_.c_str());
  temp_.clear();
}

bool ReplaceFileContents(const std::filesystem::path& destination, std::string_view bytes) {
  StagedFile file;
  return file.Create(destination) && file.Append(bytes) && file.Commit();
}

}  // namespace zt::link
