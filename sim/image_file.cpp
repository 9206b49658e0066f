#include "sim/image_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "core/device_image.h"

namespace zt::sim {

std::optional<std::string> LoadImageFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes(kImageSize, '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (in.gcount() != static_cast<std::streamsize>(kImageSize)) return std::nullopt;
  return bytes;
}

bool SaveImageFile(const std::filesystem::path& path, std::string_view image) {
  const std::filesystem::path temp = path.string() + ".sim-tmp";
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  std::size_t done = 0;
  while (done < image.size()) {
    const ssize_t n = ::write(fd, image.data() + done, image.size() - done);
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  const bool ok = done == image.size() && ::fsync(fd) == 0;
  if (::close(fd) != 0 || !ok || std::rename(temp.c_str(), path.c_str()) != 0) {
    std::remove(temp.c_str());
    return false;
  }
  return true;
}

}  // namespace zt::sim
