#include "core/program_folder.h"

#include <cerrno>
#include <fstream>
#include <iterator>
#include <system_error>

#include "core/output_file.h"
#include "core/working_files.h"

namespace zt {
namespace {

bool IsAbsoluteFolder(const std::string& value) { return !value.empty() && value.front() == '/'; }

ProgramFolderChoice Installed(const std::filesystem::path& installed, ProgramFolderProblem problem,
                              std::filesystem::path at, int error) {
  return {installed, false, problem, std::move(at), error};
}

// errno of a failed copy; 0 when copied.
int CopyShippedFile(const std::filesystem::path& source, const std::filesystem::path& target) {
  errno = 0;
  std::ifstream in(source, std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (!in.is_open() || in.bad()) return errno != 0 ? errno : EIO;
  OutputFile out;
  if (out.Open(target) && out.Write(bytes) && out.Commit()) return 0;
  return out.ErrorCode() != 0 ? out.ErrorCode() : EIO;
}

// Each shipped file that the user's Work/ lacks; a name already there, even a
// dangling link, is the operator's and stays. The first failure is kept; the
// rest are still tried, and a missing one is tried again at the next start.
void StockFromShipped(const WorkingFiles& shipped, const WorkingFiles& user, ProgramFolderChoice& choice) {
  std::error_code ec;
  std::filesystem::directory_iterator entries(shipped.WorkFolder(), ec);
  if (ec) return;  // nothing shipped
  for (const auto& entry : entries) {
    if (!entry.is_regular_file(ec)) continue;
    const auto target = user.WorkFolder() / entry.path().filename();
    if (std::filesystem::symlink_status(target, ec).type() != std::filesystem::file_type::not_found) continue;
    const int error = CopyShippedFile(entry.path(), target);
    if (error == 0 || choice.problem != ProgramFolderProblem::None) continue;
    choice.problem = ProgramFolderProblem::CannotCopy;
    choice.problemPath = target;
    choice.error = error;
  }
}

}  // namespace

std::filesystem::path UserProgramFolder(const UserFolders& user) {
  if (IsAbsoluteFolder(user.dataHome)) return std::filesystem::path(user.dataHome) / "zetlogic";
  if (IsAbsoluteFolder(user.home)) return std::filesystem::path(user.home) / ".local" / "share" / "zetlogic";
  return {};
}

ProgramFolderChoice ChooseProgramFolder(const std::filesystem::path& installed, bool installedWritable,
                                        const UserFolders& user) {
  if (installedWritable) return {installed};
  const auto folder = UserProgramFolder(user);
  if (folder.empty()) return Installed(installed, ProgramFolderProblem::NoUserFolder, {}, 0);
  const WorkingFiles files(folder);
  for (const auto& made : {files.WorkFolder(), files.ReportFolder()}) {
    std::error_code ec;
    std::filesystem::create_directories(made, ec);
    if (ec) return Installed(installed, ProgramFolderProblem::CannotMake, made, ec.value());
  }
  ProgramFolderChoice choice{folder, true};
  StockFromShipped(WorkingFiles(installed), files, choice);
  return choice;
}

}  // namespace zt
