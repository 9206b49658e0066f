#include "core/output_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/temp_file_names.h"
#include "tests/core/file_size_limit.h"
#include "tests/core/image_builder.h"
#include "tests/core/odd_files.h"

namespace zt {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kNew = "new bytes";

mode_t ModeOf(const fs::path& path) {
  struct stat st {};
  ::stat(path.c_str(), &st);
  return st.st_mode & 07777;
}

// What a case laid out in its folder.
struct Layout {
  fs::path destination;
  std::vector<fs::path> inputs;
  int readerFd = -1;  // the FIFO's read end, opened before the writer
};

struct OutputCase {
  const char* kind;
  std::function<Layout(const fs::path& folder)> layout;
  OutputFailure failure;  // None: Open, Write and Commit succeed
  int error;              // errno expected with the failure
  std::function<void(const fs::path& folder, const Layout&)> check;
};

const OutputCase kCases[] = {
    {"a regular file is replaced whole and keeps its mode",
     [](const fs::path& f) {
       test::WriteBytes(f / "out.csv", "old");
       fs::permissions(f / "out.csv", fs::perms::owner_read | fs::perms::owner_write);
       return Layout{f / "out.csv", {}};
     },
     OutputFailure::None, 0,
     [](const fs::path& f, const Layout&) {
       EXPECT_EQ(test::ReadBytes(f / "out.csv"), kNew);
       EXPECT_EQ(ModeOf(f / "out.csv"), 0600u);
       EXPECT_EQ(test::NamesIn(f), std::vector<std::string>{"out.csv"});
     }},
    {"a new file is made",
     [](const fs::path& f) { return Layout{f / "new.csv", {}}; }, OutputFailure::None, 0,
     [](const fs::path& f, const Layout&) {
       EXPECT_EQ(test::ReadBytes(f / "new.csv"), kNew);
       EXPECT_EQ(test::NamesIn(f), std::vector<std::string>{"new.csv"});
     }},
    {"a link is written through and stays a link",
     [](const fs::path& f) {
       fs::create_directory(f / "real");
       test::WriteBytes(f / "real" / "data.zt", "old");
       fs::create_symlink("real/data.zt", f / "link.zt");
       return Layout{f / "link.zt", {}};
     },
     OutputFailure::None, 0,
     [](const fs::path& f, const Layout&) {
       EXPECT_TRUE(fs::is_symlink(f / "link.zt"));
       EXPECT_EQ(fs::read_symlink(f / "link.zt"), "real/data.zt");
       EXPECT_EQ(test::ReadBytes(f / "real" / "data.zt"), kNew);
       EXPECT_EQ(test::NamesIn(f / "real"), std::vector<std::string>{"data.zt"});
     }},
    {"a chain of links ending nowhere makes the file at its end",
     [](const fs::path& f) {
       fs::create_symlink("second", f / "first");
       fs::create_symlink(f / "end.zt", f / "second");
       return Layout{f / "first", {}};
     },
     OutputFailure::None, 0,
     [](const fs::path& f, const Layout&) {
       EXPECT_TRUE(fs::is_symlink(f / "first"));
       EXPECT_TRUE(fs::is_symlink(f / "second"));
       EXPECT_EQ(test::ReadBytes(f / "end.zt"), kNew);
     }},
    {"a FIFO is written directly",
     [](const fs::path& f) {
       ::mkfifo((f / "pipe").c_str(), 0600);
       return Layout{f / "pipe", {}, ::open((f / "pipe").c_str(), O_RDONLY | O_NONBLOCK)};
     },
     OutputFailure::None, 0,
     [](const fs::path& f, const Layout& l) {
       std::string got(64, '\0');
       const ssize_t n = ::read(l.readerFd, got.data(), got.size());
       got.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
       EXPECT_EQ(got, kNew);
       EXPECT_EQ(test::NamesIn(f), std::vector<std::string>{"pipe"});
     }},
    {"a FIFO without a reader fails at once instead of waiting for one",
     [](const fs::path& f) {
       ::mkfifo((f / "pipe").c_str(), 0600);
       return Layout{f / "pipe", {}};
     },
     OutputFailure::Open, ENXIO,
     [](const fs::path& f, const Layout&) {
       EXPECT_EQ(fs::status(f / "pipe").type(), fs::file_type::fifo);
       EXPECT_EQ(test::NamesIn(f), std::vector<std::string>{"pipe"});
     }},
    {"a full device fails the write",
     [](const fs::path&) { return Layout{"/dev/full", {}}; }, OutputFailure::Write, ENOSPC,
     [](const fs::path&, const Layout&) { EXPECT_EQ(fs::status("/dev/full").type(), fs::file_type::character); }},
    {"the input itself is refused",
     [](const fs::path& f) {
       test::WriteBytes(f / "a.zt", "image");
       return Layout{f / "a.zt", {f / "a.zt"}};
     },
     OutputFailure::SameAsInput, 0,
     [](const fs::path& f, const Layout&) {
       EXPECT_EQ(test::ReadBytes(f / "a.zt"), "image");
       EXPECT_EQ(test::NamesIn(f), std::vector<std::string>{"a.zt"});
     }},
    {"a hard link to the input is refused",
     [](const fs::path& f) {
       test::WriteBytes(f / "a.zt", "image");
       fs::create_hard_link(f / "a.zt", f / "b.csv");
       return Layout{f / "b.csv", {f / "other.zt", f / "a.zt"}};
     },
     OutputFailure::SameAsInput, 0,
     [](const fs::path& f, const Layout&) {
       EXPECT_EQ(test::ReadBytes(f / "a.zt"), "image");
       EXPECT_EQ(fs::hard_link_count(f / "a.zt"), 2u);
     }},
    {"a link to the input is refused",
     [](const fs::path& f) {
       test::WriteBytes(f / "a.zt", "image");
       fs::create_symlink(f / "a.zt", f / "b.csv");
       return Layout{f / "b.csv", {f / "a.zt"}};
     },
     OutputFailure::SameAsInput, 0,
     [](const fs::path& f, const Layout&) {
       EXPECT_EQ(test::ReadBytes(f / "a.zt"), "image");
       EXPECT_TRUE(fs::is_symlink(f / "b.csv"));
     }},
    {"an input reached through a link is refused",
     [](const fs::path& f) {
       test::WriteBytes(f / "a.zt", "image");
       fs::create_symlink(f / "a.zt", f / "in.zt");
       return Layout{f / "a.zt", {f / "in.zt"}};
     },
     OutputFailure::SameAsInput, 0,
     [](const fs::path& f, const Layout&) { EXPECT_EQ(test::ReadBytes(f / "a.zt"), "image"); }},
    {"a folder is refused",
     [](const fs::path& f) {
       fs::create_directory(f / "dir");
       return Layout{f / "dir", {}};
     },
     OutputFailure::Open, EISDIR, [](const fs::path& f, const Layout&) { EXPECT_TRUE(fs::is_empty(f / "dir")); }},
    {"a missing folder is reported",
     [](const fs::path& f) { return Layout{f / "no" / "out.csv", {}}; }, OutputFailure::Open, ENOENT,
     [](const fs::path& f, const Layout&) { EXPECT_FALSE(fs::exists(f / "no")); }},
    {"a loop of links is reported",
     [](const fs::path& f) {
       fs::create_symlink("b", f / "a");
       fs::create_symlink("a", f / "b");
       return Layout{f / "a", {}};
     },
     OutputFailure::Open, ELOOP, [](const fs::path& f, const Layout&) { EXPECT_TRUE(fs::is_symlink(f / "a")); }},
};

TEST(OutputFile, EachKindOfOutput) {
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.kind);
    test::TempFolder folder;
    const Layout layout = c.layout(folder.path());
    OutputFile out;
    const bool opened = out.Open(layout.destination, layout.inputs);
    const bool wrote = opened && out.Write(kNew);
    const bool committed = opened && out.Commit();  // also after a failed write, which it must not hide
    EXPECT_EQ(wrote && committed, c.failure == OutputFailure::None);
    EXPECT_EQ(out.Failure(), c.failure);
    EXPECT_EQ(out.ErrorCode(), c.error);
    EXPECT_FALSE(out.IsOpen());
    c.check(folder.path(), layout);
    if (layout.readerFd >= 0) ::close(layout.readerFd);
  }
}

