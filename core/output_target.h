// Where the bytes meant for an output path really go. A regular file (or a
// new one) is replaced whole by a renamed temporary file, in the folder of the
// file a chain of symbolic links ends at, so the links stay links. A device
// or a FIFO cannot be replaced: it is written as it stands.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <optional>

namespace zt {

enum class OutputKind {
  Replace,  // a regular file or none yet: temporary file, sync, rename
  Direct,   // a character or block device, a FIFO: opened and written in place
};

// What a caller lets an output be.
enum class OutputTargets : std::uint8_t {
  FilesAndDevices,  // a device or a FIFO too, written in place (/dev/stdout, /dev/null)
  FilesOnly,        // a regular file, a link to one or none yet: a file the operator can open again
};

struct OutputTarget {
  OutputKind kind = OutputKind::Replace;
  // Replace: the file after every link; Direct: the destination as given, as
  // the kernel follows /dev/stdout and the like better than a path can.
  std::filesystem::path path;
  bool exists = false;  // Replace: a file is there now
  mode_t mode = 0;      // Replace: its permission bits when it exists (no set-id bits)
  dev_t device = 0;     // of the existing file, for IsSameFile
  ino_t inode = 0;
};

// nullopt with error set (errno) when the destination cannot be written at
// all: a folder, a loop of links, a path that cannot be looked up.
std::optional<OutputTarget> ResolveOutputTarget(const std::filesystem::path& destination, int& error);

// True when both name one existing file, after following links (device and inode).
bool IsSameFile(const std::filesystem::path& a, const std::filesystem::path& b);

}  // namespace zt
