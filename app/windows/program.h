// The program's entry: the splash, the start window with the single-instance
// check, the permanent windows, then the event loop.
//
//   QApplication app(argc, argv);
//   zt::app::Program program(zt::ProgramFolderInUse().folder);
//   if (!program.Start()) return 0;   // another instance runs: end silently
//   return app.exec();
#pragma once

#include <QTranslator>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/shell/single_instance.h"
#include "app/windows/window_state_guard.h"
#include "core/working_files.h"

namespace zt::app {

struct AppContext;
class QtPrinter;
class TfMen_ZT;

struct ProgramOptions {
  // Where the single-instance lock lives; the user's runtime folder when empty.
  std::filesystem::path lockFolder;
  // The machine's serial ports in COM order; read from the system when not given.
  std::optional<std::vector<std::string>> systemPorts;
  // The printers reports go to; the system's when not given.
  std::function<std::unique_ptr<QtPrinter>()> printers = {};
  // Told the operator once the lock is held, before any window: what went
  // wrong with the program folder (Windows-1251); nothing when empty.
  std::string startWarning = {};
};

class Program {
 public:
  explicit Program(const std::filesystem::path& programFolder, ProgramOptions options = {});
  ~Program();

  // False when another instance holds the lock: nothing is shown but the splash.
  bool Start();

  AppContext& Context() { return *context_; }
  TfMen_ZT& StartWindow() { return *start_; }

 private:
  ProgramOptions options_;
  QTranslator translator_;
  WindowStateGuard stateGuard_;
  WorkingFiles files_;
  std::unique_ptr<shell::SingleInstanceLock> lock_;
  std::unique_ptr<AppContext> context_;
  std::unique_ptr<TfMen_ZT> start_;
};

}  // namespace zt::app
