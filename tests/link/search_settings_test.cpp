#include "link/search_settings.h"

#include <gtest/gtest.h>

#include "tests/core/odd_file_test.h"
#include "tests/link/temp_folder.h"

namespace zt::link {
namespace {

using fake::TempFolder;

TEST(ScanLimit, LastUsableLineWins) {
  const struct {
    const char* text;
    int limit;
  } cases[] = {
      {"", 50},
      {"10\r\n", 10},
      {"1 0\r\n", 10},  // spaces removed
      {"0\r\n", 50},
      {"100\r\n", 50},
      {"99", 99},
      {"1", 1},
      {"text\r\n", 50},
      {"-\r\n", 50},
      {"1-2\r\n", 50},
      {"20\r\nabc\r\n30\r\n0\r\n", 30},
      {"266\r\n", 10},   // 266 mod 256
      {"-246\r\n", 10},  // low 8 bits of -246 are 0x0A
      {"2147483647\r\n", 50},  // low byte 0xFF
      {"2147483648\r\n", 50},  // out of range: skipped
      {"12\n7\n", 7},
      {"+5\r\n", 50},
  };
  for (const auto& c : cases) EXPECT_EQ(ScanLimitFromText(c.text), c.limit) << c.text;
}

TEST(RememberedPort, DigitsOnlyLines) {
  const struct {
    const char* text;
    bool found;
    int port;
  } cases[] = {
      {"", false, 0},
      {"3\r\n", true, 3},
      {" 1 2 \r\n", true, 12},
      {"-3\r\n", false, 0},
      {"x\r\n", false, 0},
      {"4\r\n\r\n5\r\n", true, 5},
      {"259\r\n", true, 3},
      {"0\r\n", true, 0},
      {"9999999999\r\n", false, 0},
  };
  for (const auto& c : cases) {
    SearchSettings s;
    RememberedPortFromText(c.text, s);
    EXPECT_EQ(s.tryRemembered, c.found) << c.text;
    EXPECT_EQ(s.rememberedPort, c.port) << c.text;
  }
}

TEST(RememberedPort, TheWrittenTextReadsBack) {
  for (const std::uint8_t port : {std::uint8_t{0}, std::uint8_t{7}, std::uint8_t{255}}) {
    SearchSettings s;
    RememberedPortFromText(RememberedPortText(port), s);
    EXPECT_TRUE(s.tryRemembered);
    EXPECT_EQ(s.rememberedPort, port);
  }
  EXPECT_EQ(RememberedPortText(12), "12\r\n");
}

TEST(SearchSettingsFiles, DefaultsWhenMissing) {
  TempFolder folder;
  const SearchSettings s = ReadSearchSettings(folder.Files());
  EXPECT_EQ(s.scanLimit, 50);
  EXPECT_FALSE(s.tryRemembered);
}

TEST(SearchSettingsFiles, ReadsBothAndRewritesThePort) {
  TempFolder folder;
  TempFolder::Write(folder.Files().ScanLimitFile(), "10\r\n");
  TempFolder::Write(folder.Files().RememberedPortFile(), "3\r\n7\r\n");
  SearchSettings s = ReadSearchSettings(folder.Files());
  EXPECT_EQ(s.scanLimit, 10);
  EXPECT_TRUE(s.tryRemembered);
  EXPECT_EQ(s.rememberedPort, 7);

  ASSERT_TRUE(WriteRememberedPort(folder.Files(), 5));
  EXPECT_EQ(TempFolder::Read(folder.Files().RememberedPortFile()), "5\r\n");
  // Only the two files: no temporary left behind.
  EXPECT_EQ(folder.WorkEntries(), 2u);
}

// A settings file that is no file to read leaves its default and the other file's setting.
using OddSearchSettingsFile = test::OddFileTest;

TEST_P(OddSearchSettingsFile, LeavesItsDefault) {
  const struct {
    std::filesystem::path odd;
    std::filesystem::path other;
    const char* otherText;
    int scanLimit;
    bool tryRemembered;
    int port;
  } cases[] = {
      {files.ScanLimitFile(), files.RememberedPortFile(), "7\r\n", 50, true, 7},
      {files.RememberedPortFile(), files.ScanLimitFile(), "10\r\n", 10, false, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.odd.filename().string());
    test::MakeOddFile(GetParam(), c.odd);
    TempFolder::Write(c.other, c.otherText);
    SearchSettings s;
    EXPECT_NO_THROW(s = ReadSearchSettings(files));
    EXPECT_EQ(s.scanLimit, c.scanLimit);
    EXPECT_EQ(s.tryRemembered, c.tryRemembered);
    EXPECT_EQ(s.rememberedPort, c.port);
    EXPECT_TRUE(test::OddFileKept(GetParam(), c.odd));
    std::filesystem::remove_all(c.odd);
  }
}

TEST(SearchSettingsFiles, ThePortIsNotWrittenIntoAFolderOrAPipeAndNothingWaits) {
  const test::HangGuard guard;
  for (const auto kind : {test::OddFile::Folder, test::OddFile::Fifo}) {
    TempFolder folder;
    test::MakeOddFile(kind, folder.Files().RememberedPortFile());
    EXPECT_FALSE(WriteRememberedPort(folder.Files(), 5)) << test::OddFileName(kind);
    EXPECT_TRUE(test::OddFileKept(kind, folder.Files().RememberedPortFile())) << test::OddFileName(kind);
  }
}

INSTANTIATE_TEST_SUITE_P(Kinds, OddSearchSettingsFile, ::testing::ValuesIn(test::OddFileKinds()),
                         test::OddFileTestName);

}  // namespace
}  // namespace zt::link
