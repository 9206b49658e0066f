// The two copies of a data file, the save (over the operator's file) and the
// load's copy over Work/cur_Rep.000, killed at random moments and run out of
// room: each file is afterwards the old one or a new one, never torn, and a
// temporary file a killed copy leaves goes with the next write in its folder.
#include <gtest/gtest.h>
#include <signal.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <optional>
#include <random>
#include <set>
#include <thread>

#include "core/archive_table.h"
#include "core/copy_over_file.h"
#include "core/file_load.h"
#include "core/protocol_log.h"
#include "core/sample_image.h"
#include "core/working_files.h"
#include "tests/core/child_process.h"
#include "tests/core/file_size_limit.h"
#include "tests/core/image_builder.h"
#include "tests/core/small_file_system.h"

namespace zt {
namespace {

namespace fs = std::filesystem;

constexpr std::uint32_t kSeed = 20240611;
constexpr int kKills = 20;
// A copy of 32 KiB with its sync takes a few milliseconds: the kills land
// before, inside and between copies.
constexpr int kLongestKillDelayUs = 20'000;
constexpr int kLongestLoadKillDelayUs = 5'000;

// Which of the contents a file holds: its index, or none when it is none of them.
std::optional<std::size_t> WhichOf(const fs::path& file, const std::vector<std::string>& contents) {
  const std::string bytes = test::ReadBytes(file);
  for (std::size_t i = 0; i < contents.size(); ++i) {
    if (bytes == contents[i]) return i;
  }
  return std::nullopt;
}

// Runs `body` in a child, which says when it is ready, and kills it a random
// delay of up to `longestUs` later; returns how many temporary files the kill
// left in `folder`.
std::size_t KillAfterReady(std::mt19937& draw, int longestUs, const fs::path& folder,
                           const std::function<void(test::ChildProcess&)>& body) {
  test::ChildProcess child([&](test::ChildProcess& self) {
    body(self);
    return 0;
  });
  EXPECT_TRUE(child.WaitReady());
  std::this_thread::sleep_for(std::chrono::microseconds(std::uniform_int_distribution<int>(0, longestUs)(draw)));
  ::kill(child.Pid(), SIGKILL);
  const int status = child.Wait();
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
  return test::TempFilesIn(folder);
}

class CopyCrash : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(files.EnsureFolders()); }

  fs::path Data(const char* name, std::uint64_t seed) {
    const fs::path path = folder.path() / name;
    test::WriteBytes(path, GenerateSampleImage(seed));
    return path;
  }
  // A whole load of a saved file, which copies it over the image file.
  LoadCode Load(const fs::path& dataFile) {
    DecodedImage decoded;
    ArchiveTables tables;
    PrepareLoad(decoded, tables);
    FileLoad load(decoded, tables, log, messages, files, dataFile);
    return LoadDataFile(load);
  }

  test::TempFolder folder;
  WorkingFiles files{folder.path() / "prog"};
  NullProtocolLog log;
  RecordingMessages messages;
  std::mt19937 draw{kSeed};
};

TEST_F(CopyCrash, ASaveKilledAnywhereLeavesTheOldOrANewFileAndTheNextSaveSweeps) {
  const fs::path a = Data("a.zt", 1), b = Data("b.zt", 2);
  const fs::path target = files.ReportFolder() / "00042_240611.zt";
  const std::vector<std::string> contents = {"the operator's older file", test::ReadBytes(a), test::ReadBytes(b)};
  test::WriteBytes(target, contents[0]);
  std::size_t leftBehind = 0;
  // Under load a run of kills may all miss the copies: go on until one lands, within bounds.
  for (int kill = 0; kill < kKills || (leftBehind == 0 && kill < 5 * kKills); ++kill) {
    SCOPED_TRACE(kill);
    const auto before = WhichOf(target, contents);
    ASSERT_TRUE(before);
    // Copies one after another, the kill anywhere among them.
    leftBehind += KillAfterReady(draw, kLongestKillDelayUs, files.ReportFolder(), [&](test::ChildProcess& self) {
      self.Ready();
      for (int i = 0;; ++i) {
        RecordingMessages quiet;
        CopyOverFile(target, i % 2 == 0 ? a : b, quiet, SameFileCopy::Refused);
      }
    });
    EXPECT_TRUE(WhichOf(target, contents)) << "torn";
    ASSERT_LE(test::TempFilesIn(files.ReportFolder()), 1u);
    // The next save into the folder.
    ASSERT_TRUE(CopyOverFile(files.ReportFolder() / "next.zt", a, messages, SameFileCopy::Refused));
    EXPECT_EQ(test::NamesIn(files.ReportFolder()), (std::vector<std::string>{"00042_240611.zt", "next.zt"}));
    fs::remove(files.ReportFolder() / "next.zt");
  }
  EXPECT_GT(leftBehind, 0u) << "no kill landed inside a copy";
}

