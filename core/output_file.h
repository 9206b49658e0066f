// A file written as a whole or not at all. A regular file (or a new one) is
// written into a temporary file beside it, synced and renamed over it only on
// Commit(): until then, and after any failure, it keeps what it held. A link
// is written through, in its target's folder, and stays a link. A device or a
// FIFO is written in place (there is nothing to replace), each write checked,
// unless the caller takes files only. A FIFO is never waited on: without a
// reader its open fails at once. An output that is the same file as one of the inputs is refused before
// anything is written.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string_view>
#include <vector>

#include "core/output_target.h"

namespace zt {

enum class OutputFailure : std::uint8_t {
  None = 0,
  SameAsInput = 1,  // the destination is the same file as an input
  Open = 2,         // the file (or its temporary file) could not be created or opened
  Write = 3,        // a write or the sync failed (full disk, file-size limit, device error)
  Replace = 4,      // the rename over the destination failed
  NotAFile = 5,     // files only, and the destination is a folder, a device or a FIFO
};

class OutputFile {
 public:
  OutputFile() = default;
  ~OutputFile() { Discard(); }
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Opens the destination for writing. inputs: files the output must not be.
  bool Open(const std::filesystem::path& destination, const std::vector<std::filesystem::path>& inputs = {},
            OutputTargets targets = OutputTargets::FilesAndDevices);
  // False when not every byte was written (or nothing is open); the failure stays.
  bool Write(std::string_view bytes);
  // Puts the written bytes in place: sync and rename, or close the device.
  bool Commit();
  // Drops what was written to a regular file; a device has had it already.
  void Discard();

  // For a writer that opens files by name itself instead of Write(): where
  // its bytes go until Commit() or Discard(), the temporary file or the device.
  std::filesystem::path WritePath() const;
  // True when the bytes go to a temporary file that will replace the destination.
  bool Replaces() const { return IsOpen() && target_.kind == OutputKind::Replace; }

  bool IsOpen() const { return fd_ >= 0; }
  OutputFailure Failure() const { return failure_; }
  // errno of the failure; 0 for SameAsInput; for NotAFile EISDIR (a folder) or EINVAL
  int ErrorCode() const { return error_; }
  const std::filesystem::path& Destination() const { return destination_; }
  const std::filesystem::path& SameInput() const { return sameInput_; }  // the input it would have been

 private:
  bool Fail(OutputFailure failure, int error);
  bool OpenTemporary();
  bool OpenInPlace();
  void RemoveTemporary();

  std::filesystem::path destination_;
  std::filesystem::path sameInput_;
  OutputTarget target_;
  std::string temp_;
  int fd_ = -1;
  int slot_ = -1;
  OutputFailure failure_ = OutputFailure::None;
  int error_ = 0;
};

// The whole file replaced by `bytes` through an OutputFile.
bool ReplaceFileContents(const std::filesystem::path& destination, std::string_view bytes);

}  // namespace zt
