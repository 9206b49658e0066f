// The operator's messages as a device-link run shows them, telling the window
// whether a box is up. A run may end inside a data event and show its box
// there; the window's own timer keeps ticking meanwhile and must not close
// the window before the operator has answered.
#pragma once

#include "core/messages.h"

namespace zt::app {

class TrackedMessages final : public Messages {
 public:
  explicit TrackedMessages(Messages& shown) : shown_(shown) {}

  bool Show(MessageKind kind, std::string_view text) override {
    ++open_;
    const bool answer = shown_.Show(kind, text);
    --open_;
    return answer;
  }
  bool Showing() const { return open_ > 0; }

 private:
  Messages& shown_;
  int open_ = 0;
};

}  // namespace zt::app
