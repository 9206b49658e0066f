// Hand-built device images for tests: records and fields with their check bytes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zt::test {

// A record whose check byte makes the 8-bit sum zero.
std::string Record(std::uint32_t minutes, std::uint8_t d4, std::uint8_t d5, std::uint8_t d6, std::uint8_t d7);

// A 256-byte parameter block with a right checksum and right text check bytes.
struct ParameterFields {
  std::string version = " Vorqel test";
  std::uint16_t serial = 42;
  std::uint16_t sensorMask = 0x000F;
  std::uint16_t lastTimeIndex = 0;
  std::uint16_t lastOperIndex = 0;
  std::uint32_t clock = 0;
  std::string enterprise = "Ent";
  std::string branch = "Br";
  std::string meter = "Mt";
};
std::string ParameterBlock(const ParameterFields& fields);

// 32768 bytes of erased memory (0xFF) with the given parameter block.
std::string ErasedImage(const ParameterFields& fields = {});
void PutAt(std::string& image, std::size_t offset, std::string_view bytes);

void WriteBytes(const std::filesystem::path& path, std::string_view bytes);
std::string ReadBytes(const std::filesystem::path& path);
// The names in a folder, sorted.
std::vector<std::string> NamesIn(const std::filesystem::path& folder);
// How many of them are output temporary files.
std::size_t TempFilesIn(const std::filesystem::path& folder);

// A fresh folder under the system's temp folder, removed with the object.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace zt::test
