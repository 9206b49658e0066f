#include "core/data_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "core/device_image.h"

namespace zt {

bool DataFile::Open(const std::filesystem::path& path) {
  Close();
  // Non-blocking: a named pipe without a writer is refused at once, not waited on.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size < static_cast<off_t>(kImageSize)) {
    ::close(fd);
    return false;
  }
  fd_ = fd;
  return true;
}

std::size_t DataFile::ReadBlock(std::size_t offset, std::string& buffer) {
  buffer.resize(kBlockSize);
  std::size_t got = 0;
  while (fd_ >= 0 && got < kBlockSize) {
    const ssize_t n = ::pread(fd_, buffer.data() + got, kBlockSize - got, static_cast<off_t>(offset + got));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    got += static_cast<std::size_t>(n);
  }
  buffer.resize(got);
  return got;
}

void DataFile::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

bool IsCompleteDataFile(const std::filesystem::path& path) {
  DataFile f;
  return f.Open(path);
}

}  // namespace zt
