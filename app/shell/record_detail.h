// The lines of the record detail window ("ПОДСКАЗКА"): the current row of an
// archive table in words, read from the table cells. Every line is set in
// "Courier New"; the window shows the lines in order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/archive_table.h"

namespace zt::shell {

inline constexpr std::string_view kDetailFont = "Courier New";

// ButtonFace is the system's button-face colour, the box's own background.
enum class LineColour { Teal, Green, Blue, Maroon, Black, ButtonFace };

struct Rgb {
  std::uint8_t red, green, blue;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};
// The fixed colours; none for ButtonFace, which the platform supplies.
std::optional<Rgb> FixedColour(LineColour colour);

struct StyledLine {
  std::string text;  // Windows-1251
  int pointSize;
  LineColour colour;
  friend bool operator==(const StyledLine&, const StyledLine&) = default;
};

// " /-/-/" then, for positions 3 and 4 of the service string, the bit's long
// text when it is "1", else the ditto mark, each padded to 35 and closed by "/".
std::string ServiceLine(std::string_view serviceCell);

// The record of the archive's table row. A row without a record (its date
// cell the ditto mark), a row or column beyond the table, the title row or a
// kind that is neither archive give the "ИНФОРМАЦИИ НЕТ!!!" lines.
std::vector<StyledLine> RecordDetailLines(const ArchiveTable& table, ArchiveKind kind, std::size_t row);

}  // namespace zt::shell
