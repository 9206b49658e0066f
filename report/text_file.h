// CR LF text files of the print settings, the report period and the sheets.
#pragma once

#include <filesystem>
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zt::report {

// The next line without its end (LF, or CR LF); false at the end of the input.
// A last line without an end still counts.
bool ReadTextLine(std::istream& in, std::string& line);

// Every line of a text, split as ReadTextLine splits a file.
std::vector<std::string> TextLinesOf(std::string_view text);

// Every line of a file; nullopt when it cannot be opened or read.
std::optional<std::vector<std::string>> ReadTextLines(const std::filesystem::path& path);

// Each line followed by CR LF.
std::string JoinCrLf(const std::vector<std::string>& lines);

}  // namespace zt::report
