#include "link/quiet_line.h"

namespace zt::link {

void QuietLine::Restart() {
  bytesSeen_ = protocol_.BytesReceived();
  quietTicks_ = 0;
  ticksWaited_ = 0;
}

void QuietLine::Tick() {
  ++ticksWaited_;
  const std::uint64_t bytes = protocol_.BytesReceived();
  if (bytes != bytesSeen_) {
    bytesSeen_ = bytes;
    quietTicks_ = 0;
  } else {
    ++quietTicks_;
  }
}

}  // namespace zt::link