TEST(OutputFile, FilesOnlyRefusesAnythingElseBeforeWritingAnything) {
  const struct {
    const char* kind;
    std::function<fs::path(const fs::path& folder)> make;
    OutputFailure failure;
    int error;
  } cases[] = {
      {"a FIFO, even with a reader",
       [](const fs::path& f) { return test::MakeOddFile(test::OddFile::Fifo, f / "pipe"); },
       OutputFailure::NotAFile, EINVAL},
      {"a folder",
       [](const fs::path& f) { return test::MakeOddFile(test::OddFile::Folder, f / "dir.zt"); },
       OutputFailure::NotAFile, EISDIR},
      {"a link to a folder",
       [](const fs::path& f) {
         fs::create_directory(f / "dir");
         fs::create_symlink("dir", f / "link.zt");
         return f / "link.zt";
       },
       OutputFailure::NotAFile, EISDIR},
      {"a device", [](const fs::path&) { return fs::path("/dev/null"); }, OutputFailure::NotAFile, EINVAL},
      {"a link to a regular file",
       [](const fs::path& f) {
         test::WriteBytes(f / "real.zt", "old");
         fs::create_symlink("real.zt", f / "link.zt");
         return f / "link.zt";
       },
       OutputFailure::None, 0},
      {"a link to no file yet",
       [](const fs::path& f) {
         fs::create_symlink("real.zt", f / "link.zt");
         return f / "link.zt";
       },
       OutputFailure::None, 0},
      {"no file yet", [](const fs::path& f) { return f / "new.zt"; }, OutputFailure::None, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    test::TempFolder folder;
    const fs::path destination = c.make(folder.path());
    const int reader = ::open((folder.path() / "pipe").c_str(), O_RDONLY | O_NONBLOCK);
    const auto before = test::NamesIn(folder.path());
    const bool link = fs::is_symlink(destination);
    OutputFile out;
    const bool opened = out.Open(destination, {}, OutputTargets::FilesOnly);
    EXPECT_EQ(opened, c.failure == OutputFailure::None);
    EXPECT_EQ(out.Failure(), c.failure);
    EXPECT_EQ(out.ErrorCode(), c.error);
    if (opened) {
      EXPECT_TRUE(out.Write(kNew) && out.Commit());
      EXPECT_EQ(test::ReadBytes(destination), kNew);
      EXPECT_EQ(fs::is_symlink(destination), link);
    } else {
      EXPECT_FALSE(out.IsOpen());
      EXPECT_EQ(test::NamesIn(folder.path()), before) << "nothing made, nothing removed";
    }
    if (reader >= 0) {
      char byte = 0;
      EXPECT_EQ(::read(reader, &byte, 1), 0) << "nothing reached the FIFO";
      ::close(reader);
    }
  }
}

TEST(OutputFile, SameInputNamesTheInputItWouldHaveBeen) {
  test::TempFolder folder;
  const fs::path input = folder.path() / "a.zt";
  test::WriteBytes(input, "image");
  OutputFile out;
  EXPECT_FALSE(out.Open(input, {folder.path() / "none", input}));
  EXPECT_EQ(out.SameInput(), input);
  EXPECT_EQ(out.Destination(), input);
}

TEST(OutputFile, TheTemporaryFileIsMadeBesideTheFileALinkNames) {
  test::TempFolder folder;
  const fs::path real = folder.path() / "real";
  fs::create_directory(real);
  test::WriteBytes(real / "data.zt", "old");
  fs::create_symlink(real / "data.zt", folder.path() / "link.zt");
  OutputFile out;
  ASSERT_TRUE(out.Open(folder.path() / "link.zt"));
  ASSERT_TRUE(out.Write(kNew));
  const auto beside = test::NamesIn(real);
  ASSERT_EQ(beside.size(), 2u);
  EXPECT_TRUE(IsTempFileName(beside[0])) << beside[0];
  EXPECT_EQ(test::NamesIn(folder.path()), (std::vector<std::string>{"link.zt", "real"}));
  EXPECT_TRUE(out.Commit());
}

TEST(OutputFile, TheOldFileStaysUntilTheCommitAndAfterAnyFailure) {
  test::TempFolder folder;
  const fs::path target = folder.path() / "saved.zt";
  test::WriteBytes(target, "operator's file");
  {
    OutputFile out;
    ASSERT_TRUE(out.Open(target));
    ASSERT_TRUE(out.Write(std::string(10000, 'n')));
    EXPECT_EQ(test::ReadBytes(target), "operator's file");
    EXPECT_EQ(test::NamesIn(folder.path()).size(), 2u) << "the temporary file beside it";
  }  // abandoned
  {
    OutputFile out;
    ASSERT_TRUE(out.Open(target));
    out.Write("partial");
    out.Discard();
  }
  {
    const test::FileSizeLimit limit(4096);
    OutputFile out;
    ASSERT_TRUE(out.Open(target));
    EXPECT_FALSE(out.Write(std::string(32768, 'n')));
    EXPECT_FALSE(out.Write("more")) << "a failure stays";
    EXPECT_FALSE(out.Commit());
    EXPECT_EQ(out.Failure(), OutputFailure::Write);
    EXPECT_EQ(out.ErrorCode(), EFBIG);
  }
  {
    // The destination becomes a folder before the rename.
    OutputFile out;
    const fs::path blocked = folder.path() / "blocked";
    ASSERT_TRUE(out.Open(blocked));
    fs::create_directories(blocked / "inside");
    ASSERT_TRUE(out.Write("data"));
    EXPECT_FALSE(out.Commit());
    EXPECT_EQ(out.Failure(), OutputFailure::Replace);
    EXPECT_TRUE(fs::is_directory(blocked / "inside"));
  }
  EXPECT_EQ(test::ReadBytes(target), "operator's file");
  EXPECT_EQ(test::NamesIn(folder.path()), (std::vector<std::string>{"blocked", "saved.zt"}));
}

// A writer that opens the file by name itself (Qt's PDF output) writes the
// temporary file: the old file stays until the commit, or after a discard.
TEST(OutputFile, AWriterByNameWritesTheTemporaryFile) {
  test::TempFolder folder;
  const fs::path target = folder.path() / "report.pdf";
  for (const bool commit : {false, true}) {
    SCOPED_TRACE(commit ? "committed" : "discarded");
    test::WriteBytes(target, "old document");
    OutputFile out;
    ASSERT_TRUE(out.Open(target));
    EXPECT_TRUE(out.Replaces());
    const fs::path path = out.WritePath();
    EXPECT_EQ(path.parent_path(), folder.path());
    EXPECT_TRUE(IsTempFileName(path.filename().string())) << path;
    test::WriteBytes(path, "new document");
    EXPECT_EQ(test::ReadBytes(target), "old document");
    if (commit)
      EXPECT_TRUE(out.Commit());
    else
      out.Discard();
    EXPECT_EQ(test::ReadBytes(target), commit ? "new document" : "old document");
    EXPECT_EQ(test::NamesIn(folder.path()), (std::vector<std::string>{"report.pdf"}));
    EXPECT_EQ(out.WritePath(), fs::path());
  }
  OutputFile device;
  ASSERT_TRUE(device.Open("/dev/null"));
  EXPECT_FALSE(device.Replaces());
  EXPECT_EQ(device.WritePath(), fs::path("/dev/null"));
  EXPECT_TRUE(device.Commit());
}

TEST(OutputFile, ANewFileTakesTheProcessMask) {
  test::TempFolder folder;
  const mode_t saved = ::umask(027);
  const bool written = ReplaceFileContents(folder.path() / "new.zt", "x");
  ::umask(saved);
  ASSERT_TRUE(written);
  EXPECT_EQ(ModeOf(folder.path() / "new.zt"), 0640u);
}

TEST(OutputFile, OpeningSweepsTheFolderOfLeftoversButNotOfFilesInUse) {
  test::TempFolder folder;
  const fs::path f = folder.path();
  test::WriteBytes(f / ".a.zt.zt-tmp.Ab12Cd", "left by a killed process");
  OutputFile inUse;
  ASSERT_TRUE(inUse.Open(f / "b.zt"));
  ASSERT_TRUE(inUse.Write("b"));
  OutputFile next;
  ASSERT_TRUE(next.Open(f / "c.zt"));
  ASSERT_TRUE(next.Write("c"));
  EXPECT_TRUE(next.Commit());
  EXPECT_TRUE(inUse.Commit()) << "its temporary file was left alone";
  EXPECT_EQ(test::NamesIn(f), (std::vector<std::string>{"b.zt", "c.zt"}));
}

}  // namespace
}  // namespace zt
