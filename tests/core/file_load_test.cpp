#include "core/file_load.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/copy_over_file.h"
#include "core/cp1251.h"
#include "tests/core/image_builder.h"

namespace zt {
namespace {

namespace fs = std::filesystem;

std::size_t OpenDescriptors() {
  std::size_t n = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator("/proc/self/fd")) ++n;
  return n;
}

class FileLoadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(files.EnsureFolders());
    test::ParameterFields f;
    f.serial = 4096;
    f.sensorMask = 0x0003;
    image = test::ErasedImage(f);
    test::PutAt(image, 0, test::Record(60, 0x02, 0x10, 3, 4));                       // time record 0
    test::PutAt(image, kTimeArchive.start + 2047 * 8, test::Record(120, 0, 0, 0, 0)); // last time record
    test::PutAt(image, kOperationalArchive.start + 1535 * 8, test::Record(180, 7, 0, 0, 0x80));
  }

  LoadCode Load(const fs::path& dataFile, int maxTicks = 1000) {
    PrepareLoad(decoded, tables);
    FileLoad load(decoded, tables, log, messages, files, dataFile);
    load.Start();
    for (int i = 0; i < maxTicks && load.Running(); ++i) {
      load.Tick();
      ++ticks;
    }
    gauge = load.Gauge();
    imageHoldsData = load.ImageHoldsData();
    return load.Code();
  }

  test::TempFolder folder;
  WorkingFiles files{folder.path()};
  std::string image;
  DecodedImage decoded;
  ArchiveTables tables;
  NullProtocolLog log;
  RecordingMessages messages;
  int ticks = 0;
  int gauge = 0;
  bool imageHoldsData = false;
};

TEST_F(FileLoadTest, ValidFileLoadsInTwentyNineStepsAndBecomesTheImage) {
  const fs::path saved = folder.path() / "Report" / "a.zt";
  test::WriteBytes(saved, image);
  test::WriteBytes(files.ImageFile(), std::string(kImageSize, 'x'));
  const std::size_t fds = OpenDescriptors();
  EXPECT_EQ(Load(saved), LoadCode::None);
  EXPECT_EQ(gauge, kLoadSteps);
  EXPECT_EQ(ticks, kLoadSteps + 1);  // the last tick only finishes
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(OpenDescriptors(), fds);
  EXPECT_EQ(decoded.header[kHeaderSerial], "04096");
  EXPECT_EQ(tables.time.Cell(1, 1), "01.01.2000 01:00");
  EXPECT_EQ(tables.time.Cell(3, 1), "10");
  EXPECT_EQ(tables.time.Cell(1, 2048), "01.01.2000 02:00");
  EXPECT_EQ(tables.operational.Cell(6, 1536), "7");
  EXPECT_EQ(test::ReadBytes(files.ImageFile()), image);
}

TEST_F(FileLoadTest, LoadingTheImageFileMakesNoCopy) {
  test::WriteBytes(files.ImageFile(), image);
  const auto before = fs::last_write_time(files.ImageFile());
  EXPECT_EQ(Load({}), LoadCode::None);
  EXPECT_EQ(fs::last_write_time(files.ImageFile()), before);
  EXPECT_EQ(tables.time.Cell(1, 1), "01.01.2000 01:00");
}

TEST_F(FileLoadTest, BadParameterBlockStopsBeforeAnyRow) {
  image[kParameterBlock.start + 10] ^= 0x01;
  const fs::path saved = folder.path() / "bad.zt";
  test::WriteBytes(saved, image);
  EXPECT_EQ(Load(saved), LoadCode::ParametersInvalid);
  EXPECT_EQ(gauge, 1);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].first, MessageKind::Error);
  EXPECT_EQ(messages.shown[0].second, "Ошибка чтения программируемых параметров!!!"_cp);
  EXPECT_EQ(tables.time.Cell(1, 1), kDitto);
  EXPECT_EQ(decoded.header[kHeaderSerial], kDitto);
  EXPECT_FALSE(fs::exists(files.ImageFile()));
}

TEST_F(FileLoadTest, SizesAtTheLimit) {
  const struct {
    std::size_t size;
    LoadCode code;
  } cases[] = {{20000, LoadCode::OpenFailed}, {32767, LoadCode::OpenFailed}, {32768, LoadCode::None},
               {40000, LoadCode::None}};
  for (const auto& c : cases) {
    messages.shown.clear();
    ticks = 0;
    std::string bytes = image;
    bytes.resize(c.size, '\x5A');
    const fs::path saved = folder.path() / ("s" + std::to_string(c.size) + ".zt");
    test::WriteBytes(saved, bytes);
    EXPECT_EQ(Load(saved), c.code) << c.size;
    if (c.code == LoadCode::OpenFailed) {
      EXPECT_EQ(ticks, 0) << "no step runs";
      ASSERT_EQ(messages.shown.size(), 1u);
      EXPECT_EQ(messages.shown[0].second, "Ошибка открытия файла!!!"_cp);
    } else {
      EXPECT_EQ(test::ReadBytes(files.ImageFile()), bytes) << "the image carries every byte";
    }
  }
}

TEST_F(FileLoadTest, MissingFileFailsToOpen) {
  EXPECT_EQ(Load(folder.path() / "none.zt"), LoadCode::OpenFailed);
}

