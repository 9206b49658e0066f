// When each byte of a reply would have left a real serial line: a pty moves
// bytes at once, so the simulator holds them back to the line rate. A reply
// starts once the request could have arrived (a late one its delay after
// that), never before the reply scheduled ahead of it has gone; each byte
// takes ten bit times, and the pieces of a split reply are kept apart by a
// short gap. Deadlines are absolute, so the pace does not drift with the time
// spent writing.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "sim/recorder_simulator.h"
#include "sim/sim_time.h"

namespace zt::sim {

// Bytes written at most in one go on a paced line.
inline constexpr std::size_t kPacedChunk = 8;
// The port goes this long after the last reply, so the client still reads it.
inline constexpr Nanos kVanishGrace = 20 * kNanosPerMilli;
inline constexpr Nanos kPieceGap = 200'000;  // long enough for the reader to wake between pieces

// Bytes to write at `deadline`; the line vanishes after them when endsLine is set.
struct TimedChunk {
  std::string bytes;
  Nanos deadline = 0;
  bool endsLine = false;
};

class LinePacer {
 public:
  // baud 0: unpaced, bytes go out as soon as they are due.
  explicit LinePacer(int baud) : byteTime_(ByteTime(baud)) {}

  Nanos ByteTimeNs() const { return byteTime_; }
  // `count` request bytes were read at `now`: on a real line the last of them
  // would arrive only after their own transmission time.
  void Received(std::size_t count, Nanos now);
  // The chunks of a reply, after everything scheduled before it.
  std::vector<TimedChunk> Schedule(const Reply& reply, Nanos now);

 private:
  Nanos byteTime_;
  Nanos receiveEnd_ = 0;
  Nanos transmitEnd_ = 0;
};

}  // namespace zt::sim
