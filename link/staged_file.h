// A file written beside its destination and put in its place only when it is
// whole: checked writes, fsync, rename. Until Commit() the destination keeps
// what it held; a discarded or abandoned file leaves no trace.
#pragma once

#include <filesystem>
#include <string_view>

namespace zt::link {

class StagedFile {
 public:
  StagedFile() = default;
  ~StagedFile();
  StagedFile(const StagedFile&) = delete;
  StagedFile& operator=(const StagedFile&) = delete;

  // Starts an empty temporary file in the destination's folder.
  bool Create(const std::filesystem::path& destination);
  // False when not every byte was written (or nothing is open).
  bool Append(std::string_view bytes);
  // Syncs, closes and renames over the destination; false keeps the old one.
  bool Commit();
  // Removes the temporary file.
  void Discard();
  bool IsOpen() const { return fd_ >= 0; }
  // errno of the last failure, 0 when none.
  int LastError() const { return error_; }

 private:
  std::filesystem::path destination_;
  std::filesystem::path temp_;
  int fd_ = -1;
  int error_ = 0;
};

// The whole file replaced by `bytes` through a StagedFile.
bool ReplaceFileContents(const std::filesystem::path& destination, std::string_view bytes);

}  // namespace zt::link
