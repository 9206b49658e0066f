#include "sim/recorder_simulator.h"

#include "core/conversions.h"
#include "link/frame.h"
#include "link/payloads.h"

namespace zt::sim {
namespace {

unsigned At(std::string_view s, std::size_t i) { return static_cast<unsigned char>(s[i]); }

// Password: 80 18 80 18 5A A5, the number low byte first.
constexpr std::string_view kPasswordHead{"\x80\x18\x80\x18\x5A\xA5", 6};
constexpr std::string_view kClockHead{"\x80\x21\x80\x21", 4};
constexpr std::size_t kTextHead = 2;

// The page a Read page frame asks for.
std::optional<std::uint16_t> PageOf(std::string_view frame) {
  const unsigned first = At(frame, 0);
  if (first != 0x20 && first != 0x21) return std::nullopt;
  return static_cast<std::uint16_t>(((first & 0x01) << 8) | At(frame, 1));
}

}  // namespace

std::string NormalReply(std::string_view payload) { return link::FrameChecksum(std::string(1, '\0') + std::string(payload)); }

std::string ErrorReply(std::uint8_t errorByte) {
  return link::FrameChecksum(std::string{'\x80', static_cast<char>(errorByte)});
}

RecorderSimulator::RecorderSimulator(RecorderMemory memory, SimulatorSettings settings)
    : memory_(std::move(memory)), settings_(std::move(settings)), splitter_(settings_.idleGap) {}

std::vector<Reply> RecorderSimulator::Receive(std::string_view bytes, Nanos now) {
  std::vector<Reply> replies;
  for (const SplitFrame& frame : splitter_.Push(bytes, now)) {
    if (auto reply = Answer(frame)) replies.push_back(std::move(*reply));
  }
  return replies;
}

std::vector<Reply> RecorderSimulator::Idle(Nanos now) {
  std::vector<Reply> replies;
  if (const auto frame = splitter_.Idle(now)) {
    if (auto reply = Answer(*frame)) replies.push_back(std::move(*reply));
  }
  return replies;
}

bool RecorderSimulator::TakeImageChanged() {
  const bool changed = changed_;
  changed_ = false;
  return changed;
}

std::optional<Reply> RecorderSimulator::Answer(const SplitFrame& frame) {
  if (vanished_) return std::nullopt;
  ++frames_;
  const FaultSchedule& faults = settings_.faults;
  if (faults.vanishAfter && replies_ >= *faults.vanishAfter) {
    vanished_ = true;
    return Reply{{}, true};
  }
  if (faults.silenceAfter && replies_ >= *faults.silenceAfter) return std::nullopt;

  const std::size_t number = replies_ + 1;
  std::optional<std::string> bytes;
  Nanos delay = 0;
  if (const auto error = faults.errorReplies.find(number); error != faults.errorReplies.end()) {
    bytes = ErrorReply(error->second);
  } else if (frame.unknown) {
    bytes = ErrorReply(kErrorUnknownCommand);
  } else if (!link::ChecksumMatches(frame.bytes)) {
    bytes = ErrorReply(kErrorChecksum);
  } else {
    bytes = Execute(frame.bytes);
    if (bytes) delay = TakeLateDelay(frame.bytes);
  }
  if (!bytes) return std::nullopt;
  replies_ = number;
  if (faults.corruptReplies.count(number) != 0) bytes->back() = static_cast<char>(bytes->back() ^ 0x5A);
  Reply reply = Shape(std::move(*bytes));
  reply.delay = delay;
  if (faults.vanishAfter && replies_ >= *faults.vanishAfter) {
    reply.endsLine = true;
    vanished_ = true;
  }
  return reply;
}

std::optional<std::string> RecorderSimulator::Execute(std::string_view frame) {
  if (At(frame, 0) == 0x00) return NormalReply(memory_.IdentifyPayload());
  if (const auto page = PageOf(frame)) {
    auto& drops = settings_.faults.dropPages;
    if (const auto drop = drops.find(*page); drop != drops.end()) {
      drops.erase(drop);
      return std::nullopt;
    }
    return NormalReply(memory_.Page(*page));
  }
  switch (At(frame, 1)) {
    case 0x18: {
      const bool right = frame.substr(0, kPasswordHead.size()) == kPasswordHead &&
                         BytesToWordLE(frame.substr(kPasswordHead.size(), 2)) == settings_.password;
      return right ? NormalReply("") : ErrorReply(kErrorParameter);
    }
    case 0x21: return SetClock(frame);
    default: {
      const auto field = static_cast<TextField>(At(frame, 1) - 0x84);
      memory_.WriteText(field, frame.substr(kTextHead, link::kTextPayloadLength));
      changed_ = true;
      return NormalReply("");
    }
  }
}

Nanos RecorderSimulator::TakeLateDelay(std::string_view frame) {
  const auto page = PageOf(frame);
  if (!page) return 0;
  auto& late = settings_.faults.latePages;
  const auto entry = late.find(*page);
  if (entry == late.end()) return 0;
  const Nanos delay = static_cast<Nanos>(entry->second) * kNanosPerMilli;
  late.erase(entry);
  return delay;
}

std::string RecorderSimulator::SetClock(std::string_view frame) {
  if (frame.substr(0, kClockHead.size()) != kClockHead) return ErrorReply(kErrorParameter);
  const std::string_view b = frame.substr(kClockHead.size(), link::kClockPayloadLength);
  const ClockBytes clock{static_cast<std::uint8_t>(b[0]), static_cast<std::uint8_t>(b[1]),
                         static_cast<std::uint8_t>(b[2]), static_cast<std::uint8_t>(b[3]),
                         static_cast<std::uint8_t>(b[4]), static_cast<std::uint8_t>(b[5])};
  const auto minutes = ClockMinutes(clock);
  if (!minutes) return ErrorReply(kErrorParameter);
  memory_.SetClock(*minutes);
  changed_ = true;
  return NormalReply("");
}

Reply RecorderSimulator::Shape(std::string bytes) const {
  if (settings_.faults.leadingFF) bytes.insert(bytes.begin(), '\xFF');
  Reply reply;
  const std::size_t piece = settings_.faults.splitSize;
  if (piece == 0) {
    reply.pieces.push_back(std::move(bytes));
    return reply;
  }
  for (std::size_t at = 0; at < bytes.size(); at += piece) reply.pieces.push_back(bytes.substr(at, piece));
  return reply;
}

}  // namespace zt::sim
