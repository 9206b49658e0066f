#include "app/shell/regional_flag.h"

#include <string>

#include "core/conversions.h"
#include "core/input_file.h"
#include "core/text_lines.h"

namespace zt::shell {

std::uint8_t RegionalFlagFromText(std::string_view fileText) {
  std::uint8_t flag = 0;
  for (const std::string& line : TextLines(fileText)) {
    const std::string text = WithoutSpaces(line);
    if (text.empty()) continue;
    // A line of digits and "-" that is still no number ("-", "1-2"), or one
    // beyond 32 bits, gives 0 like any other text: TextToInt yields 0 for it.
    const long long value = IsIntegerText(text) ? TextToInt(text) : 0;
    flag = static_cast<std::uint8_t>(static_cast<unsigned long long>(value) & 0xFFu);
  }
  return flag;
}

std::uint8_t LoadRegionalFlag(const WorkingFiles& files) {
  const auto text = ReadWholeFile(files.RegionalFlagFile());
  return text ? RegionalFlagFromText(*text) : 0;
}

}  // namespace zt::shell
