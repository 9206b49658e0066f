// A fresh program folder with its Work directory, removed afterwards.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "core/working_files.h"

namespace zt::link::fake {

class TempFolder {
 public:
  TempFolder() : root_(MakeRoot()), files_(root_) { files_.EnsureFolders(); }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::permissions(files_.WorkFolder(), std::filesystem::perms::owner_all, ec);
    std::filesystem::remove_all(root_, ec);
  }
  const WorkingFiles& Files() const { return files_; }

  static void Write(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  static std::string Read(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  // Names in the Work folder, the image and settings files included.
  std::size_t WorkEntries() const {
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(files_.WorkFolder())) ++n;
    return n;
  }

 private:
  static std::filesystem::path MakeRoot() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zt-link-XXXXXX").string();
    return ::mkdtemp(pattern.data());
  }

  std::filesystem::path root_;
  WorkingFiles files_;
};

}  // namespace zt::link::fake
