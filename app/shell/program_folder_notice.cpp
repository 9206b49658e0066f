#include "app/shell/program_folder_notice.h"

#include <cstring>

#include "core/cp1251.h"

namespace zt::shell {
namespace {

std::string PathText(const std::filesystem::path& path) { return Utf8ToCp1251(path.native()); }

std::string Reason(int error) { return Utf8ToCp1251(std::strerror(error)) + " (" + std::to_string(error) + ")"; }

std::string ReadOnlyFolder(const ProgramFolderChoice& choice) {
  return std::string("Программа работает из папки "_cp) + PathText(choice.folder) +
         std::string(", закрытой для записи: рабочие файлы и отчеты не сохраняются."_cp);
}

}  // namespace

std::string ProgramFolderNotice(const ProgramFolderChoice& choice) {
  switch (choice.problem) {
    case ProgramFolderProblem::None: return {};
    case ProgramFolderProblem::NoUserFolder:
      return std::string("Не задана домашняя папка пользователя (HOME).\n"_cp) + ReadOnlyFolder(choice);
    case ProgramFolderProblem::CannotMake:
      return std::string("Не удалось создать папку "_cp) + PathText(choice.problemPath) + ": " +
             Reason(choice.error) + ".\n" + ReadOnlyFolder(choice);
    case ProgramFolderProblem::CannotCopy:
      return std::string("Не удалось скопировать рабочий файл "_cp) + PathText(choice.problemPath) + ": " +
             Reason(choice.error) + std::string(".\nФайл будет скопирован при следующем запуске."_cp);
  }
  return {};
}

}  // namespace zt::shell
