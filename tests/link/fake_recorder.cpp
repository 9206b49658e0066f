#include "tests/link/fake_recorder.h"

#include "link/frame.h"

namespace zt::link::fake {
namespace {

unsigned Byte(std::string_view s, std::size_t i) { return i < s.size() ? static_cast<unsigned char>(s[i]) : 0u; }

}  // namespace

std::string RecorderReply(std::string_view payload) { return FrameChecksum(std::string(1, '\0') + std::string(payload)); }

std::string IdentifyPayload(std::string_view identification, std::uint16_t serial) {
  std::string payload(64, '\0');
  payload.replace(0, std::min<std::size_t>(identification.size(), 32), identification.substr(0, 32));
  payload[36] = static_cast<char>(serial & 0xFF);
  payload[37] = static_cast<char>(serial >> 8);
  return payload;
}

int FakeRecorder::Kind(std::string_view frame) {
  const unsigned b0 = Byte(frame, 0);
  const unsigned b1 = Byte(frame, 1);
  if (frame.size() == 4 && b0 == 0 && b1 == 0) return 1;
  if (frame.size() == 4 && (b0 & 0xFE) == 0x20) return 2;
  if (b0 == 0x80 && b1 == 0x18) return 3;
  if (b0 == 0x80 && b1 == 0x21) return 4;
  if (b0 == 0x80 && b1 >= 0x84 && b1 <= 0x86) return static_cast<int>(b1 - 0x84 + 5);
  return 0;
}

std::vector<std::string> FakeRecorder::Answer(std::string_view frame) {
  ++framesSeen;
  if (silent) return {};
  const int kind = Kind(frame);
  std::string reply;
  if (const auto o = replyOverride.find(kind); o != replyOverride.end()) {
    reply = o->second;
  } else if (kind == 1) {
    reply = RecorderReply(IdentifyPayload(identification, serial));
  } else if (kind == 2) {
    const auto page = static_cast<std::uint16_t>(((Byte(frame, 0) & 0x01) << 8) | Byte(frame, 1));
    pagesRequested.push_back(page);
    if (silentFromPage && page >= *silentFromPage) return {};
    if (const auto miss = missOnce.find(page); miss != missOnce.end()) {
      missOnce.erase(miss);
      return {};
    }
    reply = RecorderReply(image.substr(static_cast<std::size_t>(page) * 64, 64));
  } else if (kind == 3) {
    reply = rejectPassword ? std::string("\x80\x01\x7F\xFF", 4) : RecorderReply("");
  } else if (kind >= 4) {
    reply = RecorderReply("");
  } else {
    return {};
  }
  if (pieceSize == 0 || reply.empty()) return {reply};
  std::vector<std::string> pieces;
  for (std::size_t at = 0; at < reply.size(); at += pieceSize) pieces.push_back(reply.substr(at, pieceSize));
  return pieces;
}

}  // namespace zt::link::fake
