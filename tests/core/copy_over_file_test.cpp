#include "core/copy_over_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/cp1251.h"
#include "tests/core/file_size_limit.h"
#include "tests/core/image_builder.h"
#include "tests/core/odd_files.h"

namespace zt {
namespace {

namespace fs = std::filesystem;

std::size_t FilesIn(const fs::path& folder) {
  std::size_t n = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator(folder)) ++n;
  return n;
}

class CopyOverFileTest : public ::testing::Test {
 protected:
  test::TempFolder folder;
  fs::path source = folder.path() / "cur_Rep.000";
  fs::path destination = folder.path() / "saved.zt";
  RecordingMessages messages;
};

TEST_F(CopyOverFileTest, ReplacesTheDestination) {
  test::WriteBytes(source, std::string(40000, 'n'));
  test::WriteBytes(destination, "old");
  EXPECT_TRUE(CopyOverFile(destination, source, messages));
  EXPECT_EQ(test::ReadBytes(destination), std::string(40000, 'n'));
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(FilesIn(folder.path()), 2u);
}

TEST_F(CopyOverFileTest, CreatesAMissingDestination) {
  test::WriteBytes(source, "abc");
  EXPECT_TRUE(CopyOverFile(destination, source, messages));
  EXPECT_EQ(test::ReadBytes(destination), "abc");
}

TEST_F(CopyOverFileTest, FullDiskLeavesTheOldDestination) {
  test::WriteBytes(source, std::string(32768, 'n'));
  test::WriteBytes(destination, "operator's file");
  {
    const test::FileSizeLimit limit(4096);
    EXPECT_FALSE(CopyOverFile(destination, source, messages));
  }
  EXPECT_EQ(test::ReadBytes(destination), "operator's file");
  EXPECT_EQ(FilesIn(folder.path()), 2u) << "the temporary file is removed";
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].second,
            std::string("Ошибка! при копировании файла "_cp) + source.string() + std::string(" - код ошибки: "_cp) +
                std::to_string(EFBIG));
}

TEST_F(CopyOverFileTest, MissingSourceLeavesTheDestination) {
  test::WriteBytes(destination, "keep");
  EXPECT_FALSE(CopyOverFile(destination, folder.path() / "none", messages));
  EXPECT_EQ(test::ReadBytes(destination), "keep");
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].second, std::string("Ошибка! при копировании файла "_cp) + (folder.path() / "none").string() +
                                          std::string(" - код ошибки: "_cp) + std::to_string(ENOENT));
}

TEST_F(CopyOverFileTest, CopyOntoItselfKeepsTheFile) {
  test::WriteBytes(source, "data");
  EXPECT_TRUE(CopyOverFile(source, source, messages));
  EXPECT_EQ(test::ReadBytes(source), "data");
  fs::create_symlink(source, destination);
  EXPECT_TRUE(CopyOverFile(destination, source, messages));
  EXPECT_TRUE(CopyOverFile(source, destination, messages));
  EXPECT_EQ(test::ReadBytes(source), "data");
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(CopyOverFileTest, ASaveOntoItsOwnSourceIsRefusedAndTold) {
  test::WriteBytes(source, "data");
  fs::create_symlink(source, destination);
  const fs::path hardLink = folder.path() / "hard.zt";
  fs::create_hard_link(source, hardLink);
  for (const fs::path& same : {source, destination, hardLink}) {
    RecordingMessages told;
    EXPECT_FALSE(CopyOverFile(same, source, told, SameFileCopy::Refused)) << same;
    ASSERT_EQ(told.shown.size(), 1u);
    EXPECT_EQ(told.shown[0].first, MessageKind::Error);
    EXPECT_EQ(told.shown[0].second, std::string("Ошибка! файл "_cp) + same.string() +
                                        std::string(" совпадает с исходным файлом "_cp) + source.string());
  }
  EXPECT_EQ(test::ReadBytes(source), "data");
  EXPECT_TRUE(fs::is_symlink(destination));
  EXPECT_EQ(FilesIn(folder.path()), 3u);
}

TEST_F(CopyOverFileTest, ADeviceIsWrittenInPlace) {
  test::WriteBytes(source, "data");
  EXPECT_TRUE(CopyOverFile("/dev/null", source, messages));
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_FALSE(CopyOverFile("/dev/full", source, messages));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].second, std::string("Ошибка! при копировании файла "_cp) + source.string() +
                                          std::string(" - код ошибки: "_cp) + std::to_string(ENOSPC));
  EXPECT_EQ(fs::status("/dev/full").type(), fs::file_type::character);
}

TEST_F(CopyOverFileTest, ASaveWritesOnlyAFileAndRefusesAnythingElseBeforeWriting) {
  test::WriteBytes(source, "data");
  const auto notAFile = [](const fs::path& target) {
    return std::string("Файл \""_cp) + target.string() + std::string("\" не является обычным файлом, запись невозможна"_cp);
  };
  const struct {
    const char* kind;
    std::function<fs::path(const fs::path& folder)> make;
    bool saved;
  } cases[] = {
      {"a FIFO without a reader",
       [](const fs::path& f) { return test::MakeOddFile(test::OddFile::Fifo, f / "fifo.zt"); },
       false},
      {"a folder",
       [](const fs::path& f) { return test::MakeOddFile(test::OddFile::Folder, f / "dir.zt"); },
       false},
      {"a device", [](const fs::path&) { return fs::path("/dev/null"); }, false},
      {"a link to a regular file",
       [](const fs::path& f) {
         test::WriteBytes(f / "real.zt", "old");
         fs::create_symlink("real.zt", f / "link.zt");
         return f / "link.zt";
       },
       true},
  };
  const test::HangGuard guard;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    const fs::path target = c.make(folder.path());
    const auto type = fs::symlink_status(target).type();
    const auto before = test::NamesIn(folder.path());
    RecordingMessages told;
    EXPECT_EQ(CopyOverFile(target, source, told, SameFileCopy::Refused), c.saved);
    EXPECT_EQ(fs::symlink_status(target).type(), type);
    EXPECT_EQ(test::NamesIn(folder.path()), before) << "no temporary file left";
    if (c.saved) {
      EXPECT_EQ(test::ReadBytes(target), "data");
      EXPECT_TRUE(told.shown.empty());
    } else {
      EXPECT_EQ(told.shown, (std::vector<std::pair<MessageKind, std::string>>{{MessageKind::Error, notAFile(target)}}));
    }
  }
  EXPECT_TRUE(fs::is_empty(folder.path() / "dir.zt"));
}

TEST_F(CopyOverFileTest, AnOutputThatTakesDevicesStillWritesOne) {
  test::WriteBytes(source, "data");
  EXPECT_TRUE(CopyOverFile("/dev/null", source, messages, SameFileCopy::Refused, OutputTargets::FilesAndDevices));
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(CopyOverFileTest, ALinkAtTheDestinationKeepsPointingAtTheNewData) {
  const fs::path real = folder.path() / "real.zt";
  test::WriteBytes(real, "old");
  fs::create_symlink(real, destination);
  test::WriteBytes(source, "new");
  EXPECT_TRUE(CopyOverFile(destination, source, messages));
  EXPECT_TRUE(fs::is_symlink(destination));
  EXPECT_EQ(test::ReadBytes(real), "new");
}

TEST_F(CopyOverFileTest, UnwritableFolderIsReported) {
  test::WriteBytes(source, "x");
  EXPECT_FALSE(CopyOverFile(folder.path() / "no" / "such" / "dir.zt", source, messages));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].first, MessageKind::Error);
}

}  // namespace
}  // namespace zt
