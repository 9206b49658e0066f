#include "app/shell/program_folder_notice.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "core/cp1251.h"

namespace zt::shell {
namespace {

TEST(ProgramFolderNotice, SaysWhatFailedAndWhereTheProgramWorks) {
  const std::string readOnly =
      "Программа работает из папки /usr/lib/zetlogic, закрытой для записи: рабочие файлы и отчеты не сохраняются.";
  const struct {
    ProgramFolderChoice choice;
    std::string notice;  // UTF-8
  } cases[] = {
      {{"/home/u/.local/share/zetlogic", true}, ""},
      {{"/usr/lib/zetlogic"}, ""},
      {{"/usr/lib/zetlogic", false, ProgramFolderProblem::NoUserFolder},
       "Не задана домашняя папка пользователя (HOME).\n" + readOnly},
      {{"/usr/lib/zetlogic", false, ProgramFolderProblem::CannotMake, "/home/u/.local/share/zetlogic/Work", ENOTDIR},
       "Не удалось создать папку /home/u/.local/share/zetlogic/Work: Not a directory (20).\n" + readOnly},
      {{"/home/u/.local/share/zetlogic", true, ProgramFolderProblem::CannotCopy,
        "/home/u/.local/share/zetlogic/Work/FIOmast.000", ENOSPC},
       "Не удалось скопировать рабочий файл /home/u/.local/share/zetlogic/Work/FIOmast.000: No space left on device "
       "(28).\nФайл будет скопирован при следующем запуске."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.notice);
    EXPECT_EQ(Cp1251ToUtf8(ProgramFolderNotice(c.choice)), c.notice);
  }
}

}  // namespace
}  // namespace zt::shell
