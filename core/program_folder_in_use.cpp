#include "core/program_folder_in_use.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <system_error>
#include <vector>

#include "core/working_files.h"

namespace zt {
namespace {

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

std::string HomeOfUser() {
  long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
  passwd entry{};
  passwd* found = nullptr;
  if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr) return {};
  return found->pw_dir != nullptr ? found->pw_dir : "";
}

}  // namespace

bool ProgramFolderWritable(const std::filesystem::path& folder) {
  if (::access(folder.c_str(), W_OK) != 0) return false;
  const WorkingFiles files(folder);
  for (const auto& sub : {files.WorkFolder(), files.ReportFolder()}) {
    std::error_code ec;
    if (std::filesystem::exists(sub, ec) && ::access(sub.c_str(), W_OK) != 0) return false;
  }
  return true;
}

UserFolders UserFoldersOfProcess() {
  UserFolders user{Variable("XDG_DATA_HOME"), Variable("HOME")};
  if (user.home.empty()) user.home = HomeOfUser();
  return user;
}

ProgramFolderChoice ProgramFolderInUse() {
  const auto installed = RunningProgramFolder();
  return ChooseProgramFolder(installed, ProgramFolderWritable(installed), UserFoldersOfProcess());
}

}  // namespace zt
