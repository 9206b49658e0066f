// Replaces a file by a copy of another, telling the operator of any failure.
#pragma once

#include <filesystem>

#include "core/messages.h"

namespace zt {

// The copy goes to a temporary file beside the destination and is renamed
// over it only when complete and synced, so a failed copy (full disk,
// unreadable or missing source) leaves the destination as it was.
bool CopyOverFile(const std::filesystem::path& destination, const std::filesystem::path& source, Messages& messages);

}  // namespace zt
