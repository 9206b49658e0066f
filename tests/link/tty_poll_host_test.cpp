// The poll() host loop: ticks against an injected clock, events from a
// source, and the same loop on a real pseudo-terminal.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "link/poll_host.h"
#include "tests/link/temp_folder.h"
#include "tests/link/tty_pty.h"

namespace zt::link {
namespace {

class ManualClock final : public MonotonicClock {
 public:
  std::int64_t NowMs() const override { return now; }
  std::int64_t now = 1000;
};

// Time passes only in waits: a wait lasts its whole timeout unless the
// source is due to become readable before then.
class ScriptedWaiter final : public PollWaiter {
 public:
  explicit ScriptedWaiter(ManualClock& clock) : clock_(clock) {}
  bool Wait(int fd, int timeoutMs) override {
    waits.push_back({fd, timeoutMs});
    if (fd >= 0 && readyAt && *readyAt <= clock_.now + timeoutMs) {
      clock_.now = std::max(clock_.now, *readyAt);
      readyAt.reset();
      return true;
    }
    clock_.now += timeoutMs;
    return false;
  }
  struct Call {
    int fd;
    int timeoutMs;
  };
  std::vector<Call> waits;
  std::optional<std::int64_t> readyAt;

 private:
  ManualClock& clock_;
};

class CountingSource final : public ReadableSource {
 public:
  int EventFd() const override { return fd; }
  void OnReadable() override { readableAt.push_back(clock->now); }
  int fd = 7;
  const ManualClock* clock = nullptr;
  std::vector<std::int64_t> readableAt;
};

class PollHostTest : public ::testing::Test {
 protected:
  PollHostTest() { source.clock = &clock; }
  ManualClock clock;
  ScriptedWaiter waiter{clock};
  CountingSource source;
  PollHost host{source, clock, waiter};
  std::vector<std::int64_t> tickTimes;
  std::function<void()> tick = [this] { tickTimes.push_back(clock.now); };
};

TEST_F(PollHostTest, TicksAtTheIntervalUntilDone) {
  const HostEnd end = host.Run(5, tick, [&] { return tickTimes.size() == 4; });
  EXPECT_EQ(end, HostEnd::Done);
  EXPECT_EQ(tickTimes, (std::vector<std::int64_t>{1005, 1010, 1015, 1020}));
  EXPECT_EQ(host.Ticks(), 4u);
  for (const auto& w : waiter.waits) EXPECT_EQ(w.fd, 7);
}

TEST_F(PollHostTest, DoneBeforeStartingMeansNoTick) {
  EXPECT_EQ(host.Run(50, tick, [] { return true; }), HostEnd::Done);
  EXPECT_TRUE(tickTimes.empty());
  EXPECT_TRUE(waiter.waits.empty());
}

TEST_F(PollHostTest, EventBetweenTicksIsServedWithoutMovingTheTicks) {
  waiter.readyAt = 1012;
  host.Run(5, tick, [&] { return tickTimes.size() == 3; });
  EXPECT_EQ(source.readableAt, (std::vector<std::int64_t>{1012}));
  EXPECT_EQ(tickTimes, (std::vector<std::int64_t>{1005, 1010, 1015}));
  EXPECT_EQ(host.Events(), 1u);
  // The wait after the event lasts only to the next tick.
  ASSERT_GE(waiter.waits.size(), 4u);
  EXPECT_EQ(waiter.waits[2].timeoutMs, 5);
  EXPECT_EQ(waiter.waits[3].timeoutMs, 3);
}

TEST_F(PollHostTest, EventThatFinishesTheRunEndsItBeforeTheNextTick) {
  waiter.readyAt = 1007;
  EXPECT_EQ(host.Run(5, tick, [&] { return !source.readableAt.empty(); }), HostEnd::Done);
  EXPECT_EQ(tickTimes, (std::vector<std::int64_t>{1005}));
}

TEST_F(PollHostTest, LateTickIsNotCaughtUpInABurst) {
  bool first = true;
  const auto slowFirstTick = [&] {
    tickTimes.push_back(clock.now);
    if (first) clock.now += 35;
    first = false;
  };
  host.Run(10, slowFirstTick, [&] { return tickTimes.size() == 3; });
  // One late tick at once, then the interval again.
  EXPECT_EQ(tickTimes, (std::vector<std::int64_t>{1010, 1045, 1055}));
}

TEST_F(PollHostTest, SourceWithoutDescriptorIsWaitedForTimeOnly) {
  source.fd = -1;
  waiter.readyAt = 1002;
  host.Run(5, tick, [&] { return tickTimes.size() == 2; });
  EXPECT_TRUE(source.readableAt.empty());
  for (const auto& w : waiter.waits) EXPECT_EQ(w.fd, -1);
}

TEST_F(PollHostTest, LimitEndsARunThatNeverFinishes) {
  EXPECT_EQ(host.Run(50, tick, [] { return false; }, 120), HostEnd::TimedOut);
  EXPECT_EQ(tickTimes, (std::vector<std::int64_t>{1050, 1100}));
  EXPECT_EQ(clock.now, 1120);
}

TEST_F(PollHostTest, StopRequestEndsTheRun) {
  host.SetStopRequest([&] { return tickTimes.size() == 2; });
  EXPECT_EQ(host.Run(5, tick, [] { return false; }), HostEnd::Stopped);
  EXPECT_EQ(tickTimes.size(), 2u);
}

// The real loop over a pseudo-terminal: bytes from the far end reach the
// data handler, and a vanished port is not waited on any more.
class PollHostPtyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(pty.Ok());
    channel.SetBaudRate(38400);
    channel.SetDeviceName(pty.SlavePath());
    channel.SetOnData([this](std::size_t) { received += channel.ReadString(); });
    channel.SetOnVanished([this] { ++vanished; });
    ASSERT_TRUE(channel.Open());
  }
  testing::PtyPair pty;
  fake::TempFolder folder;
  ComPortNames names{folder.Files(), {}};
  TtySerialChannel channel{names};
  std::string received;
  int vanished = 0;
};

// Counts the waits on the real poll(); a spinning loop would make thousands.
class CountingWaiter final : public PollWaiter {
 public:
  bool Wait(int fd, int timeoutMs) override {
    ++calls;
    if (fd < 0) ++timeOnly;
    return real.Wait(fd, timeoutMs);
  }
  SystemPollWaiter real;
  int calls = 0;
  int timeOnly = 0;
};

TEST_F(PollHostPtyTest, BytesFromTheFarEndReachTheHandler) {
  SteadyMonotonicClock clock;
  SystemPollWaiter waiter;
  PollHost host(channel, clock, waiter);
  ASSERT_TRUE(pty.Write("reply bytes"));
  const HostEnd end = host.Run(5, [] {}, [&] { return received.size() >= 11; }, testing::kGuardMs);
  EXPECT_EQ(end, HostEnd::Done);
  EXPECT_EQ(received, "reply bytes");
}

TEST_F(PollHostPtyTest, VanishedPortStopsTheWaitsOnIt) {
  SteadyMonotonicClock clock;
  CountingWaiter waiter;
  PollHost host(channel, clock, waiter);
  pty.CloseMaster();
  int ticks = 0;
  host.Run(2, [&] { ++ticks; }, [&] { return ticks == 5; }, testing::kGuardMs);
  EXPECT_EQ(vanished, 1);
  EXPECT_EQ(host.Events(), 1u);
  // After the one hang-up event every wait is for time alone.
  EXPECT_EQ(waiter.calls - waiter.timeOnly, 1);
  EXPECT_LE(waiter.calls, 12);
}

}  // namespace
}  // namespace zt::link
