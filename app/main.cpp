#include <QApplication>

#include "app/shell/program_folder_notice.h"
#include "app/windows/program.h"
#include "core/program_folder_in_use.h"
#include "core/temp_file_cleanup.h"

int main(int argc, char** argv) {
  // A signal must not leave half-written temporary files behind.
  zt::InstallTempFileCleanup();
  QApplication app(argc, argv);
  // Installed where the operator may not write, the program works in a folder of the user's.
  const zt::ProgramFolderChoice folder = zt::ProgramFolderInUse();
  zt::app::ProgramOptions options;
  options.startWarning = zt::shell::ProgramFolderNotice(folder);
  zt::app::Program program(folder.folder, std::move(options));
  if (!program.Start()) return 0;
  return QApplication::exec();
}
