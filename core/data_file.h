// A device-data file (the image file or a saved .zt file) opened for decoding.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

namespace zt {

class DataFile {
 public:
  DataFile() = default;
  DataFile(const DataFile&) = delete;
  DataFile& operator=(const DataFile&) = delete;
  ~DataFile() { Close(); }

  // Succeeds only for an existing, readable file of at least 32768 bytes.
  bool Open(const std::filesystem::path& path);
  bool IsOpen() const { return fd_ >= 0; }
  // Up to 1024 bytes from offset into buffer; returns the count read.
  std::size_t ReadBlock(std::size_t offset, std::string& buffer);
  void Close();

 private:
  int fd_ = -1;
};

// True when the file opens under the rules above (the save check).
bool IsCompleteDataFile(const std::filesystem::path& path);

}  // namespace zt
