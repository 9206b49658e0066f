#include "app/shell/record_detail.h"

#include <gtest/gtest.h>

#include "core/cp1251.h"
#include "core/device_image.h"

namespace zt::shell {
namespace {

using L = LineColour;

std::string Cp(std::string_view text) { return std::string(text); }

const std::string kDittoText(kDitto);
// The ditto mark padded to 35: its 3 characters and 32 blanks.
const std::string kDittoField = kDittoText + std::string(32, ' ') + "/";
// 35 characters exactly: no padding.
const std::string kInterferenceField = Cp("вмешательство в работу регистратора/"_cp);
// 29 characters and 6 blanks.
const std::string kConnectorField = Cp("разомкнут разъем регистратора      /"_cp);

std::vector<StyledLine> WithFiller(std::vector<StyledLine> lines) {
  for (int i = 0; i < 10; ++i) lines.push_back({"", 12, L::ButtonFace});
  return lines;
}

std::vector<StyledLine> NoInformation() {
  return WithFiller({{"", 8, L::Blue}, {"", 8, L::Blue}, {"", 8, L::Blue},
                     {Cp("        ИНФОРМАЦИИ НЕТ!!!"_cp), 12, L::Black}});
}

class RecordDetail : public ::testing::Test {
 protected:
  RecordDetail() { ResetArchiveTables(tables); }

  void SetOperational(std::size_t row, std::vector<std::string> cells) {
    for (std::size_t c = 1; c < cells.size() + 1; ++c) tables.operational.SetCell(c, row, cells[c - 1]);
  }