TEST_F(CopyCrash, ALoadKilledAnywhereLeavesTheOldOrANewImageFileAndTheNextLoadSweeps) {
  const fs::path a = Data("a.zt", 3), b = Data("b.zt", 4);
  const std::vector<std::string> contents = {GenerateSampleImage(5), test::ReadBytes(a), test::ReadBytes(b)};
  test::WriteBytes(files.ImageFile(), contents[0]);
  std::size_t leftBehind = 0;
  // Under load a run of kills may all miss the copies: go on until one lands, within bounds.
  for (int kill = 0; kill < kKills || (leftBehind == 0 && kill < 5 * kKills); ++kill) {
    SCOPED_TRACE(kill);
    // Loads one after another; the first says when its decoding is done and
    // its copy comes next, and the kill follows within a few copies' time.
    leftBehind += KillAfterReady(draw, kLongestLoadKillDelayUs, files.WorkFolder(), [&](test::ChildProcess& self) {
      for (int i = 0;; ++i) {
        DecodedImage decoded;
        ArchiveTables tables;
        FileLoad load(decoded, tables, log, messages, files, i % 2 == 0 ? a : b);
        load.Start();
        while (load.Running()) {
          if (i == 0 && load.Gauge() == kLoadSteps - 1) self.Ready();
          load.Tick();
        }
      }
    });
    EXPECT_TRUE(WhichOf(files.ImageFile(), contents)) << "torn";
    ASSERT_LE(test::TempFilesIn(files.WorkFolder()), 1u);
    // The next load: its copy sweeps what the killed one left.
    ASSERT_EQ(Load(b), LoadCode::None);
    EXPECT_TRUE(test::ReadBytes(files.ImageFile()) == contents[2]);
    EXPECT_EQ(test::NamesIn(files.WorkFolder()), std::vector<std::string>{"cur_Rep.000"});
  }
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_GT(leftBehind, 0u) << "no kill landed inside a copy";
}

// The room left for the new file, in bytes: none, some, about all it needs, plenty.
std::vector<std::size_t> Rooms(std::mt19937& draw) {
  std::vector<std::size_t> rooms = {0, 4096, 64 * 1024};
  for (int i = 0; i < 5; ++i) rooms.push_back(std::uniform_int_distribution<std::size_t>(0, 40 * 1024)(draw));
  return rooms;
}

// Runs `write` with the folder's file system left with `room` bytes, or with
// the file size limited to them where no file system can be mounted.
template <class Write>
bool WithRoom(test::SmallFileSystem& small, std::size_t room, Write write) {
  if (small.Mounted()) {
    EXPECT_TRUE(small.LeaveRoom(room));
    return write();
  }
  const test::FileSizeLimit limit(room);
  return write();
}

// The names a full-disk case may leave in the folder: the file and the filler.
std::vector<std::string> NamesAfter(const test::SmallFileSystem& small, const std::string& name) {
  std::vector<std::string> names{name};
  if (small.Mounted()) names.push_back(test::SmallFileSystem::kFillerName);
  std::sort(names.begin(), names.end());
  return names;
}

TEST_F(CopyCrash, ASaveOntoANearlyFullDiskIsWholeOrLeavesTheOldFile) {
  const fs::path source = Data("new.zt", 6);
  const std::string fresh = test::ReadBytes(source);
  const std::string old = GenerateSampleImage(7);
  std::set<bool> seen;
  for (const std::size_t room : Rooms(draw)) {
    SCOPED_TRACE(room);
    const fs::path saves = folder.path() / ("saves" + std::to_string(room));
    test::SmallFileSystem small(saves);
    test::WriteBytes(saves / "saved.zt", old);
    RecordingMessages told;
    const bool saved =
        WithRoom(small, room, [&] { return CopyOverFile(saves / "saved.zt", source, told, SameFileCopy::Refused); });
    seen.insert(saved);
    EXPECT_TRUE(test::ReadBytes(saves / "saved.zt") == (saved ? fresh : old)) << (saved ? "not the new file" : "not the old file");
    EXPECT_EQ(told.shown.size(), saved ? 0u : 1u);
    EXPECT_EQ(test::NamesIn(saves), NamesAfter(small, "saved.zt"));
  }
  EXPECT_EQ(seen, (std::set<bool>{false, true})) << "both outcomes";
}

TEST_F(CopyCrash, ALoadOntoANearlyFullDiskLoadsAndKeepsAWholeImageFile) {
  const fs::path source = Data("new.zt", 8);
  const std::string fresh = test::ReadBytes(source);
  const std::string old = GenerateSampleImage(9);
  std::set<bool> seen;
  for (const std::size_t room : Rooms(draw)) {
    SCOPED_TRACE(room);
    WorkingFiles program(folder.path() / ("prog" + std::to_string(room)));
    test::SmallFileSystem small(program.WorkFolder());
    test::WriteBytes(program.ImageFile(), old);
    RecordingMessages told;
    DecodedImage decoded;
    ArchiveTables tables;
    PrepareLoad(decoded, tables);
    FileLoad load(decoded, tables, log, told, program, source);
    EXPECT_TRUE(WithRoom(small, room, [&] { return LoadDataFile(load) == LoadCode::None; }))
        << "the tables are loaded whatever the copy does";
    const std::string image = test::ReadBytes(program.ImageFile());
    const bool copied = image == fresh;
    seen.insert(copied);
    EXPECT_TRUE(copied || image == old) << "torn";
    EXPECT_EQ(told.shown.size(), copied ? 0u : 1u);
    EXPECT_EQ(test::NamesIn(program.WorkFolder()), NamesAfter(small, "cur_Rep.000"));
  }
  EXPECT_EQ(seen, (std::set<bool>{false, true})) << "both outcomes";
}

}  // namespace
}  // namespace zt
