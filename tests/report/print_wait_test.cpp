#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/archive_table.h"
#include "core/conversions.h"
#include "core/cp1251.h"
#include "report/print_wait.h"
#include "report/text_file.h"
#include "tests/core/image_builder.h"

namespace zt::report {
namespace {

// Presses a key in the wait window whenever events are processed and the condition holds.
class KeyPressingPump final : public EventPump {
 public:
  void ProcessEvents() override {
    ++calls;
    if (wait != nullptr && pressWhen && pressWhen()) wait->Key(key);
  }
  PrintWait* wait = nullptr;
  std::function<bool()> pressWhen;
  int key = kStopKeyCode;
  int calls = 0;
};

class PrintWaitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetArchiveTables(tables);
    // 150 hourly records from 01.12.2026 00:00 on.
    for (std::size_t r = 1; r <= 150; ++r) {
      const int day = 1 + static_cast<int>((r - 1) / 24);
      const int hour = static_cast<int>((r - 1) % 24);
      tables.time.SetCell(time_col::kDate, r, PadNumber(day, 2) + ".12.2026 " + PadNumber(hour, 2) + ":00");
      tables.time.SetCell(time_col::kService, r, "0000");
      tables.time.SetCell(time_col::kSensors, r, "0000");
      tables.time.SetCell(time_col::kFieldMinutes, r, "0");
      tables.time.SetCell(time_col::kAlarmMinutes, r, "0");
    }
    image.header[kHeaderSerial] = "42";
    image.header[kHeaderSensorCount] = "4";
    image.sensorCount = 4;
    request.beginDate = "01.12.2026";
    request.beginTime = "00:00:00";
    request.endDate = "31.12.2026";
    request.endTime = "23:59:59";
    setup.working = {60, 120};
  }
  PrintWait& Start(ReportMode mode) {
    wait = std::make_unique<PrintWait>(
        PrintWaitParts{tables, image, clock, messages, pump, files, setup, preview}, mode, request);
    pump.wait = wait.get();
    return *wait;
  }
  std::vector<std::string> ReportLines() const { return ReadTextLines(files.ReportTextFile()).value_or(std::vector<std::string>{}); }
  bool SheetExists(int n) const { return std::filesystem::exists(files.SheetFile(n)); }

  test::TempFolder folder;
  WorkingFiles files{folder.path()};
  ArchiveTables tables;
  DecodedImage image;
  FixedClock clock{{2026, 12, 7, 10, 30, 15}};
  RecordingMessages messages;
  KeyPressingPump pump;
  PrintSetup setup;
  LinesPreview preview;
  ReportRequest request;
  std::unique_ptr<PrintWait> wait;
};

