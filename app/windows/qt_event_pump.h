// The report build's yield point under the windows: pending events, F10
// among them, are processed for at least 1 ms.
#pragma once

#include "app/windows/pause_with_events.h"
#include "report/build_control.h"

namespace zt::app {

class QtEventPump final : public report::EventPump {
 public:
  void ProcessEvents() override { PauseWithEvents(1); }
};

}  // namespace zt::app
