// Arbitrary file bytes through the load: open, parameter block, both archives.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "core/file_load.h"

namespace {

class SilentMessages final : public zt::Messages {
 public:
  bool Show(zt::MessageKind, std::string_view) override { return true; }
};

const std::filesystem::path& Folder() {
  static const std::filesystem::path folder = [] {
    std::string tmpl = (std::filesystem::temp_directory_path() / "zt-fuzz-XXXXXX").string();
    return std::filesystem::path(::mkdtemp(tmpl.data()));
  }();
  return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Short inputs are grown to image size so the decoders, not only the size check, see them.
  std::string bytes(reinterpret_cast<const char*>(data), size);
  if (size > 0 && size < zt::kImageSize && data[0] & 1) {
    std::string grown(zt::kImageSize, '\xFF');
    for (std::size_t i = 0; i < zt::kImageSize; ++i) grown[i] = bytes[i % size];
    bytes.swap(grown);
  }
  // Half of the images get a right parameter checksum, so the archives are decoded too.
  if (bytes.size() >= zt::kImageSize && size > 0 && data[0] & 2) {
    const std::string_view block = std::string_view(bytes).substr(zt::kParameterBlock.start, zt::kParameterBlock.size);
    const std::uint16_t sum = zt::ParameterChecksum(block);
    bytes[zt::kParameterBlock.start + zt::param::kChecksum] = static_cast<char>(sum & 0xFF);
    bytes[zt::kParameterBlock.start + zt::param::kChecksum + 1] = static_cast<char>(sum >> 8);
  }
  const std::filesystem::path file = Folder() / "input.zt";
  if (std::FILE* f = std::fopen(file.c_str(), "wb")) {
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  zt::DecodedImage image;
  static zt::ArchiveTables tables;  // reused: a reset costs less than building anew
  zt::PrepareLoad(image, tables);
  zt::NullProtocolLog log;
  SilentMessages messages;
  zt::FileLoad load(image, tables, log, messages, zt::WorkingFiles(Folder()), file);
  load.SetAdoptAsImage(false);
  zt::LoadDataFile(load);
  return 0;
}
