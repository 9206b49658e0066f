// The lines of the working text files, CR LF or LF ended.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zt {

// The first line of text without its end, taken off the front; nothing when
// text is empty. A last line without an end still counts.
std::optional<std::string_view> TakeTextLine(std::string_view& text);

// Every line, as TakeTextLine gives them; an empty text has none.
std::vector<std::string> TextLines(std::string_view text);

}  // namespace zt
