#include "app/shell/record_detail.h"

#include "core/cp1251.h"
#include "core/device_image.h"

namespace zt::shell {
namespace {

constexpr int kTextSize = 8;
constexpr int kFillerSize = 12;
constexpr int kFillerLines = 10;
constexpr std::size_t kServiceFieldWidth = 35;
// Named apart: clang 14 fails on these literals inside the lines' braced lists.
constexpr std::string_view kNoInformation = "        ИНФОРМАЦИИ НЕТ!!!"_cp;
constexpr std::string_view kTimeRecordTitle = "       ВРЕМЕННОЙ АРХИВ зап.№"_cp;
constexpr std::string_view kTimeSensors = "       ДАТЧИКИ"_cp;
constexpr std::string_view kBefore = "было : "_cp;
constexpr std::string_view kAfter = "стало: "_cp;
constexpr std::string_view kOperationalRecordTitle = "     ОПЕРАТИВНЫЙ АРХИВ зап.№"_cp;
constexpr std::string_view kOperationalSensors = "     ДАТЧИКИ"_cp;
constexpr std::string_view kServiceTitle = "     СЛУЖЕБНАЯ ИНФОРМАЦИЯ"_cp;
constexpr std::string_view kControlTitle = "     КОНТРОЛЬ"_cp;
constexpr std::string_view kControlPrefix = "номер контроля: "_cp;
constexpr std::string_view kClockTitle = "     КОРРЕКЦИЯ ЧАСОВ РЕГИСТРАТОРА"_cp;
constexpr std::string_view kClockPrefix = "записанное новое время: "_cp;

std::string Padded(std::string_view text, std::size_t width) {
  std::string out(text);
  if (out.size() < width) out.append(width - out.size(), ' ');
  return out;
}

std::string OrDitto(std::string_view cell, std::string_view prefix) {
  return cell == kDitto ? std::string(kDitto) : std::string(prefix) + std::string(cell);
}

void AppendFiller(std::vector<StyledLine>& lines) {
  for (int i = 0; i < kFillerLines; ++i) lines.push_back({"", kFillerSize, LineColour::ButtonFace});
}

std::vector<StyledLine> NoInformationLines() {
  std::vector<StyledLine> lines(3, StyledLine{"", kTextSize, LineColour::Blue});
  lines.push_back({std::string(kNoInformation), kFillerSize, LineColour::Black});
  AppendFiller(lines);
  return lines;
}

std::vector<StyledLine> TimeLines(const ArchiveTable& t, std::size_t r) {
  std::vector<StyledLine> lines{
      {std::string(kTimeRecordTitle) + t.Cell(time_col::kIndex, r), kTextSize, LineColour::Green},
      {std::string(kTimeSensors), kTextSize, LineColour::Blue},
      {t.Cell(time_col::kSensors, r), kTextSize, LineColour::Maroon},
  };
  AppendFiller(lines);
  return lines;
}

std::vector<StyledLine> OperationalLines(const ArchiveTable& t, std::size_t r) {
  using namespace oper_col;
  const std::string before = std::string(kBefore);
  const std::string after = std::string(kAfter);
  const auto& serviceBefore = t.Cell(kServiceBefore, r);
  const auto& serviceNow = t.Cell(kServiceNow, r);
  std::vector<StyledLine> lines{
      {std::string(kOperationalRecordTitle) + t.Cell(kIndex, r) + " " + t.Cell(kDate, r), kTextSize,
       LineColour::Teal},
      {std::string(kOperationalSensors), kTextSize, LineColour::Black},
      {before + t.Cell(kSensorsBefore, r), kTextSize, LineColour::Maroon},
      {after + t.Cell(kSensorsNow, r), kTextSize, LineColour::Maroon},
      {std::string(kServiceTitle), kTextSize, LineColour::Black},
      {before + serviceBefore + ServiceLine(serviceBefore), kTextSize, LineColour::Maroon},
      {after + serviceNow + ServiceLine(serviceNow), kTextSize, LineColour::Maroon},
      {std::string(kControlTitle), kTextSize, LineColour::Black},
      {OrDitto(t.Cell(kControl, r), kControlPrefix), kTextSize, LineColour::Maroon},
      {std::string(kClockTitle), kTextSize, LineColour::Black},
      {OrDitto(t.Cell(kClockCorrection, r), kClockPrefix), kTextSize, LineColour::Maroon},
  };
  AppendFiller(lines);
  return lines;
}

}  // namespace

std::optional<Rgb> FixedColour(LineColour colour) {
  switch (colour) {
    case LineColour::Teal: return Rgb{0, 128, 128};
    case LineColour::Green: return Rgb{0, 128, 0};
    case LineColour::Blue: return Rgb{0, 0, 255};
    case LineColour::Maroon: return Rgb{128, 0, 0};
    case LineColour::Black: return Rgb{0, 0, 0};
    case LineColour::ButtonFace: break;
  }
  return std::nullopt;
}

std::string ServiceLine(std::string_view serviceCell) {
  std::string line = " /-/-/";
  for (std::size_t position : {std::size_t{2}, std::size_t{3}}) {
    const bool set = position < serviceCell.size() && serviceCell[position] == '1';
    line += Padded(set ? kServiceLongTexts[position] : kDitto, kServiceFieldWidth) + "/";
  }
  return line;
}

std::vector<StyledLine> RecordDetailLines(const ArchiveTable& table, ArchiveKind kind, std::size_t row) {
  const bool time = kind == ArchiveKind::Time && table.ColumnCount() >= time_col::kCount;
  const bool operational = kind == ArchiveKind::Operational && table.ColumnCount() >= oper_col::kCount;
  if ((!time && !operational) || row == 0 || row >= table.RowCount() || table.Cell(1, row) == kDitto)
    return NoInformationLines();
  return time ? TimeLines(table, row) : OperationalLines(table, row);
}

}  // namespace zt::shell
