#include "sim/frame_splitter.h"

namespace zt::sim {
namespace {

unsigned At(std::string_view s, std::size_t i) { return static_cast<unsigned char>(s[i]); }

}  // namespace

std::size_t ExpectedFrameLength(std::string_view head) {
  if (head.empty()) return kNeedMoreBytes;
  const unsigned first = At(head, 0);
  if (first == 0x20 || first == 0x21) return 4;  // Read page
  if (first != 0x00 && first != 0x80) return kNoCommand;
  if (head.size() < 2) return kNeedMoreBytes;
  const unsigned second = At(head, 1);
  if (first == 0x00) return second == 0x00 ? 4 : kNoCommand;  // Identify
  switch (second) {
    case 0x18: return 10;  // Password
    case 0x21: return 12;  // Set clock
    case 0x84:
    case 0x85:
    case 0x86: return 36;  // the text writes
    default: return kNoCommand;
  }
}

std::vector<SplitFrame> FrameSplitter::Push(std::string_view bytes, Nanos now) {
  std::vector<SplitFrame> frames;
  if (auto stale = Idle(now)) frames.push_back(std::move(*stale));
  if (bytes.empty()) return frames;
  buffer_.append(bytes);
  lastByte_ = now;
  while (!buffer_.empty()) {
    const std::size_t length = ExpectedFrameLength(buffer_);
    if (length == kNeedMoreBytes || length == kNoCommand || buffer_.size() < length) break;
    frames.push_back({buffer_.substr(0, length), false});
    buffer_.erase(0, length);
  }
  return frames;
}

std::optional<SplitFrame> FrameSplitter::Idle(Nanos now) {
  if (buffer_.empty() || now - lastByte_ < idleGap_) return std::nullopt;
  const bool unknown = ExpectedFrameLength(buffer_) == kNoCommand;
  std::optional<SplitFrame> held;
  if (unknown) {
    held = SplitFrame{buffer_, true};
  } else {
    dropped_ += buffer_.size();
  }
  buffer_.clear();
  return held;
}

std::optional<Nanos> FrameSplitter::IdleDeadline() const {
  if (buffer_.empty()) return std::nullopt;
  return lastByte_ + idleGap_;
}

}  // namespace zt::sim
