// What the reading and writing runs share: the link they drive, the operator's
// messages, whether they run, and the one way they end.
#pragma once

#include <optional>

#include "core/messages.h"
#include "link/link_protocol.h"
#include "link/run_message.h"

namespace zt::link {

class LinkRun : public ExchangeObserver {
 public:
  ~LinkRun() override;
  LinkRun(const LinkRun&) = delete;
  LinkRun& operator=(const LinkRun&) = delete;

  // "Стоп" or Esc; seen on the next waiting tick.
  void RequestStop() { stopRequest_ = true; }
  bool Running() const { return running_; }
  bool Finished() const { return finished_; }

 protected:
  LinkRun(LinkProtocol& protocol, Messages& messages) : protocol_(protocol), messages_(messages) {}
  // Running, and hearing from the protocol.
  void Begin();
  // Finished: no longer hearing from the protocol; the message, if any, shown.
  void End(const std::optional<RunMessage>& message);

  LinkProtocol& protocol_;
  Messages& messages_;
  bool stopRequest_ = false;

 private:
  bool running_ = false;
  bool finished_ = false;
};

}  // namespace zt::link
