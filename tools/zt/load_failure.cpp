#include "tools/zt/load_failure.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "core/device_image.h"

namespace zt::cli {
namespace {

constexpr const char* kGiveDataFile = "; give a .zt file";

// Why the file does not open as a data file; stat and a non-blocking open
// only, so a pipe without a writer does not hold the program.
std::string OpenFailureReason(const std::filesystem::path& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    if (errno == ENOENT) return "there is no such file; check the name";
    return std::string(std::strerror(errno)) + kGiveDataFile;
  }
  if (S_ISDIR(st.st_mode)) return std::string("it is a folder") + kGiveDataFile;
  if (S_ISFIFO(st.st_mode) || S_ISSOCK(st.st_mode))
    return "it is a pipe, not a file; save what comes through it to a file and give that";
  if (!S_ISREG(st.st_mode)) return std::string("it is a device, not a file") + kGiveDataFile;
  if (st.st_size < static_cast<off_t>(kImageSize))
    return "it is " + std::to_string(st.st_size) + " bytes, shorter than the " + std::to_string(kImageSize) +
           " bytes of the recorder's memory; give a complete .zt file";
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return std::string(std::strerror(errno)) + "; check the file's permissions";
  ::close(fd);
  return "it could not be opened; try again";
}

}  // namespace

std::string LoadFailureReason(const std::filesystem::path& path, LoadCode code) {
  switch (code) {
    case LoadCode::OpenFailed:
      return OpenFailureReason(path);
    case LoadCode::ShortRead:
      return "it could not be read to its end; check the disk and try again";
    case LoadCode::ParametersInvalid:
      return "its parameter block does not check: the file is damaged or not a recorder's memory";
    case LoadCode::Stopped:
      return "the load was stopped";
    case LoadCode::None:
      break;
  }
  return {};
}

}  // namespace zt::cli
