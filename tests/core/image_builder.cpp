#include "tests/core/image_builder.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "core/device_image.h"
#include "core/temp_file_names.h"

namespace zt::test {

std::string Record(std::uint32_t m, std::uint8_t d4, std::uint8_t d5, std::uint8_t d6, std::uint8_t d7) {
  std::string r = {static_cast<char>(m & 0xFF), static_cast<char>((m >> 8) & 0xFF), static_cast<char>((m >> 16) & 0xFF),
                   0, static_cast<char>(d4), static_cast<char>(d5), static_cast<char>(d6), static_cast<char>(d7)};
  unsigned sum = 0;
  for (char c : r) sum += static_cast<unsigned char>(c);
  r[3] = static_cast<char>((256 - sum % 256) % 256);
  return r;
}

namespace {
void Put16(std::string& b, std::size_t at, unsigned v) {
  b[at] = static_cast<char>(v & 0xFF);
  b[at + 1] = static_cast<char>((v >> 8) & 0xFF);
}
void PutText(std::string& b, std::size_t at, const std::string& text) {
  std::string field = text.substr(0, 31);
  field.resize(31, '\0');
  b.replace(at, 31, field);
  unsigned sum = 0;
  for (char c : field) sum += static_cast<unsigned char>(c);
  b[at + 31] = static_cast<char>((256 - sum % 256) % 256);
}
}  // namespace

std::string ParameterBlock(const ParameterFields& f) {
  std::string b(256, '\0');
  b.replace(0, f.version.size(), f.version);
  Put16(b, 36, f.serial);
  Put16(b, 38, f.sensorMask);
  Put16(b, 40, f.lastTimeIndex);
  Put16(b, 42, f.lastOperIndex);
  b[48] = static_cast<char>(f.clock & 0xFF);
  b[49] = static_cast<char>((f.clock >> 8) & 0xFF);
  b[50] = static_cast<char>((f.clock >> 16) & 0xFF);
  unsigned sum = 0;
  for (std::size_t i = 0; i < 62; ++i) sum += static_cast<unsigned char>(b[i]);
  Put16(b, 62, (65536 - sum % 65536) % 65536);
  PutText(b, 128, f.enterprise);
  PutText(b, 160, f.branch);
  PutText(b, 192, f.meter);
  return b;
}

std::string ErasedImage(const ParameterFields& fields) {
  std::string image(kImageSize, '\xFF');
  PutAt(image, kParameterBlock.start, ParameterBlock(fields));
  return image;
}

void PutAt(std::string& image, std::size_t offset, std::string_view bytes) {
  image.replace(offset, bytes.size(), bytes);
}

void WriteBytes(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> NamesIn(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(folder)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::size_t TempFilesIn(const std::filesystem::path& folder) {
  const auto names = NamesIn(folder);
  return static_cast<std::size_t>(std::count_if(names.begin(), names.end(), IsTempFileName));
}

TempFolder::TempFolder() {
  std::string tmpl = (std::filesystem::temp_directory_path() / "zt-test-XXXXXX").string();
  path_ = ::mkdtemp(tmpl.data());
}

TempFolder::~TempFolder() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

}  // namespace zt::test
