#include "app/windows/window_log.h"

namespace zt::app {

void WindowLog::LogFrame(Direction direction, std::string_view bytes) {
  if (!sink_) return;
  for (const std::string& line : FrameLogLines(direction, bytes)) sink_(line);
}

void WindowLog::LogTraffic(Direction direction, std::string_view bytes) {
  if (!debug_) return;
  LogFrame(direction, bytes);
}

}  // namespace zt::app
