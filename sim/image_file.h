// The simulator's memory image on disk: a .zt file read at start and, when
// asked, written back after every change through an OutputFile (a failed
// save keeps what was there; a link stays a link).
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace zt::sim {

// The first 32768 bytes; none when the file is shorter or unreadable.
std::optional<std::string> LoadImageFile(const std::filesystem::path& path);
bool SaveImageFile(const std::filesystem::path& path, std::string_view image);

}  // namespace zt::sim
