// A small event loop for hosts without a window system (the zt tool, tests):
// it waits on the channel's descriptor with poll(), lets the channel raise
// its data events, and calls a run's Tick() at the run's interval against a
// monotonic clock, until the run says it is done.
//
//   SteadyMonotonicClock clock;
//   SystemPollWaiter waiter;
//   PollHost host(channel, clock, waiter);   // channel: a ReadableSource
//   search.Start();
//   host.Run(kSearchTickMs, [&] { search.Tick(); }, [&] { return search.Finished(); });
//
// Ticks do not catch up: a host that fell behind ticks once and goes on one
// interval later, as a window timer does. Tests inject a clock and a waiter
// that advance time by hand, so no test sleeps.
#pragma once

#include <cstdint>
#include <functional>

#include "link/tty_serial_channel.h"

namespace zt::link {

class MonotonicClock {
 public:
  virtual ~MonotonicClock() = default;
  virtual std::int64_t NowMs() const = 0;
};

class SteadyMonotonicClock final : public MonotonicClock {
 public:
  std::int64_t NowMs() const override;
};

// Waits until fd is readable (or hung up) or timeoutMs passed; fd -1 waits
// for the time alone. True when fd is ready; a signal may end it early.
class PollWaiter {
 public:
  virtual ~PollWaiter() = default;
  virtual bool Wait(int fd, int timeoutMs) = 0;
};

class SystemPollWaiter final : public PollWaiter {
 public:
  bool Wait(int fd, int timeoutMs) override;
};

enum class HostEnd : std::uint8_t {
  Done,      // done() said so
  Stopped,   // stop() said so (Ctrl-C, say); the run was not finished
  TimedOut,  // the overall limit passed first
};

class PollHost {
 public:
  PollHost(ReadableSource& source, const MonotonicClock& clock, PollWaiter& waiter)
      : source_(source), clock_(clock), waiter_(waiter) {}

  // Calls tick() every intervalMs (the first one interval after the call)
  // and services the source in between, until done() is true after a tick
  // or an event. limitMs (0: none) guards against a run that never ends.
  HostEnd Run(int intervalMs, const std::function<void()>& tick, const std::function<bool()>& done,
              std::int64_t limitMs = 0);
  // Checked as often as done(); true ends Run() with Stopped.
  void SetStopRequest(std::function<bool()> stop) { stop_ = std::move(stop); }

  std::uint64_t Ticks() const { return ticks_; }
  std::uint64_t Events() const { return events_; }

 private:
  ReadableSource& source_;
  const MonotonicClock& clock_;
  PollWaiter& waiter_;
  std::function<bool()> stop_;
  std::uint64_t ticks_ = 0;
  std::uint64_t events_ = 0;
};

}  // namespace zt::link
