#include "tests/core/odd_files.h"

#include <sys/stat.h>
#include <unistd.h>

#include "tests/core/image_builder.h"

namespace zt::test {

std::vector<OddFile> OddFileKinds() {
  std::vector<OddFile> kinds = {OddFile::Folder, OddFile::Fifo, OddFile::DanglingLink, OddFile::BinaryJunk};
  if (::geteuid() != 0) kinds.push_back(OddFile::Unreadable);
  return kinds;
}

std::string OddFileName(OddFile kind) {
  switch (kind) {
    case OddFile::Folder: return "Folder";
    case OddFile::Fifo: return "Fifo";
    case OddFile::DanglingLink: return "DanglingLink";
    case OddFile::Unreadable: return "Unreadable";
    case OddFile::BinaryJunk: return "BinaryJunk";
  }
  return "?";
}

std::filesystem::path MakeOddFile(OddFile kind, const std::filesystem::path& path) {
  std::filesystem::remove_all(path);
  switch (kind) {
    case OddFile::Folder: std::filesystem::create_directory(path); break;
    case OddFile::Fifo: ::mkfifo(path.c_str(), 0600); break;
    case OddFile::DanglingLink: std::filesystem::create_symlink(path.string() + ".gone", path); break;
    case OddFile::Unreadable:
      WriteBytes(path, "1\r\n");
      ::chmod(path.c_str(), 0);
      break;
    case OddFile::BinaryJunk: WriteBytes(path, AllByteValues()); break;
  }
  return path;
}

bool OddFileKept(OddFile kind, const std::filesystem::path& path) {
  const auto status = std::filesystem::symlink_status(path);
  switch (kind) {
    case OddFile::Folder: return std::filesystem::is_directory(status);
    case OddFile::Fifo: return std::filesystem::is_fifo(status);
    case OddFile::DanglingLink: return std::filesystem::is_symlink(status) && !std::filesystem::exists(path);
    case OddFile::Unreadable:
      return std::filesystem::is_regular_file(status) && status.permissions() == std::filesystem::perms::none;
    case OddFile::BinaryJunk: return std::filesystem::is_regular_file(status) && ReadBytes(path) == AllByteValues();
  }
  return false;
}

std::string AllByteValues() {
  std::string bytes;
  for (int b = 0; b <= 0xFF; ++b) bytes.push_back(static_cast<char>(b));
  return bytes;
}

std::vector<std::string> AllByteValueLines() {
  const std::string bytes = AllByteValues();
  return {bytes.substr(0, 0x0A), bytes.substr(0x0B)};
}

HangGuard::HangGuard(unsigned seconds) { ::alarm(seconds); }
HangGuard::~HangGuard() { ::alarm(0); }

}  // namespace zt::test
