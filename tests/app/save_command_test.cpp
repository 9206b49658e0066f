#include "app/shell/save_command.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "core/cp1251.h"
#include "core/device_image.h"
#include "tests/link/temp_folder.h"

namespace zt::shell {
namespace {

using link::fake::TempFolder;
using Shown = std::vector<std::pair<MessageKind, std::string>>;

std::string Cp(std::string_view text) { return std::string(text); }

TEST(SaveTargetName, CutBeforeTheFirstFullStop) {
  const struct {
    const char* chosen;
    const char* target;
  } cases[] = {
      {"/r/abc.zt", "/r/abc.zt"},
      {"/r/abc.old.zt", "/r/abc.zt"},
      {"/r/abc", "/r/abc.zt"},
      {"/r/abc.txt", "/r/abc.zt"},
      {"/r/folder.with.dot/abc", "/r/folder.with.dot/abc.zt"},
      {"/r/folder.with.dot/abc.old.zt", "/r/folder.with.dot/abc.zt"},
      {"abc.ZT", "abc.zt"},
      {"00042_261207", "00042_261207.zt"},
  };
  for (const auto& c : cases) EXPECT_EQ(SaveTargetName(c.chosen), std::filesystem::path(c.target)) << c.chosen;
  EXPECT_EQ(SaveTargetName(""), std::nullopt);
  EXPECT_EQ(SaveTargetName("/r/folder/"), std::nullopt);
}

TEST(SaveTexts, QuestionAndMessage) {
  EXPECT_EQ(OverwriteQuestion("/r/abc.zt"), Cp("Файл \"/r/abc.zt\"уже существует, перезаписать?"_cp));
  EXPECT_EQ(SavedMessage("/r/abc.zt"), Cp("Файл : \"/r/abc.zt\" записан."_cp));
  // File names are UTF-8 bytes; messages are Windows-1251.
  EXPECT_EQ(SavedMessage("/r/Отчёт.zt"), Cp("Файл : \"/r/Отчёт.zt\" записан."_cp));
}

TEST(ShownSerialText, EndsAtAZeroByteAsTheLabel) {
  DecodedImage image;
  EXPECT_EQ(ShownSerialText(image), kDitto);
  image.header[kHeaderSerial] = std::string("04096\0xyz", 9);
  EXPECT_EQ(ShownSerialText(image), "04096");
  image.header[kHeaderSerial] = "01234";
  EXPECT_EQ(ShownSerialText(image), "01234");
}

TEST(WriteAllowed, NeedsAReadingInThisRun) {
  const struct {
    std::string_view serial;
    bool deviceRead, allowed;
  } cases[] = {
      {kDitto, false, false},
      {kDitto, true, false},
      {"00042", false, false},
      {"00042", true, true},
  };
  for (const auto& c : cases) {
    RecordingMessages messages;
    EXPECT_EQ(WriteAllowed(c.serial, c.deviceRead, messages), c.allowed) << c.serial << c.deviceRead;
    const Shown expected =
        c.allowed ? Shown{} : Shown{{MessageKind::Error, Cp("Перед записью необходимо выполнить чтение"_cp)}};
    EXPECT_EQ(messages.shown, expected) << c.serial << c.deviceRead;
  }
}

class SaveCommand : public ::testing::Test {
 protected:
  SaveCommand() { state.files = folder.Files(); }

  std::filesystem::path Report(const char* name) const { return folder.Files().ReportFolder() / name; }

