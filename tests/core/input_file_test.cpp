#include "core/input_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <optional>
#include <string>

#include "core/copy_over_file.h"
#include "core/cp1251.h"
#include "core/data_file.h"
#include "core/messages.h"
#include "core/text_lines.h"
#include "tests/core/image_builder.h"
#include "tests/core/odd_file_test.h"

namespace zt {
namespace {

namespace fs = std::filesystem;
using test::OddFile;

TEST(ReadWholeFile, GivesEveryByteOfARegularFileOrALinkToOne) {
  test::TempFolder folder;
  std::string large(200 * 1024, '\0');
  for (std::size_t i = 0; i < large.size(); ++i) large[i] = static_cast<char>(i * 7 % 251);
  test::WriteBytes(folder.path() / "large", large);
  test::WriteBytes(folder.path() / "empty", "");
  fs::create_symlink("large", folder.path() / "link");
  EXPECT_EQ(ReadWholeFile(folder.path() / "large"), large) << "more than one read's worth";
  EXPECT_EQ(ReadWholeFile(folder.path() / "link"), large);
  EXPECT_EQ(ReadWholeFile(folder.path() / "empty"), std::string()) << "empty is not missing";
  EXPECT_EQ(ReadWholeFile(folder.path() / "missing"), std::nullopt);
}

TEST(InputFile, SaysWhyItIsNotOpen) {
  test::TempFolder folder;
  const struct {
    std::optional<OddFile> kind;
    fs::path path;
    int error;
  } cases[] = {
      {OddFile::Folder, folder.path() / "folder", EISDIR},
      {OddFile::Fifo, folder.path() / "fifo", EINVAL},
      {OddFile::DanglingLink, folder.path() / "dangling", ENOENT},
      {std::nullopt, folder.path() / "missing", ENOENT},
      {std::nullopt, "/dev/null", EINVAL},
  };
  const test::HangGuard guard;
  for (const auto& c : cases) {
    if (c.kind) test::MakeOddFile(*c.kind, c.path);
    const InputFile file(c.path);
    EXPECT_FALSE(file.IsOpen()) << c.path;
    EXPECT_EQ(file.Error(), c.error) << c.path;
  }
  test::WriteBytes(folder.path() / "regular", "12345");
  InputFile regular(folder.path() / "regular");
  ASSERT_TRUE(regular.IsOpen());
  EXPECT_EQ(regular.Size(), 5);
  EXPECT_EQ(regular.Error(), 0);
}

TEST(TextLines, SplitAtLineFeedsWithoutOneCarriageReturnBeforeThem) {
  using Lines = std::vector<std::string>;
  const struct {
    std::string_view text;
    Lines lines;
  } cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\n", {"a"}},
      {"a\r\n", {"a"}},
      {"\n", {""}},
      {"\r\n\r\n", {"", ""}},
      {"a\r\nb", {"a", "b"}},
      {"a\r\r\n", {"a\r"}},
      {"a\rb\nc", {"a\rb", "c"}},
      {"\r", {""}},
  };
  for (const auto& c : cases) EXPECT_EQ(TextLines(c.text), c.lines) << c.text;
}

// The readers of device-data files and the working files they copy, meeting
// something that is not a plain file where it expects one.
class OddInputFileTest : public ::testing::TestWithParam<OddFile> {
 protected:
  void SetUp() override { test::MakeOddFile(GetParam(), odd); }
  void TearDown() override { EXPECT_TRUE(test::OddFileKept(GetParam(), odd)); }

  test::TempFolder folder;
  fs::path odd = folder.path() / "cur_Rep.000";
  const test::HangGuard guard;
};

// The errno a refused open gives, for each kind; 0 where the file is read.
int OpenError(OddFile kind) {
  switch (kind) {
    case OddFile::Folder: return EISDIR;
    case OddFile::Fifo: return EINVAL;
    case OddFile::DanglingLink: return ENOENT;
    case OddFile::Unreadable: return EACCES;
    case OddFile::BinaryJunk: return 0;
  }
  return -1;
}

TEST_P(OddInputFileTest, ReadWholeFileTakesOnlyARegularFile) {
  const auto text = ReadWholeFile(odd);
  if (GetParam() == OddFile::BinaryJunk)
    EXPECT_EQ(text, test::AllByteValues());
  else
    EXPECT_EQ(text, std::nullopt);
  EXPECT_EQ(InputFile(odd).Error(), OpenError(GetParam()));
}

TEST_P(OddInputFileTest, ADataFileDoesNotOpen) {
  DataFile file;
  EXPECT_FALSE(file.Open(odd)) << "256 bytes of junk are too short as well";
  EXPECT_FALSE(IsCompleteDataFile(odd));
}

TEST_P(OddInputFileTest, ACopyFromItFailsWithTheReasonAndKeepsTheDestination) {
  const fs::path destination = folder.path() / "saved.zt";
  test::WriteBytes(destination, "operator's file");
  RecordingMessages messages;
  const bool copied = CopyOverFile(destination, odd, messages, SameFileCopy::Refused);
  if (GetParam() == OddFile::BinaryJunk) {
    EXPECT_TRUE(copied);
    EXPECT_EQ(test::ReadBytes(destination), test::AllByteValues());
    return;
  }
  EXPECT_FALSE(copied);
  EXPECT_EQ(test::ReadBytes(destination), "operator's file");
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].first, MessageKind::Error);
  EXPECT_EQ(messages.shown[0].second, std::string("Ошибка! при копировании файла "_cp) + odd.string() +
                                          std::string(" - код ошибки: "_cp) + std::to_string(OpenError(GetParam())));
}

INSTANTIATE_TEST_SUITE_P(Kinds, OddInputFileTest, ::testing::ValuesIn(test::OddFileKinds()),
                         test::OddFileTestName);

}  // namespace
}  // namespace zt
