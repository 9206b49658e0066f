// A simulated recorder inside the calling program: its pty and its server on
// a thread of their own, for tests and benchmarks that drive the link over a
// real terminal device.
//
//   SimulatorThread sim(GenerateSampleImage(1), {}, 0);
//   if (!sim.Start(files.PortLink(3))) ... sim.ErrorText()
//   // the program under test opens COM3 ...
//   sim.Stop();
#pragma once

#include <atomic>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "sim/recorder_simulator.h"
#include "sim/sim_server.h"

namespace zt::sim {

class SimulatorThread {
 public:
  SimulatorThread(std::string image, SimulatorSettings settings, int baud);
  ~SimulatorThread() { Stop(); }
  SimulatorThread(const SimulatorThread&) = delete;
  SimulatorThread& operator=(const SimulatorThread&) = delete;

  // Opens the pty, links it where asked and starts answering.
  bool Start(const std::optional<std::filesystem::path>& link = std::nullopt);
  // Stops answering and closes the pty (its link goes too); waits for the thread.
  void Stop();

  const std::string& SlavePath() const { return port_.SlavePath(); }
  const std::string& ErrorText() const { return port_.ErrorText(); }
  // The memory as the last command left it.
  std::string Image() const;
  bool Vanished() const { return vanished_; }
  // Frames the recorder took; read it after Stop().
  std::size_t FramesSeen() const { return recorder_.FramesSeen(); }

 private:
  PtyPort port_;
  RecorderSimulator recorder_;
  int baud_;
  std::unique_ptr<SimServer> server_;
  std::thread thread_;
  mutable std::mutex mutex_;
  std::string image_;
  std::atomic<bool> vanished_{false};
};

}  // namespace zt::sim
