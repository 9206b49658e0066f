#include "core/program_folder.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <optional>
#include <utility>
#include <vector>

#include "core/program_folder_in_use.h"
#include "core/working_files.h"
#include "tests/core/child_process.h"
#include "tests/core/file_size_limit.h"
#include "tests/core/image_builder.h"

namespace zt {
namespace {

namespace fs = std::filesystem;

TEST(UserProgramFolder, FollowsTheBaseDirectoryRules) {
  const struct {
    const char* dataHome;
    const char* home;
    const char* folder;
  } cases[] = {
      {"/srv/data", "/home/u", "/srv/data/zetlogic"},
      {"/srv/data/", "/home/u", "/srv/data/zetlogic"},
      {"", "/home/u", "/home/u/.local/share/zetlogic"},
      {"data", "/home/u", "/home/u/.local/share/zetlogic"},  // a relative one is ignored
      {"./data", "/home/u", "/home/u/.local/share/zetlogic"},
      {"/srv/data", "", "/srv/data/zetlogic"},
      {"", "", ""},
      {"data", "home/u", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.dataHome) + " | " + c.home);
    EXPECT_EQ(UserProgramFolder({c.dataHome, c.home}), fs::path(c.folder));
  }
}

class ProgramFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(shipped.WorkFolder());
    fs::create_directories(shipped.ReportFolder());
    test::WriteBytes(shipped.ScanLimitFile(), "9\r\n");
    test::WriteBytes(shipped.RegionalFlagFile(), "1\r\n");
    test::WriteBytes(shipped.OperatorListFile(), "\xC8\xE2\xE0\xED\xEE\xE2\r\n");
  }
  ProgramFolderChoice Choose(bool writable = false) const {
    return ChooseProgramFolder(shipped.ProgramFolder(), writable, {"", home.string()});
  }

  test::TempFolder folder;
  WorkingFiles shipped{folder.path() / "usr/lib/zetlogic"};
  fs::path home = folder.path() / "home";
  WorkingFiles user{home / ".local/share/zetlogic"};
};

TEST_F(ProgramFolderTest, AWritableInstalledFolderIsUsedAsItIs) {
  const auto choice = Choose(true);
  EXPECT_EQ(choice.folder, shipped.ProgramFolder());
  EXPECT_FALSE(choice.perUser);
  EXPECT_EQ(choice.problem, ProgramFolderProblem::None);
  EXPECT_FALSE(fs::exists(home));
}

TEST_F(ProgramFolderTest, AnUnwritableOneGivesTheUsersFolderStockedWithTheShippedFiles) {
  const auto choice = Choose();
  EXPECT_EQ(choice.folder, user.ProgramFolder());
  EXPECT_TRUE(choice.perUser);
  EXPECT_EQ(choice.problem, ProgramFolderProblem::None);
  EXPECT_EQ(test::NamesIn(user.WorkFolder()), (std::vector<std::string>{"FIOmast.000", "Q_RS.000", "Type_Ru.000"}));
  EXPECT_EQ(test::ReadBytes(user.ScanLimitFile()), "9\r\n");
  EXPECT_EQ(test::ReadBytes(user.OperatorListFile()), "\xC8\xE2\xE0\xED\xEE\xE2\r\n");
  EXPECT_TRUE(fs::is_directory(user.ReportFolder()));
  EXPECT_TRUE(test::NamesIn(user.ReportFolder()).empty());
}

TEST_F(ProgramFolderTest, XdgDataHomeWinsOverHome) {
  const fs::path data = folder.path() / "data";
  const auto choice = ChooseProgramFolder(shipped.ProgramFolder(), false, {data.string(), home.string()});
  EXPECT_EQ(choice.folder, data / "zetlogic");
  EXPECT_TRUE(fs::is_regular_file(data / "zetlogic/Work/Q_RS.000"));
  EXPECT_FALSE(fs::exists(home));
}

TEST_F(ProgramFolderTest, TheOperatorsFilesOutliveLaterStartsAndUpgrades) {
  ASSERT_EQ(Choose().problem, ProgramFolderProblem::None);
  test::WriteBytes(user.OperatorListFile(), "edited\r\n");
  test::WriteBytes(user.ImageFile(), std::string(32768, 'i'));
  fs::remove(user.ScanLimitFile());
  fs::create_symlink("/dev/ttyUSB7", user.PortLink(3));
  // An upgrade ships other contents and one file more.
  test::WriteBytes(shipped.OperatorListFile(), "new list\r\n");
  test::WriteBytes(shipped.RegionalFlagFile(), "0\r\n");
  test::WriteBytes(shipped.WorkFolder() / "New.000", "n");
  fs::create_symlink("/dev/ttyS0", shipped.PortLink(3));
  fs::create_directories(shipped.WorkFolder() / "sub");

  const auto again = Choose();
  EXPECT_EQ(again.problem, ProgramFolderProblem::None);
  EXPECT_EQ(test::ReadBytes(user.OperatorListFile()), "edited\r\n");
  EXPECT_EQ(test::ReadBytes(user.RegionalFlagFile()), "1\r\n");
  EXPECT_EQ(test::ReadBytes(user.ImageFile()), std::string(32768, 'i'));
  EXPECT_EQ(test::ReadBytes(user.ScanLimitFile()), "9\r\n");  // gone, so shipped again
  EXPECT_EQ(test::ReadBytes(user.WorkFolder() / "New.000"), "n");
  EXPECT_EQ(fs::read_symlink(user.PortLink(3)), "/dev/ttyUSB7");
  EXPECT_FALSE(fs::exists(user.WorkFolder() / "sub"));
}

