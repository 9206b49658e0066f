// Runs a simulated recorder on the master side of its pty: reads requests,
// lets the recorder answer them and writes the replies out at the line rate.
// Run() blocks until Stop() (from any thread) or until the recorder's port
// vanished as its fault schedule said.
#pragma once

#include <atomic>
#include <deque>
#include <functional>

#include "sim/line_pacer.h"
#include "sim/pty_port.h"
#include "sim/recorder_simulator.h"

namespace zt::sim {

class SimServer {
 public:
  // onImageChanged: after a command changed the memory (the --save option).
  SimServer(RecorderSimulator& recorder, PtyPort& port, int baud,
            std::function<void(const RecorderMemory&)> onImageChanged = {});
  ~SimServer();
  SimServer(const SimServer&) = delete;
  SimServer& operator=(const SimServer&) = delete;

  // False when the stop signal could not be set up.
  bool Ready() const { return stopPipe_[0] >= 0; }
  void Run();
  void Stop();
  bool Vanished() const { return vanished_; }

 private:
  // The count of bytes read.
  std::size_t ReadRequests();
  void Queue(std::vector<Reply> replies, Nanos now);
  void WriteDue(Nanos now);
  void WriteAll(const std::string& bytes);
  // How long to wait for input before the next output or idle deadline (-1: no limit).
  Nanos WaitTime(Nanos now) const;

  RecorderSimulator& recorder_;
  PtyPort& port_;
  LinePacer pacer_;
  std::function<void(const RecorderMemory&)> onImageChanged_;
  std::deque<TimedChunk> output_;
  int stopPipe_[2] = {-1, -1};
  std::atomic<bool> stop_{false};
  bool vanished_ = false;
};

// The monotonic clock the server runs on.
Nanos MonotonicNow();

}  // namespace zt::sim
