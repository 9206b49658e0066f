#include "app/shell/main_commands.h"

#include <gtest/gtest.h>

#include <functional>

namespace zt::shell {
namespace {

class MainCommands : public ::testing::Test {
 protected:
  // A recorder read in this run, its data shown.
  MainCommands() {
    state.deviceRead = true;
    state.serialNumberText = "00042";
    image.header.fill("shown");
    ResetArchiveTables(tables);
    tables.time.SetCell(1, 1, "07.12.2026 14:00");
    tables.operational.SetCell(1, 1, "07.12.2026 14:05");
  }
  void ExpectNothingShown() const {
    for (const auto& text : image.header) EXPECT_EQ(text, kDitto);
    EXPECT_EQ(tables.time.Cell(1, 1), kDitto);
    EXPECT_EQ(tables.operational.Cell(1, 1), kDitto);
    EXPECT_EQ(tables.time.RowCount(), 2049u);
    EXPECT_EQ(tables.operational.RowCount(), 1537u);
  }

  AppState state;
  DecodedImage image;
  ArchiveTables tables;
  RecordingMessages messages;
};

TEST_F(MainCommands, ReadThenWrite) {
  ReadCommand(state);
  EXPECT_EQ(state.operationMode, link::OperationMode::Reading);
  EXPECT_FALSE(state.deviceRead);
  EXPECT_FALSE(WriteCommand(state, "00042", messages)) << "the reading has not completed";
  EXPECT_EQ(state.operationMode, link::OperationMode::Reading);

  state.deviceRead = true;  // the reading run completed
  EXPECT_TRUE(WriteCommand(state, "00042", messages));
  EXPECT_EQ(state.operationMode, link::OperationMode::Writing);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].first, MessageKind::Error);
}

TEST_F(MainCommands, OpeningAFileEvenCancelledStopsWriting) {
  OpenCommand(state);  // dialog cancelled: nothing else happens
  EXPECT_FALSE(WriteCommand(state, "00042", messages));
  EXPECT_EQ(state.operationMode, std::nullopt);
  EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(MainCommands, ShowingTheMainWindowStartsFromNothing) {
  AutoRepeat repeat;
  repeat.Press(RepeatButton::Next);
  PrepareMainWindow(state, image, tables, repeat);
  EXPECT_FALSE(state.deviceRead);
  EXPECT_FALSE(repeat.StepDownSet());
  EXPECT_EQ(repeat.Tick(), RowStep::None);
  ExpectNothingShown();
}

TEST_F(MainCommands, ShowingADataFile) {
  PrepareShownData(state, image, tables, "/r/abc.zt");
  EXPECT_EQ(state.currentDataFile, std::filesystem::path("/r/abc.zt"));
  EXPECT_TRUE(state.deviceRead) << "a completed reading is shown through the same path";
  ExpectNothingShown();
  PrepareShownData(state, image, tables, {});
  EXPECT_TRUE(state.currentDataFile.empty()) << "the image file";
}

TEST_F(MainCommands, TheImageFileHoldsTheDataShownOnlyAfterACompleteLoad) {
  // Every way the data shown or the image file start to change clears it.
  const std::function<void()> changes[] = {
      [&] { PrepareShownData(state, image, tables, "/r/abc.zt"); },
      [&] { PrepareShownData(state, image, tables, {}); },
      [&] {
        AutoRepeat repeat;
        PrepareMainWindow(state, image, tables, repeat);
      },
      [&] { ReadingStarted(state); },
  };
  for (const auto& change : changes) {
    state.imageHoldsShownData = true;
    change();
    EXPECT_FALSE(state.imageHoldsShownData);
  }
}

}  // namespace
}  // namespace zt::shell
