// zt-sim: a recorder on a pseudo-terminal, for trying the link without one.
#include <csignal>
#include <cstdio>
#include <string>
#include <string_view>

#include "core/sample_image.h"
#include "core/temp_file_cleanup.h"
#include "sim/image_file.h"
#include "sim/sim_options.h"
#include "sim/sim_server.h"

namespace {

zt::sim::SimServer* gServer = nullptr;

void OnSignal(int) {
  if (gServer != nullptr) gServer->Stop();
}

}  // namespace

int main(int argc, char** argv) {
  using namespace zt::sim;
  // Taken before SIGINT and SIGTERM become the server's stop below.
  zt::InstallTempFileCleanup();
  for (int i = 1; i < argc; ++i) {
    if (std::string_view(argv[i]) == "--help" || std::string_view(argv[i]) == "-h") {
      std::fputs(SimUsage().c_str(), stdout);
      return 0;
    }
  }
  const SimOptionsResult parsed = ParseSimOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (!parsed.ok) {
    std::fprintf(stderr, "zt-sim: %s\n%s", parsed.error.c_str(), SimUsage().c_str());
    return 2;
  }
  const SimOptions& options = parsed.options;

  std::string image;
  if (options.image) {
    const auto loaded = LoadImageFile(*options.image);
    if (!loaded) {
      std::fprintf(stderr, "zt-sim: %s: not a readable image of 32768 bytes\n", options.image->c_str());
      return 1;
    }
    image = *loaded;
  } else {
    image = zt::GenerateSampleImage(*options.seed);
  }

  PtyPort port;
  if (!port.Open()) {
    std::fprintf(stderr, "zt-sim: %s\n", port.ErrorText().c_str());
    return 1;
  }
  if (options.link && !port.MakeLink(*options.link)) {
    std::fprintf(stderr, "zt-sim: %s\n", port.ErrorText().c_str());
    return 1;
  }
  RecorderSimulator recorder(RecorderMemory(std::move(image)), {options.password, options.faults});
  std::function<void(const RecorderMemory&)> save;
  if (options.save) {
    save = [path = *options.image](const RecorderMemory& memory) {
      if (!SaveImageFile(path, memory.Image())) std::fprintf(stderr, "zt-sim: %s: could not save\n", path.c_str());
    };
  }
  SimServer server(recorder, port, options.baud, save);
  if (!server.Ready()) {
    std::fprintf(stderr, "zt-sim: no stop signal\n");
    return 1;
  }
  gServer = &server;
  std::signal(SIGINT, OnSignal);
  std::signal(SIGTERM, OnSignal);
  // Printed once a stop signal is handled, so whoever reads it may send one.
  std::printf("%s\n", port.SlavePath().c_str());
  std::fflush(stdout);
  server.Run();
  gServer = nullptr;
  if (server.Vanished()) std::fprintf(stderr, "zt-sim: the port vanished\n");
  return 0;
}
