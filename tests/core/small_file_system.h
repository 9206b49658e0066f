// A folder on a file system of its own that is nearly full: a small tmpfs
// mounted on it and filled up to leave the room asked for. Mounting needs
// privileges; where the machine refuses, Mounted() is false and a test falls
// back to the file-size limit of the writing process (file_size_limit.h).
#pragma once

#include <sys/mount.h>
#include <sys/statvfs.h>

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <string>

namespace zt::test {

class SmallFileSystem {
 public:
  static constexpr std::size_t kDefaultSize = 128 * 1024;
  static constexpr const char* kFillerName = "filler";

  explicit SmallFileSystem(const std::filesystem::path& folder, std::size_t size = kDefaultSize) : folder_(folder) {
    std::filesystem::create_directories(folder_);
    const std::string options = "size=" + std::to_string(size) + ",mode=0755";
    mounted_ = ::mount("tmpfs", folder_.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) == 0;
  }
  ~SmallFileSystem() {
    if (mounted_) ::umount2(folder_.c_str(), MNT_DETACH);
  }
  SmallFileSystem(const SmallFileSystem&) = delete;
  SmallFileSystem& operator=(const SmallFileSystem&) = delete;

  bool Mounted() const { return mounted_; }
  const std::filesystem::path& Folder() const { return folder_; }

  // Bytes a file can still grow by.
  std::size_t Room() const {
    struct statvfs st {};
    if (::statvfs(folder_.c_str(), &st) != 0) return 0;
    return static_cast<std::size_t>(st.f_bavail) * st.f_frsize;
  }

  // Fills the file system with a file of its own until about `room` bytes are
  // left (whole blocks); false when less than that is free already.
  bool LeaveRoom(std::size_t room) {
    const std::size_t free = Room();
    if (free < room) return false;
    std::ofstream filler(folder_ / kFillerName, std::ios::binary | std::ios::app);
    const std::string bytes(free - room, 'f');
    filler.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(filler.flush());
  }

 private:
  std::filesystem::path folder_;
  bool mounted_ = false;
};

}  // namespace zt::test