TEST_F(PrintWaitTest, TheViewShowsTheReportFileUnchangedAndThenCloses) {
  PrintWait& w = Start(ReportMode::View);
  EXPECT_FALSE(w.CloseTick());
  w.InitTick();
  EXPECT_EQ(w.Build(), BuildResult::Built);
  ASSERT_FALSE(preview.lines.empty());
  EXPECT_EQ(preview.lines, ReportLines());
  EXPECT_EQ(preview.lines[0], "/отчет составлен:07.12.2026 10:30:15/"_cp);
  EXPECT_FALSE(SheetExists(1));
  EXPECT_FALSE(w.PrintTimerEnabled());
  EXPECT_TRUE(w.CloseTimerEnabled());
  EXPECT_TRUE(w.CloseTick());
  EXPECT_FALSE(w.CloseTick());
  w.Closing();
  EXPECT_FALSE(preview.lines.empty());
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(PrintWaitTest, TheBuildRunsOnceAndTakesTheLanguageOfThePrintSettings) {
  setup.settings.reportLanguage = kReportLanguageUkrainian;
  PrintWait& w = Start(ReportMode::View);
  w.InitTick();
  const std::size_t shown = preview.lines.size();
  w.InitTick();
  EXPECT_EQ(preview.lines.size(), shown);
  ASSERT_FALSE(preview.lines.empty());
  EXPECT_EQ(preview.lines[0], "/звіт складен:07.12.2026 10:30:15/"_cp);
}

TEST_F(PrintWaitTest, TheSheetViewPaginatesWithoutPrinting) {
  PrintWait& w = Start(ReportMode::ViewWithSettings);
  w.InitTick();
  ASSERT_TRUE(w.Paginated().has_value());
  EXPECT_EQ(w.Paginated()->result, PaginationResult::Paginated);
  ASSERT_FALSE(preview.lines.empty());
  EXPECT_EQ(preview.lines[0], "     " + std::string("Всего листов: "_cp) + std::to_string(w.Paginated()->sheets));
  EXPECT_TRUE(SheetExists(w.Paginated()->sheets));
  EXPECT_FALSE(w.PrintTimerEnabled());
  EXPECT_TRUE(w.CloseTimerEnabled());
}

TEST_F(PrintWaitTest, PrintingOpensThePrintDialogOnlyAfterASuccessfulPagination) {
  struct Case {
    WorkingMetrics metrics;
    bool printTimer;
    std::size_t messages;
  };
  const Case cases[] = {{{60, 120}, true, 0}, {{0, 0}, false, 1}};
  for (const auto& c : cases) {
    setup.working = c.metrics;
    messages.shown.clear();
    preview.Clear();
    PrintWait& w = Start(ReportMode::Print);
    w.InitTick();
    EXPECT_EQ(w.PrintTimerEnabled(), c.printTimer);
    EXPECT_EQ(messages.shown.size(), c.messages);
    EXPECT_EQ(preview.lines.empty(), !c.printTimer);
    EXPECT_TRUE(w.CloseTimerEnabled());
  }
}

TEST_F(PrintWaitTest, AnInvalidPeriodShowsBothBoxesAndClosesWithoutAReport) {
  request.beginDate = "07.12.2026";
  request.beginTime = "09:00:00";
  request.endDate = "07.12.2026";
  request.endTime = "08:59:59";
  PrintWait& w = Start(ReportMode::Print);
  w.InitTick();
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[0], std::make_pair(MessageKind::Error, std::string("ОШИБКА ВЫБОРА ДАТЫ !!!"_cp)));
  EXPECT_EQ(messages.shown[1], std::make_pair(MessageKind::Warning, std::string("В АРХИВЕ НЕТ ИНФОРМАЦИИ"_cp)));
  EXPECT_EQ(w.Build(), BuildResult::InvalidPeriod);
  EXPECT_TRUE(w.CloseTimerEnabled());
  EXPECT_FALSE(w.PrintTimerEnabled());
  EXPECT_FALSE(SheetExists(1));
  EXPECT_TRUE(preview.lines.empty());
}

TEST_F(PrintWaitTest, F10DuringTheOutputPassStopsPrintingAndEmptiesThePreview) {
  pump.pressWhen = [this] { return SheetExists(1); };
  PrintWait& w = Start(ReportMode::Print);
  w.InitTick();
  ASSERT_TRUE(w.Paginated().has_value());
  EXPECT_EQ(w.Paginated()->result, PaginationResult::Stopped);
  EXPECT_FALSE(w.PrintTimerEnabled());
  EXPECT_TRUE(w.StopMessageTimerEnabled());
  w.StopMessageTick();
  EXPECT_FALSE(w.StopMessageTimerEnabled());
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0], std::make_pair(MessageKind::Warning, std::string("ОСТАНОВ ПРОСМОТРА!!!"_cp)));
  EXPECT_TRUE(w.CloseTick());
  w.Closing();
  EXPECT_TRUE(preview.lines.empty());
}

