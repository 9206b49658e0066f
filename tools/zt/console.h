// The operator's messages on a terminal: UTF-8 on stderr, confirmations answered yes.
#pragma once

#include <iostream>
#include <string_view>

#include "core/messages.h"
#include "tools/zt/terminal_text.h"

namespace zt::cli {

class ConsoleMessages final : public Messages {
 public:
  bool Show(MessageKind, std::string_view text) override {
    std::cerr << TerminalText(text) << '\n';
    return true;
  }
};

// A Windows-1251 text on stdout as one UTF-8 line, its control characters shown.
inline void PrintLine(std::string_view cp1251) { std::cout << TerminalText(cp1251) << '\n'; }

}  // namespace zt::cli
