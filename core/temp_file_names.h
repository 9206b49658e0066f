// The program's temporary files: ".NAME.zt-tmp.XXXXXX" beside the file NAME
// they will replace, created by mkstemp and held under an exclusive flock for
// as long as they are written. A name of that pattern whose lock is free was
// left by a process that died; it may go.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace zt {

// The mkstemp template for a temporary file that will replace `target`.
std::string TempFileTemplate(const std::filesystem::path& target);

// True for a name (no folder) of the pattern above and nothing else.
bool IsTempFileName(std::string_view name);

// Removes every regular file of the pattern in the folder that no process
// holds; returns how many went.
int RemoveLeftoverTempFiles(const std::filesystem::path& folder);

}  // namespace zt
