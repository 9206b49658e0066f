// "СОХРАНИТЬ ФАЙЛ КАК  *.zt" onto a name that is something other than a file.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "app/shell/save_command.h"
#include "core/cp1251.h"
#include "core/device_image.h"
#include "tests/core/odd_files.h"
#include "tests/link/temp_folder.h"

namespace zt::shell {
namespace {

namespace fs = std::filesystem;
using link::fake::TempFolder;
using Shown = std::vector<std::pair<MessageKind, std::string>>;

std::string NotAFile(const fs::path& target) {
  return std::string("Файл \""_cp) + target.string() + std::string("\" не является обычным файлом, запись невозможна"_cp);
}

class SaveTargetKinds : public ::testing::Test {
 protected:
  SaveTargetKinds() {
    state.files = folder.Files();
    TempFolder::Write(folder.Files().ImageFile(), image);
  }
  fs::path Report(const char* name) const { return folder.Files().ReportFolder() / name; }

  TempFolder folder;
  AppState state;
  const std::string image = std::string(kImageSize, 'I');
  const test::HangGuard guard;
};

TEST_F(SaveTargetKinds, AFifoOrAFolderIsRefusedAfterTheYesAndKeepsItsKind) {
  ASSERT_EQ(::mkfifo(Report("fifo.zt").c_str(), 0600), 0);
  fs::create_directory(Report("dir.zt"));
  for (const char* name : {"fifo.zt", "dir.zt"}) {
    const auto type = fs::symlink_status(Report(name)).type();
    RecordingMessages messages;  // answers "Да"
    EXPECT_FALSE(SaveShownData(state, Report(name), messages)) << name;
    EXPECT_EQ(messages.shown, (Shown{{MessageKind::Confirmation, OverwriteQuestion(Report(name))},
                                     {MessageKind::Error, NotAFile(Report(name))}}))
        << name;
    EXPECT_EQ(fs::symlink_status(Report(name)).type(), type) << name;
  }
  EXPECT_TRUE(fs::is_empty(Report("dir.zt")));
  EXPECT_EQ(test::NamesIn(folder.Files().ReportFolder()), (std::vector<std::string>{"dir.zt", "fifo.zt"}));
}

TEST_F(SaveTargetKinds, ALinkToAFileIsSavedThroughAndStaysALink) {
  TempFolder::Write(Report("real.zt"), "old");
  fs::create_symlink("real.zt", Report("link.zt"));
  RecordingMessages messages;
  EXPECT_TRUE(SaveShownData(state, Report("link.zt"), messages));
  EXPECT_EQ(messages.shown, (Shown{{MessageKind::Confirmation, OverwriteQuestion(Report("link.zt"))},
                                   {MessageKind::Information, SavedMessage(Report("link.zt"))}}));
  EXPECT_TRUE(fs::is_symlink(Report("link.zt")));
  EXPECT_EQ(TempFolder::Read(Report("real.zt")), image);
}

}  // namespace
}  // namespace zt::shell
