// zt's words about the program folder, and zt --version naming it.
#include "tools/zt/tool_folder.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "core/working_files.h"
#include "tests/tools/capture.h"
#include "tools/zt/program.h"

namespace zt::cli {
namespace {

TEST(ProgramFolderProblemText, SaysWhatFailedAndWhereZtWorks) {
  const struct {
    ProgramFolderChoice choice;
    const char* text;
  } cases[] = {
      {{"/home/u/.local/share/zetlogic", true}, ""},
      {{"/usr/lib/zetlogic"}, ""},
      {{"/usr/lib/zetlogic", false, ProgramFolderProblem::NoUserFolder},
       "zt: neither XDG_DATA_HOME nor HOME names an absolute folder; working in /usr/lib/zetlogic, where nothing "
       "can be saved"},
      {{"/usr/lib/zetlogic", false, ProgramFolderProblem::CannotMake, "/home/u/.local/share/zetlogic/Work", EACCES},
       "zt: cannot make /home/u/.local/share/zetlogic/Work: Permission denied; working in /usr/lib/zetlogic, where "
       "nothing can be saved"},
      {{"/home/u/.local/share/zetlogic", true, ProgramFolderProblem::CannotCopy,
        "/home/u/.local/share/zetlogic/Work/Q_RS.000", ENOSPC},
       "zt: cannot copy the shipped working file /home/u/.local/share/zetlogic/Work/Q_RS.000: No space left on "
       "device; it is tried again at the next start"},
      // A name is shown as the terminal shows every outside text: its controls as symbols.
      {{"/usr/lib/zetlogic", false, ProgramFolderProblem::CannotMake, "/home/a\x1b[2Jb/Work", ENOTDIR},
       "zt: cannot make /home/a\xe2\x90\x9b[2Jb/Work: Not a directory; working in /usr/lib/zetlogic, where nothing "
       "can be saved"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ProgramFolderProblemText(c.choice), c.text);
  }
}

TEST(Version, NamesTheVersionAndTheProgramFolderInUse) {
  // The test's own folder is writable, so it is the program folder, as for a build tree.
  const Outcome r = Capture([](const CommandArgs& args) { return RunProgram(args); }, {"--version"});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.out, std::string("zt ") + ZT_PROJECT_VERSION + "\nprogram folder: " + RunningProgramFolder().string() +
                       "\n");
  EXPECT_EQ(r.err, "");
  const Outcome extra = Capture([](const CommandArgs& args) { return RunProgram(args); }, {"--version", "x"});
  EXPECT_EQ(extra.code, 64);
  EXPECT_EQ(extra.out, "");
}

}  // namespace
}  // namespace zt::cli
