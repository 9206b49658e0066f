#include "sim/line_pacer.h"

#include <algorithm>

namespace zt::sim {

void LinePacer::Received(std::size_t count, Nanos now) {
  receiveEnd_ = std::max(receiveEnd_, now) + static_cast<Nanos>(count) * byteTime_;
}

std::vector<TimedChunk> LinePacer::Schedule(const Reply& reply, Nanos now) {
  std::vector<TimedChunk> chunks;
  Nanos line = std::max(std::max(now, receiveEnd_) + reply.delay, transmitEnd_);
  const std::size_t chunkSize = byteTime_ > 0 ? kPacedChunk : static_cast<std::size_t>(-1);
  for (std::size_t p = 0; p < reply.pieces.size(); ++p) {
    const std::string& piece = reply.pieces[p];
    if (p > 0) line += kPieceGap;
    for (std::size_t at = 0; at < piece.size(); at += chunkSize) {
      std::string bytes = piece.substr(at, chunkSize);
      line += static_cast<Nanos>(bytes.size()) * byteTime_;
      chunks.push_back({std::move(bytes), line, false});
    }
  }
  transmitEnd_ = line;
  if (reply.endsLine) chunks.push_back({"", line + kVanishGrace, true});
  return chunks;
}

}  // namespace zt::sim
