#include "core/working_files.h"

#include <system_error>

namespace zt {

bool WorkingFiles::EnsureFolders() const {
  std::error_code ec;
  std::filesystem::create_directories(WorkFolder(), ec);
  if (ec) return false;
  std::filesystem::create_directories(ReportFolder(), ec);
  return !ec;
}

std::filesystem::path RunningProgramFolder() {
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return std::filesystem::current_path(ec);
  return exe.parent_path();
}

}  // namespace zt
