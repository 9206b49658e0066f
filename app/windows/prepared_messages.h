// The operator's messages with something done before each box, so that the
// window beneath stands as it should while the box is up (the password
// window's wait strip gone before "Ошибка пароля!!!").
#pragma once

#include <functional>
#include <utility>

#include "core/messages.h"

namespace zt::app {

class PreparedMessages final : public Messages {
 public:
  PreparedMessages(Messages& shown, std::function<void()> before) : shown_(shown), before_(std::move(before)) {}

  bool Show(MessageKind kind, std::string_view text) override {
    before_();
    return shown_.Show(kind, text);
  }

 private:
  Messages& shown_;
  std::function<void()> before_;
};

}  // namespace zt::app
