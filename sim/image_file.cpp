#include "sim/image_file.h"

#include <fstream>
#include <iterator>

#include "core/device_image.h"
#include "core/output_file.h"

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
  return ReplaceFileContents(path, image);
}

}  // namespace zt::sim
