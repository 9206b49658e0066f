// Whether the line has been quiet: the ticks of a run in a row during which
// no byte arrived. A request that follows one which may still be answered
// waits for a quiet line, so that a late reply cannot pass for its own.
#pragma once

#include <cstdint>

#include "link/link_protocol.h"

namespace zt::link {

// The quiet a request waits for after a time-out, in the 5 ms ticks of the
// reading and writing runs. The recorder answers a request that came while it
// was still busy as soon as it is free: at 38400 baud a whole page reply takes
// 17.4 ms, the recorder's turnaround a few ms more, and a USB adapter may hold
// bytes back for up to 16 ms (its latency timer) and hand them over in one
// burst. 100 ms of silence outlasts all three together with room to spare; it
// is paid after a time-out, which has cost 230 ms already, and once before a
// writing run's first command, never between the pages of a clean reading.
inline constexpr int kQuietTickMs = 5;
inline constexpr int kQuietGuardMs = 100;
inline constexpr int kQuietGuardTicks = kQuietGuardMs / kQuietTickMs;
// A line that never goes quiet for that long is no recorder to talk to: the
// wait for quiet gives up after 1 s.
inline constexpr int kQuietWaitLimitTicks = 1000 / kQuietTickMs;

class QuietLine {
 public:
  explicit QuietLine(const LinkProtocol& protocol) : protocol_(protocol) {}

  // Counts from now, as if bytes had just come.
  void Restart();
  // Once per tick of the run: a tick that saw bytes arrive starts the count again.
  void Tick();
  // Ticks in a row without a byte, up to this one.
  int QuietTicks() const { return quietTicks_; }
  // Ticks since Restart(), quiet or not.
  int TicksWaited() const { return ticksWaited_; }

 private:
  const LinkProtocol& protocol_;
  std::uint64_t bytesSeen_ = 0;
  int quietTicks_ = 0;
  int ticksWaited_ = 0;
};

}  // namespace zt::link