  ArchiveTables tables;
};

TEST_F(RecordDetail, ServiceLine) {
  const struct {
    std::string cell, line;
  } cases[] = {
      {"0010", " /-/-/" + kInterferenceField + kDittoField},
      {"0001", " /-/-/" + kDittoField + kConnectorField},
      {"1111", " /-/-/" + kInterferenceField + kConnectorField},
      {"1100", " /-/-/" + kDittoField + kDittoField},
      {kDittoText, " /-/-/" + kDittoField + kDittoField},  // shorter than 4
      {"", " /-/-/" + kDittoField + kDittoField},
  };
  for (const auto& c : cases) EXPECT_EQ(ServiceLine(c.cell), c.line) << c.cell;
}

TEST_F(RecordDetail, SensorChangeRecord) {
  // date, service after, sensors after, service before, sensors before, control, clock, extra
  SetOperational(1, {"07.12.2026 14:05", "0001", "1010", "0010", "1000", kDittoText, kDittoText, kDittoText});
  const auto expected = WithFiller({
      {Cp("     ОПЕРАТИВНЫЙ АРХИВ зап.№0000 07.12.2026 14:05"_cp), 8, L::Teal},
      {Cp("     ДАТЧИКИ"_cp), 8, L::Black},
      {Cp("было : 1000"_cp), 8, L::Maroon},
      {Cp("стало: 1010"_cp), 8, L::Maroon},
      {Cp("     СЛУЖЕБНАЯ ИНФОРМАЦИЯ"_cp), 8, L::Black},
      {Cp("было : 0010 /-/-/"_cp) + kInterferenceField + kDittoField, 8, L::Maroon},
      {Cp("стало: 0001 /-/-/"_cp) + kDittoField + kConnectorField, 8, L::Maroon},
      {Cp("     КОНТРОЛЬ"_cp), 8, L::Black},
      {kDittoText, 8, L::Maroon},
      {Cp("     КОРРЕКЦИЯ ЧАСОВ РЕГИСТРАТОРА"_cp), 8, L::Black},
      {kDittoText, 8, L::Maroon},
  });
  EXPECT_EQ(RecordDetailLines(tables.operational, ArchiveKind::Operational, 1), expected);
}

TEST_F(RecordDetail, ControlAndClockRecords) {
  SetOperational(5, {"07.12.2026 14:10", kDittoText, kDittoText, kDittoText, kDittoText, "17", kDittoText, ""});
  SetOperational(6, {"07.12.2026 15:00", "0100", kDittoText, "0000", kDittoText, kDittoText, "07.12.2026 15:02", ""});

  const auto control = RecordDetailLines(tables.operational, ArchiveKind::Operational, 5);
  ASSERT_EQ(control.size(), 21u);
  EXPECT_EQ(control[0].text, Cp("     ОПЕРАТИВНЫЙ АРХИВ зап.№0004 07.12.2026 14:10"_cp));
  EXPECT_EQ(control[2].text, Cp("было : "_cp) + kDittoText);
  EXPECT_EQ(control[3].text, Cp("стало: "_cp) + kDittoText);
  EXPECT_EQ(control[5].text, Cp("было : "_cp) + kDittoText + " /-/-/" + kDittoField + kDittoField);
  EXPECT_EQ(control[6].text, Cp("стало: "_cp) + kDittoText + " /-/-/" + kDittoField + kDittoField);
  EXPECT_EQ(control[8].text, Cp("номер контроля: 17"_cp));
  EXPECT_EQ(control[10].text, kDittoText);

  const auto clock = RecordDetailLines(tables.operational, ArchiveKind::Operational, 6);
  ASSERT_EQ(clock.size(), 21u);
  EXPECT_EQ(clock[8].text, kDittoText);
  EXPECT_EQ(clock[10], (StyledLine{Cp("записанное новое время: 07.12.2026 15:02"_cp), 8, L::Maroon}));
}

TEST_F(RecordDetail, TimeArchiveRecord) {
  tables.time.SetCell(time_col::kDate, 3, "01.01.2026 10:00");
  tables.time.SetCell(time_col::kSensors, 3, "0101");
  const auto expected = WithFiller({
      {Cp("       ВРЕМЕННОЙ АРХИВ зап.№0002"_cp), 8, L::Green},
      {Cp("       ДАТЧИКИ"_cp), 8, L::Blue},
      {"0101", 8, L::Maroon},
  });
  EXPECT_EQ(RecordDetailLines(tables.time, ArchiveKind::Time, 3), expected);
}

TEST_F(RecordDetail, NoInformation) {
  SetOperational(1, {"07.12.2026 14:05", "0001", "1010", "0010", "1000", kDittoText, kDittoText, kDittoText});
  tables.time.SetCell(time_col::kDate, 1, "01.01.2026 10:00");
  const ArchiveTable empty;
  const struct {
    const char* what;
    const ArchiveTable& table;
    ArchiveKind kind;
    std::size_t row;
  } cases[] = {
      {"absent record", tables.operational, ArchiveKind::Operational, 2},
      {"title row", tables.operational, ArchiveKind::Operational, 0},
      {"beyond the table", tables.operational, ArchiveKind::Operational, 1537},
      {"unknown kind", tables.operational, static_cast<ArchiveKind>(3), 1},
      {"operational kind on the narrower time table", tables.time, ArchiveKind::Operational, 1},
      {"empty table", empty, ArchiveKind::Time, 1},
  };
  for (const auto& c : cases) EXPECT_EQ(RecordDetailLines(c.table, c.kind, c.row), NoInformation()) << c.what;
}

TEST(LineColours, FixedValues) {
  EXPECT_EQ(FixedColour(L::Teal), (Rgb{0, 128, 128}));
  EXPECT_EQ(FixedColour(L::Green), (Rgb{0, 128, 0}));
  EXPECT_EQ(FixedColour(L::Blue), (Rgb{0, 0, 255}));
  EXPECT_EQ(FixedColour(L::Maroon), (Rgb{128, 0, 0}));
  EXPECT_EQ(FixedColour(L::Black), (Rgb{0, 0, 0}));
  EXPECT_EQ(FixedColour(L::ButtonFace), std::nullopt);
}

}  // namespace
}  // namespace zt::shell
