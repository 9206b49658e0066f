#include "app/shell/startup_sequence.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/link/temp_folder.h"

namespace zt::shell {
namespace {

using link::fake::TempFolder;
using S = StartupStep;

TEST(StartupSequence, StepsRunInTheirOrder) {
  StartupSequence sequence;
  std::vector<S> ran;
  for (S step : StartupOrder()) sequence.Set(step, [&ran, step] { ran.push_back(step); });
  sequence.Run();
  const std::vector<S> expected = {S::ResetIdentification, S::ProgramFolder,  S::ProcessFormats, S::DateFormats,
                                   S::PrintSettings,       S::RegionalFlag,   S::OperatorNames,  S::ScanLimit,
                                   S::ClearDeviceRead,     S::RememberedPort, S::DeviceSearch};
  EXPECT_EQ(ran, expected);
}

TEST(StartupSequence, StepsWithoutAnActionArePassedOver) {
  StartupSequence sequence;
  std::vector<std::string_view> ran;
  sequence.Set(S::DeviceSearch, [&] { ran.push_back(StartupStepName(S::DeviceSearch)); });
  sequence.Set(S::ProcessFormats, [&] { ran.push_back(StartupStepName(S::ProcessFormats)); });
  EXPECT_TRUE(sequence.Has(S::DeviceSearch));
  EXPECT_FALSE(sequence.Has(S::PrintSettings));
  sequence.Run();
  EXPECT_EQ(ran, (std::vector<std::string_view>{"process formats", "device search"}));
}

TEST(StartupSequence, StateStepsReadTheProgramFolderSetBeforeThem) {
  TempFolder folder;
  TempFolder::Write(folder.Files().RegionalFlagFile(), "1\r\n");
  TempFolder::Write(folder.Files().ScanLimitFile(), "10\r\n");
  TempFolder::Write(folder.Files().RememberedPortFile(), "3\r\n");

  AppState state;
  state.identificationText = "id";
  state.serialNumberText = "00042";
  state.deviceRead = true;
  link::SearchSettings search;
  StartupSequence sequence;
  AddStateSteps(sequence, state, search, folder.path());
  // Nothing runs before the tick.
  EXPECT_EQ(state.files.ProgramFolder(), std::filesystem::path());

  bool regionalFlagSeenBySearch = false;
  sequence.Set(S::DeviceSearch, [&] { regionalFlagSeenBySearch = state.regionalFlag == 1; });
  sequence.Run();

  EXPECT_EQ(state.files.ProgramFolder(), folder.path());
  EXPECT_EQ(state.identificationText, kDitto);
  EXPECT_EQ(state.serialNumberText, kDitto);
  EXPECT_EQ(state.regionalFlag, 1);
  EXPECT_FALSE(state.deviceRead);
  EXPECT_EQ(search.scanLimit, 10);
  EXPECT_TRUE(search.tryRemembered);
  EXPECT_EQ(search.rememberedPort, 3);
  EXPECT_TRUE(regionalFlagSeenBySearch);
}

TEST(StartupSequence, EmptyWorkFolderLeavesTheDefaults) {
  TempFolder folder;
  AppState state;
  link::SearchSettings search;
  StartupSequence sequence;
  AddStateSteps(sequence, state, search, folder.path());
  sequence.Run();
  EXPECT_EQ(state.regionalFlag, 0);
  EXPECT_EQ(search.scanLimit, link::kDefaultScanLimit);
  EXPECT_FALSE(search.tryRemembered);
}

}  // namespace
}  // namespace zt::shell
