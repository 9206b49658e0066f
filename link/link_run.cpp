#include "link/link_run.h"

namespace zt::link {

LinkRun::~LinkRun() {
  if (running_) protocol_.SetObserver(nullptr);
}

void LinkRun::Begin() {
  running_ = true;
  finished_ = false;
  protocol_.SetObserver(this);
}

void LinkRun::End(const std::optional<RunMessage>& message) {
  running_ = false;
  finished_ = true;
  protocol_.SetObserver(nullptr);
  if (message) messages_.Show(message->kind, message->text);
}

}  // namespace zt::link
