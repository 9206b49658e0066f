#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "report/report_period.h"
#include "tests/core/image_builder.h"
#include "tests/core/odd_file_test.h"

namespace zt::report {
namespace {

using test::ReadBytes;
using test::WriteBytes;

bool SameDateTime(const LocalDateTime& a, const LocalDateTime& b) {
  return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour && a.minute == b.minute &&
         a.second == b.second;
}

class ReportPeriodFileTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(files.EnsureFolders()); }
  ReportPeriodChoice Load(std::string_view contents) {
    WriteBytes(files.ReportPeriodFile(), contents);
    ReportPeriodChoice choice;
    LoadReportPeriod(files, choice);
    return choice;
  }

  test::TempFolder folder;
  WorkingFiles files{folder.path()};
};

TEST_F(ReportPeriodFileTest, WithoutAFileThePickersKeepTheirStart) {
  ReportPeriodChoice choice;
  LoadReportPeriod(files, choice);
  EXPECT_TRUE(SameDateTime(choice.begin, {2011, 1, 1, 9, 0, 0}));
  EXPECT_TRUE(SameDateTime(choice.end, {2011, 1, 1, 9, 0, 0}));
  EXPECT_EQ(choice.archive, ArchiveKind::Time);
}

TEST_F(ReportPeriodFileTest, FiveLinesSetBothEndsAndTheArchive) {
  const auto choice = Load(" 01.12.2026 \r\n09:00:00\r\n07.12.2026\r\n18:30:15\r\n1\r\n");
  EXPECT_TRUE(SameDateTime(choice.begin, {2026, 12, 1, 9, 0, 0}));
  EXPECT_TRUE(SameDateTime(choice.end, {2026, 12, 7, 18, 30, 15}));
  EXPECT_EQ(choice.archive, ArchiveKind::Time);
}

TEST_F(ReportPeriodFileTest, OnlyExactlyOneOnLineFiveChoosesTheTimeArchive) {
  struct Case {
    std::string line;
    ArchiveKind archive;
  };
  constexpr ArchiveKind kTime = ArchiveKind::Time, kOper = ArchiveKind::Operational;
  const Case cases[] = {{"1", kTime}, {"  1 ", kTime}, {"0", kOper}, {"2", kOper}, {"", kOper}, {"11", kOper}};
  for (const auto& c : cases)
    EXPECT_EQ(Load("01.12.2026\r\n09:00:00\r\n07.12.2026\r\n09:00:00\r\n" + c.line + "\r\n").archive,
              c.archive)
        << c.line;
}

TEST_F(ReportPeriodFileTest, AShortFileSetsOnlyWhatItHas) {
  const auto choice = Load("15.03.2024\r\n23:59:59\r\n");
  EXPECT_TRUE(SameDateTime(choice.begin, {2024, 3, 15, 23, 59, 59}));
  EXPECT_TRUE(SameDateTime(choice.end, {2011, 1, 1, 9, 0, 0}));
  EXPECT_EQ(choice.archive, ArchiveKind::Time);
}

TEST_F(ReportPeriodFileTest, LinesThatAreNoDateOrTimeLeaveTheirPicker) {
  const char* badDates[] = {"31.02.2026", "01.01.2010", "02.01.2030", "1.1", "01.13.2026", "aa.bb.cccc", "01.01.20266"};
  for (const char* date : badDates) {
    const auto choice = Load(std::string(date) + "\r\n10:00:00\r\n");
    EXPECT_TRUE(SameDateTime(choice.begin, {2011, 1, 1, 10, 0, 0})) << date;
  }
  const char* badTimes[] = {"24:00:00", "12:60:00", "12:00:60", "12:00", "x", ""};
  for (const char* time : badTimes) {
    const auto choice = Load(std::string("02.03.2020\r\n") + time + "\r\n");
    EXPECT_TRUE(SameDateTime(choice.begin, {2020, 3, 2, 9, 0, 0})) << time;
  }
}

TEST_F(ReportPeriodFileTest, ThePickerRangeEndsAreAccepted) {
  const auto choice = Load("01.01.2011\r\n0:0:0\r\n01.01.2030\r\n23:59:59\r\n0\r\nextra\r\n");
  EXPECT_TRUE(SameDateTime(choice.begin, {2011, 1, 1, 0, 0, 0}));
  EXPECT_TRUE(SameDateTime(choice.end, {2030, 1, 1, 23, 59, 59}));
  EXPECT_EQ(choice.archive, ArchiveKind::Operational);
}

