// The protocol log of the main window: every line goes to whoever shows it
// (the debug memo), LogTraffic only while the debug switch is ticked.
#pragma once

#include <functional>
#include <string>

#include "core/protocol_log.h"

namespace zt::app {

class WindowLog final : public ProtocolLog {
 public:
  void SetDebug(bool on) { debug_ = on; }
  // Receives each line, Windows-1251.
  void SetSink(std::function<void(const std::string&)> sink) { sink_ = std::move(sink); }

  void LogFrame(Direction direction, std::string_view bytes) override;
  void LogTraffic(Direction direction, std::string_view bytes) override;

 private:
  bool debug_ = false;
  std::function<void(const std::string&)> sink_;
};

}  // namespace zt::app
