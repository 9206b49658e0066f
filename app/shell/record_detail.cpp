#include "app/shell/record_detail.h"

#include "core/cp1251.h"
#include "core/device_image.h"

namespace zt::shell {
namespace {

constexpr int kTextSize = 8;
constexpr int kFillerSize = 12;
constexpr int kFillerLines = 10;
constexpr std::size_t kServiceFieldWidth = 35;

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
  lines.push_back({std::string("        ИНФОРМАЦИИ НЕТ!!!"_cp), kFillerSize, LineColour::Black});
  AppendFiller(lines);
  return lines;
}

std::vector<StyledLine> TimeLines(const ArchiveTable& t, std::size_t r) {
  std::vector<StyledLine> lines{
      {std::string("       ВРЕМЕННОЙ АРХИВ зап.№"_cp) + t.Cell(time_col::kIndex, r), kTextSize, LineColour::Green},
      {std::string("       ДАТЧИКИ"_cp), kTextSize, LineColour::Blue},
      {t.Cell(time_col::kSensors, r), kTextSize, LineColour::Maroon},
  };
  AppendFiller(lines);
  return lines;
}

std::vector<StyledLine> OperationalLines(const ArchiveTable& t, std::size_t r) {
  using namespace oper_col;
  const std::string before = std::string("было : "_cp);
  const std::string after = std::string("стало: "_cp);
  const auto& serviceBefore = t.Cell(kServiceBefore, r);
  const auto& serviceNow = t.Cell(kServiceNow, r);
  std::vector<StyledLine> lines{
      {std::string("     ОПЕРАТИВНЫЙ АРХИВ зап.№"_cp) + t.Cell(kIndex, r) + " " + t.Cell(kDate, r), kTextSize,
       LineColour::Teal},
      {std::string("     ДАТЧИКИ"_cp), kTextSize, LineColour::Black},
      {before + t.Cell(kSensorsBefore, r), kTextSize, LineColour::Maroon},
      {after + t.Cell(kSensorsNow, r), kTextSize, LineColour::Maroon},
      {std::string("     СЛУЖЕБНАЯ ИНФОРМАЦИЯ"_cp), kTextSize, LineColour::Black},
      {before + serviceBefore + ServiceLine(serviceBefore), kTextSize, LineColour::Maroon},
      {after + serviceNow + ServiceLine(serviceNow), kTextSize, LineColour::Maroon},
      {std::string("     КОНТРОЛЬ"_cp), kTextSize, LineColour::Black},
      {OrDitto(t.Cell(kControl, r), "номер контроля: "_cp), kTextSize, LineColour::Maroon},
      {std::string("     КОРРЕКЦИЯ ЧАСОВ РЕГИСТРАТОРА"_cp), kTextSize, LineColour::Black},
      {OrDitto(t.Cell(kClockCorrection, r), "записанное новое время: "_cp), kTextSize, LineColour::Maroon},
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

std::vector<StyledLine> RecordDetailLines(const ArchiveTable& table, int kind, std::size_t row) {
  const bool time = kind == kArchiveKindTime && table.ColumnCount() >= time_col::kCount;
  const bool operational = kind == kArchiveKindOperational && table.ColumnCount() >= oper_col::kCount;
  if ((!time && !operational) || row == 0 || row >= table.RowCount() || table.Cell(1, row) == kDitto)
    return NoInformationLines();
  return time ? TimeLines(table, row) : OperationalLines(table, row);
}

}  // namespace zt::shell
