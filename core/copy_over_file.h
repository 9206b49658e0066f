// Replaces a file by a copy of another, telling the operator of any failure.
#pragma once

#include <cstdint>
#include <filesystem>

#include "core/messages.h"
#include "core/output_target.h"

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
// source) leaves the destination as it was. A device or a FIFO is written
// directly where targets let it, and refused with a message otherwise.
bool CopyOverFile(const std::filesystem::path& destination, const std::filesystem::path& source, Messages& messages,
                  SameFileCopy sameFile, OutputTargets targets);

// With the targets the copy's purpose gives: where the operator meant another
// file (a save), only a file that can be opened again, so a save never waits
// on a pipe or pours into a device; a load takes any output.
bool CopyOverFile(const std::filesystem::path& destination, const std::filesystem::path& source, Messages& messages,
                  SameFileCopy sameFile = SameFileCopy::Succeeds);

}  // namespace zt
