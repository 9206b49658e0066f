// A wait that keeps the interface alive: events are processed until the time
// has passed.
#pragma once

namespace zt::app {

void PauseWithEvents(int ms);

}  // namespace zt::app
