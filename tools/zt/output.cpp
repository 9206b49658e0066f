#include "tools/zt/output.h"

#include <cstring>
#include <iostream>

namespace zt::cli {
namespace {

std::string SameFileText(const std::filesystem::path& out, const std::filesystem::path& input) {
  return out.string() + " is the same file as " + input.string() + "; nothing written";
}

}  // namespace

std::string OutputFailureText(const OutputFile& file) {
  const std::string name = file.Destination().string();
  if (file.Failure() == OutputFailure::SameAsInput) return SameFileText(file.Destination(), file.SameInput());
  return "cannot write " + name + ": " + std::strerror(file.ErrorCode());
}

int WriteOutput(const std::string& command, const std::filesystem::path& out, std::string_view bytes,
                const std::vector<std::filesystem::path>& inputs) {
  OutputFile file;
  if (file.Open(out, inputs) && file.Write(bytes) && file.Commit()) return 0;
  std::cerr << "zt " << command << ": " << OutputFailureText(file) << '\n';
  return kWriteError;
}

int RefuseOverlappingFiles(const std::string& command, const std::vector<std::filesystem::path>& inputs,
                           const std::vector<std::filesystem::path>& outputs) {
  std::vector<std::filesystem::path> kept = inputs;
  for (const auto& out : outputs) {
    for (const auto& other : kept)
      if (IsSameFile(out, other)) {
        std::cerr << "zt " << command << ": " << SameFileText(out, other) << '\n';
        return kWriteError;
      }
    kept.push_back(out);
  }
  return 0;
}

}  // namespace zt::cli
