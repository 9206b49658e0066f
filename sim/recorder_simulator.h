// A recorder as the link sees it: command frames in, replies out, answered
// from its memory and bent by its fault schedule. No port, no clock of its
// own: the caller passes the time of every delivery, so it is driven by tests
// as by the pty server.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/fault_schedule.h"
#include "sim/frame_splitter.h"
#include "sim/recorder_memory.h"
#include "sim/sim_time.h"

namespace zt::sim {

inline constexpr std::uint16_t kDefaultPassword = 1234;

// The recorder's error flags.
inline constexpr std::uint8_t kErrorUnknownCommand = 0x01;
inline constexpr std::uint8_t kErrorChecksum = 0x02;
inline constexpr std::uint8_t kErrorParameter = 0x04;

struct SimulatorSettings {
  std::uint16_t password = kDefaultPassword;
  FaultSchedule faults;
  Nanos idleGap = 2 * kNanosPerMilli;
};

// One reply: its pieces go out in order, with a short gap between them; after
// the last one the port disappears when endsLine is set. A late reply starts
// `delay` after its request.
struct Reply {
  std::vector<std::string> pieces;
  bool endsLine = false;
  Nanos delay = 0;
};

// A normal reply (first byte 00) and an error reply (first byte 0x80), checksum appended.
std::string NormalReply(std::string_view payload);
std::string ErrorReply(std::uint8_t errorByte);

class RecorderSimulator {
 public:
  RecorderSimulator(RecorderMemory memory, SimulatorSettings settings);

  // Bytes from the line at `now`: the replies to the frames they complete.
  std::vector<Reply> Receive(std::string_view bytes, Nanos now);
  // The line has been quiet: the reply to garbage held, if any.
  std::vector<Reply> Idle(Nanos now);
  std::optional<Nanos> IdleDeadline() const { return splitter_.IdleDeadline(); }

  const RecorderMemory& Memory() const { return memory_; }
  // True once after the texts or the clock changed.
  bool TakeImageChanged();
  bool Vanished() const { return vanished_; }
  std::size_t FramesSeen() const { return frames_; }
  std::size_t RepliesSent() const { return replies_; }

 private:
  std::optional<Reply> Answer(const SplitFrame& frame);
  // The reply the command asks for, its effect on the memory made; none for a dropped page.
  std::optional<std::string> Execute(std::string_view frame);
  std::string SetClock(std::string_view frame);
  // How late the reply to this frame is due, by the fault schedule; 0 when on time.
  Nanos TakeLateDelay(std::string_view frame);
  Reply Shape(std::string bytes) const;

  RecorderMemory memory_;
  SimulatorSettings settings_;
  FrameSplitter splitter_;
  std::size_t frames_ = 0;
  std::size_t replies_ = 0;
  bool changed_ = false;
  bool vanished_ = false;
};

}  // namespace zt::sim
