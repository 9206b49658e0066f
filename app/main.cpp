#include <QApplication>

#include "app/windows/program.h"
#include "core/temp_file_cleanup.h"
#include "core/working_files.h"

int main(int argc, char** argv) {
  // A signal must not leave half-written temporary files behind.
  zt::InstallTempFileCleanup();
  QApplication app(argc, argv);
  zt::app::Program program(zt::RunningProgramFolder());
  if (!program.Start()) return 0;
  return QApplication::exec();
}