TEST_F(ReportPeriodFileTest, GarbageNeverChangesThePickers) {
  const auto choice = Load(std::string("\xff\xfe\0\x01\r\n\r\n", 8));
  EXPECT_TRUE(SameDateTime(choice.begin, {2011, 1, 1, 9, 0, 0}));
  EXPECT_TRUE(SameDateTime(choice.end, {2011, 1, 1, 9, 0, 0}));
}

TEST_F(ReportPeriodFileTest, SaveWritesFiveCrLfLines) {
  const ReportPeriodChoice choice{{2026, 12, 1, 9, 5, 0}, {2026, 12, 7, 18, 30, 15}, ArchiveKind::Operational};
  ASSERT_TRUE(SaveReportPeriod(files, choice));
  EXPECT_EQ(ReadBytes(files.ReportPeriodFile()), "01.12.2026\r\n09:05:00\r\n07.12.2026\r\n18:30:15\r\n0\r\n");
  ReportPeriodChoice back;
  LoadReportPeriod(files, back);
  EXPECT_TRUE(SameDateTime(back.begin, choice.begin));
  EXPECT_TRUE(SameDateTime(back.end, choice.end));
  EXPECT_EQ(back.archive, ArchiveKind::Operational);
}

TEST_F(ReportPeriodFileTest, TheTextReadsAsTheFileHoldingIt) {
  const std::string texts[] = {
      "15.03.2024\r\n23:59:59\r\n01.04.2024\r\n00:00:01\r\n0\r\n",
      "15.03.2024\n23:59:59\n",                               // LF ends
      "01.01.2011\r\n0:0:0\r\n01.01.2030\r\n23:59:59\r\n1",  // no end after the last line
      "x\r\n\r\n02.02.2022\r\n",
      "",
  };
  for (const std::string& text : texts) {
    const ReportPeriodChoice fromFile = Load(text);
    ReportPeriodChoice fromText;
    ReportPeriodFromText(text, fromText);
    EXPECT_TRUE(SameDateTime(fromText.begin, fromFile.begin)) << text;
    EXPECT_TRUE(SameDateTime(fromText.end, fromFile.end)) << text;
    EXPECT_EQ(fromText.archive, fromFile.archive) << text;
  }
  const ReportPeriodChoice choice{{2026, 12, 1, 9, 5, 0}, {2026, 12, 7, 18, 30, 15}, ArchiveKind::Time};
  EXPECT_EQ(ReportPeriodText(choice), "01.12.2026\r\n09:05:00\r\n07.12.2026\r\n18:30:15\r\n1\r\n");
}

TEST_F(ReportPeriodFileTest, AFileThatCannotBeCreatedSavesNothing) {
  const WorkingFiles nowhere(folder.path() / "missing");
  EXPECT_FALSE(SaveReportPeriod(nowhere, {}));
  EXPECT_FALSE(std::filesystem::exists(nowhere.ReportPeriodFile()));
}

using OddReportPeriodFile = test::OddFileTest;

TEST_P(OddReportPeriodFile, LeavesThePickersAsTheyWere) {
  test::MakeOddFile(GetParam(), files.ReportPeriodFile());
  const ReportPeriodChoice start{{2024, 2, 29, 23, 59, 58}, {2029, 12, 31, 0, 0, 1}, ArchiveKind::Operational};
  ReportPeriodChoice choice = start;
  LoadReportPeriod(files, choice);
  EXPECT_TRUE(SameDateTime(choice.begin, start.begin));
  EXPECT_TRUE(SameDateTime(choice.end, start.end));
  EXPECT_EQ(choice.archive, ArchiveKind::Operational);
  EXPECT_TRUE(test::OddFileKept(GetParam(), files.ReportPeriodFile()));
}

INSTANTIATE_TEST_SUITE_P(Kinds, OddReportPeriodFile, ::testing::ValuesIn(test::OddFileKinds()),
                         test::OddFileTestName);

}  // namespace
}  // namespace zt::report
