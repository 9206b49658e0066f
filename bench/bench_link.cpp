// The link against the simulated recorder paced at 38400 baud: a whole
// reading run, set against the line's own limit, and a search that finds the
// recorder on the remembered port.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "core/clock.h"
#include "core/protocol_log.h"
#include "core/device_image.h"
#include "core/sample_image.h"
#include "core/working_files.h"
#include "link/com_port_names.h"
#include "link/device_search.h"
#include "link/link_protocol.h"
#include "link/password_step.h"
#include "link/poll_host.h"
#include "link/reading_run.h"
#include "link/tty_serial_channel.h"
#include "sim/sim_thread.h"
#include "tests/link/temp_folder.h"

namespace {

using namespace zt;

constexpr int kCom = 3;
// 512 pages, each a 4-byte request and a 67-byte reply, 10 bits a byte.
constexpr double kLineLimitSeconds = 512.0 * (4 + 67) * 10 / 38400;

class QuietMessages final : public Messages {
 public:
  bool Show(MessageKind, std::string_view) override { return true; }
};

// A program folder with the recorder paced at 38400 baud behind Work/COM3, and
// the link as the program holds it, driven by the poll() host loop.
class PacedLink {
 public:
  PacedLink() : files_(folder_.Files()), recorder_(GenerateSampleImage(3), {}, link::kLinkBaudRate) {
    ok_ = recorder_.Start(files_.PortLink(kCom));
    channel_.SetBaudRate(link::kLinkBaudRate);
    channel_.SetDeviceName(link::ComName(kCom));
  }
  ~PacedLink() { recorder_.Stop(); }
  bool Ok() const { return ok_; }
  const WorkingFiles& Files() const { return files_; }

  bool Password() {
    link::PasswordStep step(protocol_, messages_, lastPassword_, link::OperationMode::Reading);
    if (!step.Accept("1234")) return false;
    host_.Run(link::kPasswordTickMs, [&] { step.Tick(); }, [&] { return !step.Waiting(); });
    return step.Accepted();
  }
  bool Read() {
    link::ReadingRun run(protocol_, messages_, files_);
    run.Start();
    host_.Run(link::kReadingTickMs, [&] { run.Tick(); }, [&] { return run.Finished(); });
    return run.DeviceRead();
  }
  bool Search() {
    link::SearchSettings settings;
    settings.rememberedPort = kCom;
    settings.tryRemembered = true;
    link::DeviceSearch search(protocol_, probe_, settings, files_);
    search.Start();
    host_.Run(link::kSearchTickMs, [&] { search.Tick(); }, [&] { return search.Finished(); });
    return search.Code() == link::SearchCode::Found;
  }

 private:
  link::fake::TempFolder folder_;
  WorkingFiles files_;
  sim::SimulatorThread recorder_;
  bool ok_ = false;
  link::ComPortNames names_{files_, {}};
  link::TtySerialChannel channel_{names_};
  link::TtyPortProbe probe_{names_};
  NullProtocolLog log_;
  SystemClock clock_;
  link::LinkProtocol protocol_{channel_, probe_, log_, clock_};
  link::SteadyMonotonicClock monotonic_;
  link::SystemPollWaiter waiter_;
  link::PollHost host_{channel_, monotonic_, waiter_};
  QuietMessages messages_;
  std::string lastPassword_;
};

double Seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

void BM_ReadingRunAt38400(benchmark::State& state) {
  PacedLink link;
  if (!link.Ok()) {
    state.SkipWithError("no pseudo-terminal");
    return;
  }
  double total = 0;
  for (auto _ : state) {
    if (!link.Password()) {
      state.SkipWithError("password not accepted");
      return;
    }
    const auto start = std::chrono::steady_clock::now();
    const bool read = link.Read();
    const double wall = Seconds(std::chrono::steady_clock::now() - start);
    if (!read || std::filesystem::file_size(link.Files().ImageFile()) != zt::kImageSize) {
      state.SkipWithError("reading failed");
      return;
    }
    state.SetIterationTime(wall);
    total += wall;
  }
  const double wall = total / static_cast<double>(state.iterations());
  state.counters["wall_s"] = wall;
  state.counters["limit_s"] = kLineLimitSeconds;
  state.counters["ratio"] = wall / kLineLimitSeconds;
  std::printf("reading run at 38400 baud: %.3f s, line limit %.3f s, ratio %.4f\n", wall, kLineLimitSeconds,
              wall / kLineLimitSeconds);
}
BENCHMARK(BM_ReadingRunAt38400)->Iterations(1)->Repetitions(3)->UseManualTime()->Unit(benchmark::kSecond);

void BM_SearchRememberedPortAt38400(benchmark::State& state) {
  PacedLink link;
  if (!link.Ok()) {
    state.SkipWithError("no pseudo-terminal");
    return;
  }
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    if (!link.Search()) {
      state.SkipWithError("recorder not found");
      return;
    }
    state.SetIterationTime(Seconds(std::chrono::steady_clock::now() - start));
  }
}
BENCHMARK(BM_SearchRememberedPortAt38400)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
