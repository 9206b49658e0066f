// How a long report build lets the windows breathe and hears the stop key.
#pragma once

#include <atomic>
#include <cstdint>

namespace zt::report {

// Processes the window system's pending events for at least 1 ms.
class EventPump {
 public:
  virtual ~EventPump() = default;
  virtual void ProcessEvents() = 0;
};

// For the command-line tool, tests and benchmarks: there are no events.
class NoEventPump final : public EventPump {
 public:
  void ProcessEvents() override {}
};

// Called once per row or line examined; every 100th call pumps the events.
class YieldPoint {
 public:
  static constexpr std::uint32_t kInterval = 100;

  explicit YieldPoint(EventPump& pump) : pump_(pump) {}
  void operator()() {
    if (++calls_ % kInterval == 0) pump_.ProcessEvents();
  }
  void Reset() { calls_ = 0; }
  std::uint32_t Calls() const { return calls_; }

 private:
  EventPump& pump_;
  std::uint32_t calls_ = 0;
};

// Set by F10 while a build runs; cleared when a build starts.
class StopRequest {
 public:
  void Set() { set_.store(true, std::memory_order_relaxed); }
  void Clear() { set_.store(false, std::memory_order_relaxed); }
  bool IsSet() const { return set_.load(std::memory_order_relaxed); }

 private:
  std::atomic<bool> set_{false};
};

}  // namespace zt::report
