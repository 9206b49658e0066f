#include <QApplication>

#include "app/windows/program.h"
#include "core/working_files.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  zt::app::Program program(zt::RunningProgramFolder());
  if (!program.Start()) return 0;
  return QApplication::exec();
}
