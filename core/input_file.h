// Opening and reading the files the programs read: only a regular file, or a
// link to one, is taken. A named pipe or a device would hold the open or the
// read until someone else acts, and a folder fails the read; they are refused
// at once.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>

namespace zt {

// A regular file open for reading in blocking mode, closed with the object.
class InputFile {
 public:
  explicit InputFile(const std::filesystem::path& path) noexcept;
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;
  ~InputFile();

  bool IsOpen() const { return fd_ >= 0; }
  int Descriptor() const { return fd_; }
  // Why it is not open: the open's errno, EISDIR for a folder, EINVAL for
  // anything else that is no regular file.
  int Error() const { return error_; }
  off_t Size() const { return size_; }
  // The descriptor, now the caller's to close.
  int Release();

 private:
  int fd_ = -1;
  int error_ = 0;
  off_t size_ = 0;
};

// The whole file; nullopt when it is missing, no regular file, unreadable or
// larger than memory allows.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path) noexcept;

}  // namespace zt
