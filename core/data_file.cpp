#include "core/data_file.h"

#include <unistd.h>

#include <cerrno>

#include "core/device_image.h"
#include "core/input_file.h"

namespace zt {

bool DataFile::Open(const std::filesystem::path& path) {
  Close();
  InputFile file(path);
  if (!file.IsOpen() || file.Size() < static_cast<off_t>(kImageSize)) return false;
  fd_ = file.Release();
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
