// The files a zt command writes where the operator said: whole or not at all,
// never over one of the command's own inputs.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/output_file.h"

namespace zt::cli {

// The exit of a command whose output could not be written (or was refused).
inline constexpr int kWriteError = 5;

// The whole of bytes into out through an OutputFile: 0, or kWriteError with
// the reason on stderr, what out held before left as it was.
int WriteOutput(const std::string& command, const std::filesystem::path& out, std::string_view bytes,
                const std::vector<std::filesystem::path>& inputs = {});

// The check before a command writes anything: kWriteError with the reason on
// stderr when an output is the same file as an input or as an output before
// it (each output is read, or kept, once written); 0 otherwise.
int RefuseOverlappingFiles(const std::string& command, const std::vector<std::filesystem::path>& inputs,
                           const std::vector<std::filesystem::path>& outputs);

// Why an OutputFile failed, for stderr: "OUT: No space left on device".
std::string OutputFailureText(const OutputFile& file);

}  // namespace zt::cli
