#include "link/staged_file.h"

#include <gtest/gtest.h>

#include "tests/link/temp_folder.h"

namespace zt::link {
namespace {

using fake::TempFolder;

TEST(StagedFile, CommitReplacesTheDestination) {
  TempFolder folder;
  const auto target = folder.Files().ImageFile();
  TempFolder::Write(target, "old");
  StagedFile file;
  ASSERT_TRUE(file.Create(target));
  ASSERT_TRUE(file.Append("new "));
  ASSERT_TRUE(file.Append("bytes"));
  EXPECT_EQ(TempFolder::Read(target), "old");  // not before the commit
  ASSERT_TRUE(file.Commit());
  EXPECT_EQ(TempFolder::Read(target), "new bytes");
  EXPECT_EQ(folder.WorkEntries(), 1u);
  EXPECT_FALSE(file.Append("more"));  // closed after the commit
}

TEST(StagedFile, DiscardedOrAbandonedLeavesTheOldFile) {
  TempFolder folder;
  const auto target = folder.Files().ImageFile();
  TempFolder::Write(target, "old");
  {
    StagedFile file;
    ASSERT_TRUE(file.Create(target));
    ASSERT_TRUE(file.Append("partial"));
    file.Discard();
    EXPECT_FALSE(file.IsOpen());
  }
  {
    StagedFile file;
    ASSERT_TRUE(file.Create(target));
    ASSERT_TRUE(file.Append("partial"));
  }
  EXPECT_EQ(TempFolder::Read(target), "old");
  EXPECT_EQ(folder.WorkEntries(), 1u);
}

TEST(StagedFile, FailuresAreReportedAndCleanedUp) {
  TempFolder folder;
  StagedFile missing;
  EXPECT_FALSE(missing.Create(folder.Files().WorkFolder() / "no" / "such"));
  EXPECT_NE(missing.LastError(), 0);
  EXPECT_FALSE(missing.Append("x"));
  EXPECT_FALSE(missing.Commit());

  // A destination that a file cannot replace: the rename fails.
  const auto blocked = folder.Files().ImageFile();
  std::filesystem::create_directories(blocked / "inside");
  StagedFile file;
  ASSERT_TRUE(file.Create(blocked));
  ASSERT_TRUE(file.Append("data"));
  EXPECT_FALSE(file.Commit());
  EXPECT_NE(file.LastError(), 0);
  EXPECT_TRUE(std::filesystem::is_directory(blocked / "inside"));
  EXPECT_EQ(folder.WorkEntries(), 1u);
}

TEST(StagedFile, ReplaceFileContentsWritesTheWholeFile) {
  TempFolder folder;
  const auto target = folder.Files().RememberedPortFile();
  ASSERT_TRUE(ReplaceFileContents(target, "12\r\n"));
  EXPECT_EQ(TempFolder::Read(target), "12\r\n");
}

}  // namespace
}  // namespace zt::link
