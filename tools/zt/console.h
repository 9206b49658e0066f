// The operator's messages on a terminal: UTF-8 on stderr, confirmations answered yes.
#pragma once

#include <iostream>
#include <string_view>

#include "core/cp1251.h"
#include "core/messages.h"

namespace zt::cli {

class ConsoleMessages final : public Messages {
 public:
  bool Show(MessageKind, std::string_view text) override {
    std::cerr << Cp1251ToUtf8(text) << '\n';
    return true;
  }
};

// A Windows-1251 text on stdout as UTF-8.
inline void PrintLine(std::string_view cp1251) { std::cout << Cp1251ToUtf8(cp1251) << '\n'; }

}  // namespace zt::cli
