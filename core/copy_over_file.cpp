#include "core/copy_over_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

#include "core/cp1251.h"

namespace zt {
namespace {

class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  // Close reporting its own error: a deferred write error can surface only here.
  int Release() {
    const int rc = ::close(fd_);
    fd_ = -1;
    return rc == 0 ? 0 : errno;
  }

 private:
  int fd_;
};

// Returns 0 or the errno of the first failure.
int WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    if (n == 0) return ENOSPC;
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return 0;
}

// Copies source to the open temp file; 0 or errno.
int CopyContents(const std::filesystem::path& source, int out, mode_t& mode) {
  Fd in(::open(source.c_str(), O_RDONLY | O_CLOEXEC));
  if (in.get() < 0) return errno;
  struct stat st {};
  if (::fstat(in.get(), &st) != 0) return errno;
  if (!S_ISREG(st.st_mode)) return EINVAL;
  mode = st.st_mode & 0777;
  std::vector<char> buffer(64 * 1024);
  for (;;) {
    const ssize_t n = ::read(in.get(), buffer.data(), buffer.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    if (n == 0) break;
    if (const int err = WriteAll(out, buffer.data(), static_cast<std::size_t>(n))) return err;
  }
  if (::fsync(out) != 0) return errno;
  return 0;
}

bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
  struct stat sa {}, sb {};
  return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
         sa.st_ino == sb.st_ino;
}

void Report(Messages& messages, std::string_view what, const std::filesystem::path& file, int code) {
  messages.Show(MessageKind::Error,
                std::string(what) + Utf8ToCp1251(file.string()) + std::string(" - код ошибки: "_cp) + std::to_string(code));
}

}  // namespace

bool CopyOverFile(const std::filesystem::path& destination, const std::filesystem::path& source, Messages& messages) {
  constexpr std::string_view kCopyFailed = "Ошибка! при копировании файла "_cp;
  constexpr std::string_view kDeleteFailed = "Ошибка! при удалении файла "_cp;

  // A copy onto itself (also through a link) already holds what it should.
  if (SameFile(destination, source)) return true;

  // Follow a link at the destination so that the file it names is replaced, not the link.
  std::error_code ec;
  std::filesystem::path target = destination;
  if (std::filesystem::is_symlink(destination, ec)) {
    const auto resolved = std::filesystem::weakly_canonical(destination, ec);
    if (!ec) target = resolved;
  }
  const std::filesystem::path folder = target.parent_path().empty() ? "." : target.parent_path();
  std::string tmpl = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
  Fd out(::mkstemp(tmpl.data()));
  if (out.get() < 0) {
    Report(messages, kCopyFailed, source, errno);
    return false;
  }
  const std::filesystem::path temp = tmpl;
  mode_t mode = 0644;
  int err = CopyContents(source, out.get(), mode);
  if (err == 0 && ::fchmod(out.get(), mode) != 0) err = errno;
  if (const int closeErr = out.Release(); err == 0) err = closeErr;
  if (err != 0) {
    ::unlink(temp.c_str());
    Report(messages, kCopyFailed, source, err);
    return false;
  }
  if (::rename(temp.c_str(), target.c_str()) != 0) {
    err = errno;
    ::unlink(temp.c_str());
    Report(messages, kDeleteFailed, destination, err);
    return false;
  }
  // Make the rename itself durable.
  Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() >= 0) ::fsync(dir.get());
  return true;
}

}  // namespace zt
