// The program against the simulated recorder: the recorder behind Work/COM3
// (the remembered port, so the start-up search finds it at once), and the
// operator's steps of reading and writing.
#pragma once

#include <QString>
#include <filesystem>
#include <string>

#include "app/windows/app_context.h"
#include "app/windows/program.h"
#include "app/windows/tf_men_zt.h"
#include "app/windows/tf_zetl.h"
#include "sim/recorder_simulator.h"
#include "sim/sim_thread.h"
#include "tests/windows/window_harness.h"

namespace zt::wintest {

inline constexpr int kRecorderCom = 3;

class RecorderProgram {
 public:
  // baud 0: the recorder answers at once.
  explicit RecorderProgram(std::string image, sim::SimulatorSettings settings = {}, int baud = 0);

  // The recorder, then the program; false when either cannot start.
  bool Start();

  app::TfZetl& Main() { return program.StartWindow().MainWindow(); }
  app::AppContext& Context() { return program.Context(); }
  QWidget* StartWindow() { return &program.StartWindow(); }

  ProgramFolder folder;
  sim::SimulatorThread recorder;
  app::Program program;
};

// The steps an activity indicator of the main window has made (10 each, 0 after 100);
// steps made together show as one move.
class ActivitySteps {
 public:
  ActivitySteps(app::TfZetl& main, const char* indicator);
  int Steps() const { return steps_; }

 private:
  int steps_ = 0;
  int shown_ = 0;
};

// Step: a main-window menu command ("mZT_Read", "mZT_Write", ...), once the main window is on top.
void Command(ScenarioDriver& driver, app::TfZetl& main, const char* action);

// Types the text into the widget key by key, any characters (QTest's keys are Latin only).
void TypeText(QWidget* widget, const QString& text);

// Step: the password typed into the password window, then Enter.
void EnterPassword(ScenarioDriver& driver, const QString& text);

// Steps: the reading window after an accepted password, then the load of the image file.
void ReadAndLoad(ScenarioDriver& driver, app::TfZetl& main);
// Steps: "ЧТЕНИЕ", the password, the reading window, then the load of the image file.
void ReadRecorder(ScenarioDriver& driver, app::TfZetl& main, const QString& password = QStringLiteral("1234"));

// The texts of a .zt file's parameter block, as decoded.
DecodedImage DecodedHeader(const std::string& image);

}  // namespace zt::wintest
