// CR LF text files of the print settings, the report period and the sheets.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace zt::report {

// Every line of a file (core/text_lines.h); nullopt when it is no regular
// file or cannot be read.
std::optional<std::vector<std::string>> ReadTextLines(const std::filesystem::path& path);

// Each line followed by CR LF.
std::string JoinCrLf(const std::vector<std::string>& lines);

}  // namespace zt::report
