// Reading the small text files of the Work folder.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zt::shell {

// The lines of a text, CR LF or LF ended, without their ends; a last line
// without an end still counts, an empty text has no lines.
std::vector<std::string> TextLines(std::string_view text);

// The whole file; nothing when it is missing, no regular file, or unreadable.
std::optional<std::string> ReadFileText(const std::filesystem::path& path);

}  // namespace zt::shell
