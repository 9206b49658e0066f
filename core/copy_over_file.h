// Replaces a file by a copy of another, telling the operator of any failure.
#pragma once

#include <cstdint>
#include <filesystem>

#include "core/messages.h"

namespace zt {

// What a copy does when the destination is the source itself, by the same
// name, another name for the same file or a link to it.
enum class SameFileCopy : std::uint8_t {
  Succeeds,  // nothing to do: the destination holds the source already (a load of the image file)
  Refused,   // the operator meant another file (a save, an output): told, and false
};

// The copy goes through an OutputFile: into a temporary file beside the
// destination (the file a link at it names), renamed over it only when
// complete and synced, so a failed copy (full disk, unreadable or missing
// source) leaves the destination as it was; a device is written directly.
bool CopyOverFile(const std::filesystem::path& destination, const std::filesystem::path& source, Messages& messages,
                  SameFileCopy sameFile = SameFileCopy::Succeeds);

}  // namespace zt
