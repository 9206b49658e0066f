// The regional flag of Work/Type_Ru.000: which contact set the About window shows.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/working_files.h"

namespace zt::shell {

// Blanks are removed from each line; the last line with anything left decides:
// its value's low 8 bits when it holds only digits and "-", else 0.
std::uint8_t RegionalFlagFromText(std::string_view fileText);

// 0 when the file is missing or unreadable; nobody is told.
std::uint8_t LoadRegionalFlag(const WorkingFiles& files);

}  // namespace zt::shell
