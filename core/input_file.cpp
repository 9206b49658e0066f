#include "core/input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <new>
#include <stdexcept>

namespace zt {
namespace {

// Appends the rest of the file; false on a read error.
bool AppendAll(int fd, std::string& text) {
  char buffer[64 * 1024];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return true;
    text.append(buffer, static_cast<std::size_t>(n));
  }
}

}  // namespace

InputFile::InputFile(const std::filesystem::path& path) noexcept {
  // Non-blocking, as a named pipe without a writer would hold a plain open;
  // the kind is checked on what was opened, so nothing can be swapped in after a check.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    error_ = errno;
    return;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0)
    error_ = errno;
  else if (!S_ISREG(st.st_mode))
    error_ = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
  else if (const int flags = ::fcntl(fd, F_GETFL); flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0)
    error_ = errno;
  if (error_ != 0) {
    ::close(fd);
    return;
  }
  fd_ = fd;
  size_ = st.st_size;
}

InputFile::~InputFile() {
  if (fd_ >= 0) ::close(fd_);
}

int InputFile::Release() {
  const int fd = fd_;
  fd_ = -1;
  return fd;
}

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path) noexcept {
  const InputFile file(path);
  if (!file.IsOpen()) return std::nullopt;
  try {
    std::string text;
    text.reserve(static_cast<std::size_t>(file.Size() > 0 ? file.Size() : 0));
    if (!AppendAll(file.Descriptor(), text)) return std::nullopt;
    return text;
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  } catch (const std::length_error&) {
    return std::nullopt;
  }
}

}  // namespace zt
