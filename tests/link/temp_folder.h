// A fresh program folder with its Work directory, removed afterwards.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "core/working_files.h"
#include "tests/core/image_builder.h"

namespace zt::link::fake {

class TempFolder : public test::TempFolder {
 public:
  TempFolder() : files_(path()) { files_.EnsureFolders(); }
  ~TempFolder() {
    // A test may have locked the Work folder; open it again so it can be removed.
    std::error_code ec;
    std::filesystem::permissions(files_.WorkFolder(), std::filesystem::perms::owner_all, ec);
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
  WorkingFiles files_;
};

}  // namespace zt::link::fake
