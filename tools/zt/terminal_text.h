// Texts that came from a recorder or a file, made safe for a terminal.
#pragma once

#include <string>
#include <string_view>

namespace zt::cli {

// A UTF-8 text with each control character (ESC, BEL, CR, LF, ..., DEL)
// replaced by its visible symbol from the U+2400 block (␛ ␇ ␍ ␊), so that
// none acts on the terminal or breaks the line it is on.
std::string VisibleControls(std::string_view utf8);

// A Windows-1251 text (the recorder's) as such a UTF-8 text.
std::string TerminalText(std::string_view cp1251);

}  // namespace zt::cli
