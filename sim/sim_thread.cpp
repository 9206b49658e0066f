#include "sim/sim_thread.h"

namespace zt::sim {

SimulatorThread::SimulatorThread(std::string image, SimulatorSettings settings, int baud)
    : recorder_(RecorderMemory(std::move(image)), std::move(settings)), baud_(baud),
      image_(recorder_.Memory().Image()) {}

bool SimulatorThread::Start(const std::optional<std::filesystem::path>& link) {
  if (server_) return true;
  if (!port_.Open()) return false;
  if (link && !port_.MakeLink(*link)) {
    port_.Close();
    return false;
  }
  server_ = std::make_unique<SimServer>(recorder_, port_, baud_, [this](const RecorderMemory& memory) {
    const std::lock_guard lock(mutex_);
    image_ = memory.Image();
  });
  if (!server_->Ready()) {
    server_.reset();
    port_.Close();
    return false;
  }
  thread_ = std::thread([this] {
    server_->Run();
    vanished_ = server_->Vanished();
  });
  return true;
}

void SimulatorThread::Stop() {
  if (!server_) return;
  server_->Stop();
  if (thread_.joinable()) thread_.join();
  server_.reset();
  port_.Close();
}

std::string SimulatorThread::Image() const {
  const std::lock_guard lock(mutex_);
  return image_;
}

}  // namespace zt::sim