  TempFolder folder;
  AppState state;
  const std::string image = std::string(kImageSize, 'I');
  const std::string saved = std::string(kImageSize, 'S');
};

TEST_F(SaveCommand, HasDataToSave) {
  const std::string noData = Cp("Нет прочитанных данных!!!"_cp);
  const struct {
    const char* what;
    std::optional<std::size_t> imageSize;
    bool imageHoldsShown;
    std::string_view serial;
    bool result;
    Shown shown;
  } cases[] = {
      {"no image file", std::nullopt, true, "00042", false, {{MessageKind::Warning, noData}}},
      {"short image file", kImageSize - 1, true, "00042", false, {{MessageKind::Warning, noData}}},
      {"load or reading stopped", kImageSize, false, "00042", false, {{MessageKind::Warning, noData}}},
      {"stopped, and nothing shown", kImageSize, false, kDitto, false, {{MessageKind::Warning, noData}}},
      {"nothing shown", kImageSize, true, kDitto, false, {{MessageKind::Warning, Cp("Нет данных!!!"_cp)}}},
      {"complete", kImageSize, true, "00042", true, {}},
      {"longer than the image", kImageSize + 1, true, "00042", true, {}},
  };
  for (const auto& c : cases) {
    std::filesystem::remove(folder.Files().ImageFile());
    if (c.imageSize) TempFolder::Write(folder.Files().ImageFile(), std::string(*c.imageSize, 'I'));
    state.imageHoldsShownData = c.imageHoldsShown;
    RecordingMessages messages;
    EXPECT_EQ(HasDataToSave(state, c.serial, messages), c.result) << c.what;
    EXPECT_EQ(messages.shown, c.shown) << c.what;
  }
}

TEST_F(SaveCommand, HasDataToSaveLooksAtTheImageFileNotTheOpenedOne) {
  // After a complete load the opened file was copied over the image file; it
  // may since have gone (a stick pulled out) without touching what is saved.
  TempFolder::Write(folder.Files().ImageFile(), image);
  state.currentDataFile = Report("gone.zt");
  state.imageHoldsShownData = true;
  RecordingMessages messages;
  EXPECT_TRUE(HasDataToSave(state, "00042", messages));
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(SaveCommand, SavesUnderTheTargetName) {
  TempFolder::Write(folder.Files().ImageFile(), image);
  RecordingMessages messages;
  ASSERT_TRUE(SaveShownData(state, Report("abc.old.zt"), messages));
  EXPECT_EQ(TempFolder::Read(Report("abc.zt")), image);
  EXPECT_FALSE(std::filesystem::exists(Report("abc.old.zt")));
  EXPECT_EQ(messages.shown, (Shown{{MessageKind::Information, SavedMessage(Report("abc.zt"))}}));
}

TEST_F(SaveCommand, AnExistingTargetIsReplacedOnlyOnYes) {
  TempFolder::Write(folder.Files().ImageFile(), image);
  for (const bool yes : {false, true}) {
    TempFolder::Write(Report("abc.zt"), "old");
    RecordingMessages messages(yes);
    EXPECT_EQ(SaveShownData(state, Report("abc.old.zt"), messages), yes);
    EXPECT_EQ(TempFolder::Read(Report("abc.zt")), yes ? image : "old");
    Shown expected{{MessageKind::Confirmation, OverwriteQuestion(Report("abc.zt"))}};
    if (yes) expected.emplace_back(MessageKind::Information, SavedMessage(Report("abc.zt")));
    EXPECT_EQ(messages.shown, expected);
  }
}

TEST_F(SaveCommand, CopiesTheImageFileNotTheOpenedFile) {
  // Whatever the opened file holds now, the image file is what was shown.
  TempFolder::Write(folder.Files().ImageFile(), image);
  TempFolder::Write(Report("opened.zt"), saved);
  state.currentDataFile = Report("opened.zt");
  RecordingMessages messages;
  ASSERT_TRUE(SaveShownData(state, Report("copy.zt"), messages));
  EXPECT_EQ(TempFolder::Read(Report("copy.zt")), image);
}

TEST_F(SaveCommand, SavingOntoTheOpenedFileOrALinkToItReplacesIt) {
  // The opened file after its complete load: the image file holds the same bytes.
  TempFolder::Write(folder.Files().ImageFile(), image);
  TempFolder::Write(Report("opened.zt"), image);
  std::filesystem::create_symlink(Report("opened.zt"), Report("link.zt"));
  state.currentDataFile = Report("opened.zt");
  for (const char* chosen : {"opened.zt", "opened.copy.zt", "link.zt"}) {
    const auto target = *SaveTargetName(Report(chosen));
    RecordingMessages messages;
    EXPECT_TRUE(SaveShownData(state, Report(chosen), messages)) << chosen;
    EXPECT_EQ(messages.shown, (Shown{{MessageKind::Confirmation, OverwriteQuestion(target)},
                                     {MessageKind::Information, SavedMessage(target)}}))
        << chosen;
    EXPECT_EQ(TempFolder::Read(Report("opened.zt")), image) << chosen;
  }
  EXPECT_TRUE(std::filesystem::is_symlink(Report("link.zt")));
}

TEST_F(SaveCommand, TheImageFileIsNeverSavedOverItself) {
  TempFolder::Write(folder.Files().ImageFile(), image);
  std::filesystem::create_symlink(folder.Files().ImageFile(), Report("image.zt"));
  RecordingMessages messages;
  EXPECT_FALSE(SaveShownData(state, Report("image.zt"), messages));
  EXPECT_EQ(TempFolder::Read(folder.Files().ImageFile()), image);
  ASSERT_EQ(messages.shown.size(), 2u);
  EXPECT_EQ(messages.shown[1].first, MessageKind::Error);
  EXPECT_TRUE(std::filesystem::is_symlink(Report("image.zt")));
}

TEST_F(SaveCommand, AFailedCopyIsNotReportedAsWritten) {
  TempFolder::Write(folder.Files().ImageFile(), image);
  state.currentDataFile = Report("opened.zt");
  RecordingMessages messages;
  EXPECT_FALSE(SaveShownData(state, folder.path() / "no-such-folder" / "abc.zt", messages));
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].first, MessageKind::Error);
  // The message names the file the copy is taken from.
  EXPECT_NE(messages.shown[0].second.find(Utf8ToCp1251(folder.Files().ImageFile().native())), std::string::npos)
      << messages.shown[0].second;
  EXPECT_EQ(messages.shown[0].second.find("opened.zt"), std::string::npos);
}

TEST_F(SaveCommand, NothingChosenSavesNothing) {
  TempFolder::Write(folder.Files().ImageFile(), image);
  RecordingMessages messages;
  EXPECT_FALSE(SaveShownData(state, "", messages));
  EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace zt::shell
