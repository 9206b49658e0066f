// The message box a device-link run ends with.
#pragma once

#include <string>

#include "core/messages.h"

namespace zt::link {

struct RunMessage {
  MessageKind kind;
  std::string text;  // Windows-1251
};

}  // namespace zt::link
