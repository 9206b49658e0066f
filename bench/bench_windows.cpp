// The windowed program on the offscreen platform: the time from start to the
// main window when the recorder answers on the remembered port, and the time
// a load of a saved file takes against its 29 steps of 5 ms.
#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>

#include "app/windows/tf_men_zt.h"
#include "app/windows/tf_zetl.h"
#include "app/windows/tz_agr_file.h"
#include "core/sample_image.h"
#include "tests/windows/window_harness.h"

namespace {

using namespace zt;
using namespace zt::wintest;

constexpr int kRuns = 5;
// The load opens 50 ms after it was asked for, starts 50 ms later and then
// takes one block per 5 ms tick.
constexpr double kLoadFloorMs = 50 + 50 + 29 * 5;

struct Figures {
  double startMs = 0;
  double loadMs = 0;
};

Figures OneRun() {
  ProgramFolder folder;
  folder.WriteWorkFile("ZT_RS.000", "3\r\n");
  const std::string image = GenerateSampleImage(7);
  sim::SimulatorThread sim(image, {}, 38400);
  if (!sim.Start(folder.Files().PortLink(3))) return {};
  test::WriteBytes(folder.Files().ReportFolder() / "b.zt", image);

  Figures figures;
  QElapsedTimer clock;
  app::Program program(folder.Root(), {folder.LockFolder(), std::vector<std::string>{}});
  app::TfZetl* main = nullptr;
  ScenarioDriver driver;
  driver.Step("main window", [&] { return program.StartWindow().MainWindow().isVisible(); }, [&] {
    figures.startMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    main = &program.StartWindow().MainWindow();
    clock.restart();
    main->LoadIntoMainWindow(folder.Files().ReportFolder() / "b.zt");
  });
  driver.Step("load window", [] { return Modal<app::TZagrFile>() != nullptr; }, [] {});
  driver.Step("loaded", [&] { return QApplication::activeModalWidget() == main; },
              [&] { figures.loadMs = static_cast<double>(clock.nsecsElapsed()) / 1e6; });
  driver.StepExit([&] { return &program.StartWindow(); });
  clock.start();
  program.Start();
  driver.Run();
  return figures;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  double bestStart = 1e9, bestLoad = 1e9, sumStart = 0, sumLoad = 0;
  for (int i = 0; i < kRuns; ++i) {
    const Figures f = OneRun();
    bestStart = std::min(bestStart, f.startMs);
    bestLoad = std::min(bestLoad, f.loadMs);
    sumStart += f.startMs;
    sumLoad += f.loadMs;
  }
  std::printf("start to main window, recorder on the remembered port (38400 baud): min %.1f ms, mean %.1f ms\n",
              bestStart, sumStart / kRuns);
  std::printf("load of a saved file into the main window: min %.1f ms, mean %.1f ms (floor %.0f ms: 50 + 50 + 29 x 5)\n",
              bestLoad, sumLoad / kRuns, kLoadFloorMs);
  return 0;
}