TEST_F(PrintWaitTest, F10DuringTheBuildLeavesOutTheStepOfTheMode) {
  pump.pressWhen = [] { return true; };
  PrintWait& w = Start(ReportMode::ViewWithSettings);
  w.InitTick();
  EXPECT_GT(pump.calls, 0);
  EXPECT_EQ(w.Build(), BuildResult::Stopped);
  EXPECT_FALSE(w.Paginated().has_value());
  EXPECT_FALSE(SheetExists(1));
  EXPECT_TRUE(preview.lines.empty());
  EXPECT_TRUE(w.CloseTimerEnabled());
}

TEST_F(PrintWaitTest, F10AfterTheBuildClearsTheFinishedPreviewOnClose) {
  PrintWait& w = Start(ReportMode::View);
  w.InitTick();
  ASSERT_FALSE(preview.lines.empty());
  w.Key(kStopKeyCode);
  EXPECT_TRUE(w.Stop().IsSet());
  w.Closing();
  EXPECT_TRUE(preview.lines.empty());
}

// When F10 comes and which of the window's timers fires first decide nothing:
// either the stop is told and nothing of the report stays (no preview, no print
// dialog), or the whole report is there and no stop is told.
TEST_F(PrintWaitTest, AStopIsEitherToldOrTheReportStaysNeverNeither) {
  enum class Press { Never, BeforeBuild, DuringBuild, DuringModeStep, AfterBuild };
  const char* const pressNames[] = {"never", "before the build", "during the build", "during the mode's step",
                                    "after the build"};
  struct Case {
    ReportMode mode;
    Press press;
    bool messageTickFirst;  // tmStopPrintError (50 ms) fires before tClose (100 ms)
  };
  std::vector<Case> cases;
  for (ReportMode mode : {ReportMode::View, ReportMode::ViewWithSettings, ReportMode::Print})
    for (Press press : {Press::Never, Press::BeforeBuild, Press::DuringBuild, Press::DuringModeStep, Press::AfterBuild})
      for (bool first : {true, false}) cases.push_back({mode, press, first});
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "mode " << static_cast<int>(c.mode) << ", F10 " << pressNames[static_cast<int>(c.press)]
                                    << (c.messageTickFirst ? ", message tick first" : ", close tick first"));
    messages.shown.clear();
    preview.Clear();
    std::filesystem::remove(files.SheetFile(1));
    const bool paginates = c.mode != ReportMode::View;
    pump.pressWhen = [&] {
      if (c.press == Press::DuringBuild) return true;
      if (c.press == Press::DuringModeStep) return paginates ? SheetExists(1) : !preview.lines.empty();
      return false;
    };
    PrintWait& w = Start(c.mode);
    if (c.press == Press::BeforeBuild) w.Key(kStopKeyCode);
    w.InitTick();
    if (c.press == Press::AfterBuild) w.Key(kStopKeyCode);
    if (c.messageTickFirst) w.StopMessageTick();
    bool closed = w.CloseTick();
    // The window goes at once; none of its timers fires after that.
    if (closed) w.Closing();
    ASSERT_TRUE(closed);

    const bool stopTold = messages.shown.size() == 1 &&
                          messages.shown[0] == std::make_pair(MessageKind::Warning, std::string("ОСТАНОВ ПРОСМОТРА!!!"_cp));
    const bool reportStays = !preview.lines.empty() && w.PrintTimerEnabled() == (c.mode == ReportMode::Print);
    const bool nothingStays = preview.lines.empty() && !w.PrintTimerEnabled();
    EXPECT_TRUE(stopTold ? nothingStays : reportStays && messages.shown.empty());
    EXPECT_EQ(stopTold, c.press != Press::Never);
  }
}

TEST_F(PrintWaitTest, OtherKeysDoNothing) {
  pump.pressWhen = [] { return true; };
  pump.key = 120;  // F9
  PrintWait& w = Start(ReportMode::View);
  w.InitTick();
  w.Key(27);
  EXPECT_FALSE(w.Stop().IsSet());
  EXPECT_FALSE(w.StopMessageTimerEnabled());
  w.Closing();
  EXPECT_EQ(preview.lines, ReportLines());
}

}  // namespace
}  // namespace zt::report
