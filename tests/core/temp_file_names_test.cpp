#include "core/temp_file_names.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "core/temp_file_registry.h"
#include "tests/core/image_builder.h"

namespace zt {
namespace {

namespace fs = std::filesystem;

TEST(TempFileNames, TheTemplateSitsBesideItsTarget) {
  EXPECT_EQ(TempFileTemplate("/w/Work/cur_Rep.000"), "/w/Work/.cur_Rep.000.zt-tmp.XXXXXX");
  EXPECT_EQ(TempFileTemplate("a.zt"), "./.a.zt.zt-tmp.XXXXXX");
}

TEST(TempFileNames, OnlyThePatternItselfIsRecognised) {
  const struct {
    const char* name;
    bool ours;
  } cases[] = {
      {".cur_Rep.000.zt-tmp.Ab12Cd", true},
      {".a.zt.zt-tmp.000000", true},
      {".cur_Rep.000.Ab12Cd", false},       // an older version's name, no marker
      {"a.zt.zt-tmp.Ab12Cd", false},        // no leading dot
      {".zt-tmp.Ab12Cd", false},            // no name
      {".a.zt.zt-tmp.Ab12C", false},        // five characters
      {".a.zt.zt-tmp.Ab12Cde", false},      // seven
      {".a.zt.zt-tmp.Ab-2Cd", false},       // not mkstemp's alphabet
      {".a.zt.zt-tmpXAb12Cd", false},
      {"OUT.part", false},
      {".bashrc", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsTempFileName(c.name), c.ours) << c.name;
}

TEST(TempFileNames, TheSweepRemovesOnlyAbandonedFilesOfThePattern) {
  test::TempFolder folder;
  const fs::path f = folder.path();
  for (const char* name : {".cur_Rep.000.zt-tmp.Ab12Cd", ".a.zt.zt-tmp.xyz789", ".cur_Rep.000.Ab12Cd", "a.zt",
                           "notes.zt-tmp.Ab12Cd", "RpList1"})
    test::WriteBytes(f / name, "x");
  fs::create_directory(f / ".dir.zt-tmp.Ab12Cd");
  fs::create_symlink("a.zt", f / ".link.zt-tmp.Ab12Cd");
  // One that a live writer holds.
  test::WriteBytes(f / ".b.zt.zt-tmp.Held00", "being written");
  const int held = ::open((f / ".b.zt.zt-tmp.Held00").c_str(), O_RDONLY | O_CLOEXEC);
  ASSERT_EQ(::flock(held, LOCK_EX), 0);

  EXPECT_EQ(RemoveLeftoverTempFiles(f), 2);
  EXPECT_EQ(test::NamesIn(f), (std::vector<std::string>{".b.zt.zt-tmp.Held00", ".cur_Rep.000.Ab12Cd", ".dir.zt-tmp.Ab12Cd",
                                                ".link.zt-tmp.Ab12Cd", "RpList1", "a.zt", "notes.zt-tmp.Ab12Cd"}));
  ::close(held);
  EXPECT_EQ(RemoveLeftoverTempFiles(f), 1) << "released by its writer's end";
  EXPECT_EQ(RemoveLeftoverTempFiles(f / "missing"), 0);
}

TEST(TempFileRegistry, UnlinksWhatItHoldsAndNothingItWasToldToForget) {
  test::TempFolder folder;
  const fs::path kept = folder.path() / "kept";
  const fs::path gone = folder.path() / "gone";
  test::WriteBytes(kept, "k");
  test::WriteBytes(gone, "g");
  TempFileRegistry registry;
  const int keptSlot = registry.Add(kept.string());
  const int goneSlot = registry.Add(gone.string());
  ASSERT_GE(keptSlot, 0);
  ASSERT_GE(goneSlot, 0);
  EXPECT_NE(keptSlot, goneSlot);
  registry.Remove(keptSlot);
  EXPECT_EQ(registry.Count(), 1);
  registry.UnlinkAll();
  EXPECT_EQ(registry.Count(), 0);
  EXPECT_TRUE(fs::exists(kept));
  EXPECT_FALSE(fs::exists(gone));
}

TEST(TempFileRegistry, AFullRecordOrAnOverlongPathIsNotTaken) {
  TempFileRegistry registry;
  EXPECT_EQ(registry.Add(std::string(TempFileRegistry::kMostPathBytes, 'a')), -1);
  EXPECT_EQ(registry.Add(""), -1);
  for (int i = 0; i < TempFileRegistry::kSlots; ++i) EXPECT_EQ(registry.Add("/tmp/x" + std::to_string(i)), i);
  EXPECT_EQ(registry.Add("/tmp/one-too-many"), -1);
  registry.Remove(3);
  EXPECT_EQ(registry.Add("/tmp/again"), 3);
}

}  // namespace
}  // namespace zt
