// Which folder holds Work/ and Report/. A program the operator may write beside
// (a build tree, a prefix of one's own, a USB stick) keeps its own folder; one
// installed where the operator may not write (a system package) works in a
// folder of the user's, which is stocked once with the files shipped in the
// installed Work/ and never overwritten after, so the operator's files outlive
// upgrades.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace zt {

// The values of XDG_DATA_HOME and HOME, empty when unset.
struct UserFolders {
  std::string dataHome;
  std::string home;
};

enum class ProgramFolderProblem : std::uint8_t {
  None = 0,
  NoUserFolder = 1,  // neither value names an absolute folder: the installed folder is used
  CannotMake = 2,    // the user's folder could not be made: the installed folder is used
  CannotCopy = 3,    // a shipped file could not be copied: the user's folder is used without it
};

struct ProgramFolderChoice {
  std::filesystem::path folder = {};  // the program folder in use
  bool perUser = false;          // the user's folder rather than the installed one
  ProgramFolderProblem problem = ProgramFolderProblem::None;
  std::filesystem::path problemPath = {};  // the folder or file at fault
  int error = 0;                      // errno of the failure
};

// `<XDG_DATA_HOME>/zetlogic`, or `<HOME>/.local/share/zetlogic` when that is
// unset, empty or relative (the base directory rules ignore a relative one);
// empty when HOME is no absolute folder either.
std::filesystem::path UserProgramFolder(const UserFolders& user);

// installedWritable: whether the operator may write in the installed folder
// (see ProgramFolderWritable); decided by the caller so that tests need no
// real permissions.
ProgramFolderChoice ChooseProgramFolder(const std::filesystem::path& installed, bool installedWritable,
                                        const UserFolders& user);

}  // namespace zt
