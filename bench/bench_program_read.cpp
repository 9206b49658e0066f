// A whole reading of the recorder at 38400 baud, through the windowed program
// and through `zt read`, side by side in one run: the program's windows, timers
// and socket notifier must not make it slower than the tool's poll() loop.
//
// Both are timed from the password on to the last page stored: the program
// from Enter in the password window to the reading window's end, the tool over
// its whole process (start-up, password, the 100 ms first tick, the pages).
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/windows/tf_pass.h"
#include "app/windows/tf_rd_zt.h"
#include "core/device_image.h"
#include "core/sample_image.h"
#include "link/com_port_names.h"
#include "link/link_protocol.h"
#include "tests/windows/device_steps.h"

namespace {

using namespace zt;
using namespace zt::wintest;

constexpr int kRounds = 5;

// Seconds of the program's reading; negative when it did not complete.
double ProgramRead(const std::string& memory) {
  RecorderProgram p(memory, {}, link::kLinkBaudRate);
  if (!p.Start()) return -1;
  app::TfZetl& main = p.Main();
  QElapsedTimer clock;
  double seconds = -1;
  ScenarioDriver driver(60000);
  Command(driver, main, "mZT_Read");
  driver.Step("password", [] { return Modal<app::TfPass>() != nullptr; }, [&] {
    auto* entry = Modal<app::TfPass>()->findChild<QLineEdit*>("edPass");
    QTest::keyClicks(entry, "1234");
    QTimer::singleShot(0, entry, [entry, &clock] {
      clock.start();
      QTest::keyClick(entry, Qt::Key_Return);
    });
  });
  driver.Step("reading window", [] { return Modal<app::TfRd_ZT>() != nullptr; }, [&] {
    app::TfRd_ZT* window = Modal<app::TfRd_ZT>();
    QObject::connect(window, &QDialog::finished, [&, window] {
      if (window->Reading().DeviceRead()) seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    });
  });
  driver.Step("read", [&] { return InFront(main) && seconds >= 0; }, [] {});
  driver.StepExit([&] { return p.StartWindow(); });
  if (!driver.Run()) std::fprintf(stderr, "program: %s\n", qPrintable(driver.Failures().join("; ")));
  return seconds;
}

// Seconds of `zt read` as a process; negative when it failed.
double ToolRead(const std::string& memory) {
  ProgramFolder folder;
  sim::SimulatorThread recorder(memory, {}, link::kLinkBaudRate);
  if (!recorder.Start(folder.Files().PortLink(kRecorderCom))) return -1;
  const std::string out = (folder.Root() / "tool.zt").string();
  const std::string command = std::string("'") + ZT_TOOL + "' read --port COM3 --password 1234 -o '" + out +
                              "' --workdir '" + folder.Root().string() + "' 2>/dev/null";
  const auto start = std::chrono::steady_clock::now();
  const int status = std::system(command.c_str());
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (status != 0 || test::ReadBytes(out) != memory) return -1;
  return seconds;
}

// CPU seconds used so far by this process (the program and the simulated recorder) and by its finished children.
double CpuSeconds(int who) {
  rusage usage{};
  getrusage(who, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  const std::string memory = GenerateSampleImage(3);
  std::vector<double> program, tool;
  for (int round = 1; round <= kRounds; ++round) {
    const double toolCpu0 = CpuSeconds(RUSAGE_SELF) + CpuSeconds(RUSAGE_CHILDREN);
    const double t = ToolRead(memory);
    const double programCpu0 = CpuSeconds(RUSAGE_SELF) + CpuSeconds(RUSAGE_CHILDREN);
    const double w = ProgramRead(memory);
    const double programCpu = CpuSeconds(RUSAGE_SELF) + CpuSeconds(RUSAGE_CHILDREN) - programCpu0;
    const double toolCpu = programCpu0 - toolCpu0;
    if (t < 0 || w < 0) {
      std::fprintf(stderr, "round %d: a reading failed (zt read %.3f s, program %.3f s)\n", round, t, w);
      return 1;
    }
    tool.push_back(t);
    program.push_back(w);
    std::printf("round %d: zt read %.3f s, program %.3f s, ratio %.4f (CPU with the recorder: %.2f s, %.2f s)\n", round,
                t, w, w / t, toolCpu, programCpu);
  }
  const double t = Median(tool), w = Median(program);
  std::printf("median: zt read %.3f s, program %.3f s, program / zt read %.4f (%+.2f %%)\n", t, w, w / t,
              (w / t - 1) * 100);
  const double tb = *std::min_element(tool.begin(), tool.end()), wb = *std::min_element(program.begin(), program.end());
  std::printf("best:   zt read %.3f s, program %.3f s, program / zt read %.4f (%+.2f %%)\n", tb, wb, wb / tb,
              (wb / tb - 1) * 100);
  return 0;
}
