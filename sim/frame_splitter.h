// Cuts the bytes a recorder receives into command frames. The length of each
// command's frame is known from its first bytes; bytes that start no command
// are held until the line has been idle for a while and then handed on as
// one unknown frame, and a frame left incomplete that long is dropped, so the
// next command after a pause is read from its first byte again.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/sim_time.h"

namespace zt::sim {

inline constexpr std::size_t kNeedMoreBytes = 0;
inline constexpr std::size_t kNoCommand = static_cast<std::size_t>(-1);

// The length of the frame that starts with `head`: kNeedMoreBytes when more
// bytes are needed to tell, kNoCommand when no command starts so.
std::size_t ExpectedFrameLength(std::string_view head);

struct SplitFrame {
  std::string bytes;
  bool unknown = false;  // no command starts with these bytes
};

class FrameSplitter {
 public:
  explicit FrameSplitter(Nanos idleGap) : idleGap_(idleGap) {}

  // Bytes received at `now`; the frames they complete, in order (an unknown
  // frame closed by the idle gap before them comes first).
  std::vector<SplitFrame> Push(std::string_view bytes, Nanos now);
  // After the idle gap: the unknown frame held, if any; an incomplete frame is dropped.
  std::optional<SplitFrame> Idle(Nanos now);
  // When Idle() will have something to do; none while nothing is held.
  std::optional<Nanos> IdleDeadline() const;
  const std::string& Held() const { return buffer_; }
  std::size_t DroppedBytes() const { return dropped_; }

 private:
  Nanos idleGap_;
  std::string buffer_;
  Nanos lastByte_ = 0;
  std::size_t dropped_ = 0;
};

}  // namespace zt::sim