TEST_F(ProgramFolderTest, NoAbsoluteHomeLeavesTheInstalledFolder) {
  const auto choice = ChooseProgramFolder(shipped.ProgramFolder(), false, {"data", ""});
  EXPECT_EQ(choice.folder, shipped.ProgramFolder());
  EXPECT_FALSE(choice.perUser);
  EXPECT_EQ(choice.problem, ProgramFolderProblem::NoUserFolder);
}

TEST_F(ProgramFolderTest, AUserFolderThatCannotBeMadeLeavesTheInstalledFolder) {
  test::WriteBytes(home, "a file where the home folder should be");
  const auto choice = Choose();
  EXPECT_EQ(choice.folder, shipped.ProgramFolder());
  EXPECT_FALSE(choice.perUser);
  EXPECT_EQ(choice.problem, ProgramFolderProblem::CannotMake);
  EXPECT_EQ(choice.problemPath, user.WorkFolder());
  EXPECT_EQ(choice.error, ENOTDIR);
}

TEST_F(ProgramFolderTest, AFileThatCannotBeCopiedIsToldAndTriedAgainNextTime) {
  test::WriteBytes(shipped.WorkFolder() / "Big.000", std::string(8192, 'b'));
  {
    test::FileSizeLimit limit(1024);
    const auto choice = Choose();
    EXPECT_EQ(choice.folder, user.ProgramFolder());
    EXPECT_TRUE(choice.perUser);
    EXPECT_EQ(choice.problem, ProgramFolderProblem::CannotCopy);
    EXPECT_EQ(choice.problemPath, user.WorkFolder() / "Big.000");
    EXPECT_EQ(choice.error, EFBIG);
  }
  // Neither a part of it nor a temporary file stays; the others are there.
  EXPECT_EQ(test::NamesIn(user.WorkFolder()), (std::vector<std::string>{"FIOmast.000", "Q_RS.000", "Type_Ru.000"}));
  EXPECT_EQ(Choose().problem, ProgramFolderProblem::None);
  EXPECT_EQ(test::ReadBytes(user.WorkFolder() / "Big.000"), std::string(8192, 'b'));
}

TEST(ProgramFolderWritable, TheFolderAndItsWorkAndReportFoldersMustBeWritable) {
  // Asked by a child that is no longer root, for which access(W_OK) would always pass.
  test::TempFolder folder;
  const auto open = fs::perms::all;
  const auto closed = fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                      fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec;
  fs::permissions(folder.path(), open);
  const struct {
    const char* name;
    fs::perms top;
    std::optional<fs::perms> work, report;
    bool writable;
  } cases[] = {
      {"bare", open, std::nullopt, std::nullopt, true},
      {"both", open, open, open, true},
      {"work closed", open, closed, open, false},
      {"report closed", open, open, closed, false},
      {"folder closed", closed, open, open, false},
      {"folder closed, nothing inside", closed, std::nullopt, std::nullopt, false},
  };
  std::vector<fs::path> folders;
  for (const auto& c : cases) {
    const fs::path top = folder.path() / c.name;
    fs::create_directory(top);
    for (const auto& [name, perms] : {std::pair{"Work", c.work}, std::pair{"Report", c.report}}) {
      if (!perms) continue;
      fs::create_directory(top / name);
      fs::permissions(top / name, *perms);
    }
    fs::permissions(top, c.top);
    folders.push_back(top);
  }
  folders.push_back(folder.path() / "missing");
  test::ChildProcess child([&](test::ChildProcess&) {
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) return 255;
    int bits = 0;
    for (std::size_t i = 0; i < folders.size(); ++i)
      if (ProgramFolderWritable(folders[i])) bits |= 1 << i;
    return bits;
  });
  const int status = child.Wait();
  ASSERT_TRUE(WIFEXITED(status));
  const int bits = WEXITSTATUS(status);
  ASSERT_NE(bits, 255) << "could not leave root";
  for (std::size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ((bits >> i & 1) != 0, cases[i].writable) << cases[i].name;
  EXPECT_EQ(bits >> std::size(cases) & 1, 0) << "a missing folder";
  for (const auto& top : folders) {
    std::error_code ec;
    fs::permissions(top, open, ec);
  }
}

}  // namespace
}  // namespace zt