TEST_F(FileLoadTest, StopKeepsWhatWasDecodedAndTheOldImage) {
  const fs::path saved = folder.path() / "a.zt";
  test::WriteBytes(saved, image);
  const std::string oldImage(kImageSize, 'o');
  test::WriteBytes(files.ImageFile(), oldImage);
  PrepareLoad(decoded, tables);
  FileLoad load(decoded, tables, log, messages, files, saved);
  load.Start();
  for (int i = 0; i < 3; ++i) load.Tick();  // parameters and two time blocks
  load.RequestStop();
  load.Tick();
  EXPECT_TRUE(load.Finished());
  EXPECT_EQ(load.Code(), LoadCode::Stopped);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].first, MessageKind::Information);
  EXPECT_EQ(messages.shown[0].second, "Чтение прервано"_cp);
  EXPECT_EQ(tables.time.Cell(1, 1), "01.01.2000 01:00");
  EXPECT_EQ(decoded.header[kHeaderSerial], "04096");
  EXPECT_EQ(test::ReadBytes(files.ImageFile()), oldImage);
  EXPECT_FALSE(load.ImageHoldsData()) << "what is shown is not in the image file";
  load.Tick();  // a finished load ignores further ticks
  EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(FileLoadTest, TheImageFileHoldsTheDataOnlyAfterACompleteLoad) {
  const fs::path saved = folder.path() / "a.zt";
  std::string badParameters = image;
  badParameters[kParameterBlock.start + 10] ^= 0x01;
  const struct {
    const char* what;
    std::string savedBytes;  // empty: load the image file itself
    bool imageIsAFolder;
    LoadCode code;
    bool holds;
  } cases[] = {
      {"a saved file, copied over the image", image, false, LoadCode::None, true},
      {"the image file itself", "", false, LoadCode::None, true},
      {"a parameter block refused", badParameters, false, LoadCode::ParametersInvalid, false},
      {"the copy over the image fails", image, true, LoadCode::None, false},
  };
  for (const auto& c : cases) {
    fs::remove_all(files.ImageFile());
    if (c.imageIsAFolder) fs::create_directory(files.ImageFile());
    if (c.savedBytes.empty()) test::WriteBytes(files.ImageFile(), image);
    else test::WriteBytes(saved, c.savedBytes);
    EXPECT_EQ(Load(c.savedBytes.empty() ? fs::path{} : saved), c.code) << c.what;
    EXPECT_EQ(imageHoldsData, c.holds) << c.what;
  }
}

TEST_F(FileLoadTest, FileEndingInsideTheArchivesIsAShortRead) {
  // Long enough to open, but the read of the last operational block comes up short:
  // a file truncated while the load runs.
  const fs::path saved = folder.path() / "a.zt";
  test::WriteBytes(saved, image);
  PrepareLoad(decoded, tables);
  FileLoad load(decoded, tables, log, messages, files, saved);
  load.Start();
  for (int i = 0; i < 10; ++i) load.Tick();
  fs::resize_file(saved, kOperationalArchive.start + 2 * kBlockSize + 100);
  while (load.Running()) load.Tick();
  EXPECT_EQ(load.Code(), LoadCode::ShortRead);
  EXPECT_EQ(messages.shown.back().second, "Ошибка чтения!!!"_cp);
  EXPECT_EQ(tables.time.Cell(1, 2048), "01.01.2000 02:00");
  EXPECT_EQ(tables.operational.Cell(6, 1536), kDitto);
  EXPECT_FALSE(fs::exists(files.ImageFile()));
}

TEST_F(FileLoadTest, SavedAndReopenedFileShowsTheSameData) {
  const fs::path first = folder.path() / "first.zt";
  test::WriteBytes(first, image);
  ASSERT_EQ(Load(first), LoadCode::None);
  const ArchiveTables before = tables;
  const DecodedImage decodedBefore = decoded;
  const fs::path second = folder.path() / "second.zt";
  ASSERT_TRUE(CopyOverFile(second, files.ImageFile(), messages));
  ASSERT_EQ(Load(second), LoadCode::None);
  EXPECT_EQ(decoded.header, decodedBefore.header);
  for (std::size_t r = 0; r < tables.time.RowCount(); ++r)
    for (std::size_t c = 0; c < tables.time.ColumnCount(); ++c) ASSERT_EQ(tables.time.Cell(c, r), before.time.Cell(c, r));
  for (std::size_t r = 0; r < tables.operational.RowCount(); ++r)
    for (std::size_t c = 0; c < tables.operational.ColumnCount(); ++c)
      ASSERT_EQ(tables.operational.Cell(c, r), before.operational.Cell(c, r));
}

TEST_F(FileLoadTest, InMemoryDecodeGivesWhatTheLoadGives) {
  const fs::path saved = folder.path() / "a.zt";
  test::WriteBytes(saved, image);
  ASSERT_EQ(Load(saved), LoadCode::None);
  DecodedImage inMemory;
  ArchiveTables inMemoryTables;
  ASSERT_TRUE(DecodeImage(image, inMemory, inMemoryTables, log));
  EXPECT_EQ(inMemory.header, decoded.header);
  for (std::size_t r = 0; r < tables.operational.RowCount(); ++r)
    ASSERT_EQ(inMemoryTables.operational.Cell(6, r), tables.operational.Cell(6, r));
  EXPECT_EQ(inMemoryTables.time.Cell(1, 1), "01.01.2000 01:00");

  EXPECT_FALSE(DecodeImage(image.substr(0, kImageSize - 1), inMemory, inMemoryTables, log));
  EXPECT_EQ(inMemory.header[kHeaderSerial], kDitto);
  image[kParameterBlock.start] ^= 1;
  EXPECT_FALSE(DecodeImage(image, inMemory, inMemoryTables, log));
  EXPECT_EQ(inMemoryTables.time.Cell(1, 1), kDitto);
}

}  // namespace
}  // namespace zt
