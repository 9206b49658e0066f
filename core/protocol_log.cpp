#include "core/protocol_log.h"

#include "core/conversions.h"
#include "core/cp1251.h"

namespace zt {

std::vector<std::string> FrameLogLines(Direction direction, std::string_view bytes) {
  const std::string prefix = direction == Direction::Received ? "<- " : "-> ";
  return {prefix + std::string("кол.б-т="_cp) + std::to_string(bytes.size()) + " :: " + HexDump(bytes),
          prefix + StripControlChars(bytes)};
}

void MemoryProtocolLog::LogFrame(Direction direction, std::string_view bytes) {
  for (auto& line : FrameLogLines(direction, bytes)) lines_.push_back(std::move(line));
}

void MemoryProtocolLog::LogTraffic(Direction direction, std::string_view bytes) {
  if (debug_) LogFrame(direction, bytes);
}

}  // namespace zt
