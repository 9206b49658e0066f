// What the zt commands do with the files named after -o, --sheets and --workdir.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <string>

#include "core/sample_image.h"
#include "core/temp_file_cleanup.h"
#include "tests/core/child_process.h"
#include "tests/core/image_builder.h"
#include "tests/tools/capture.h"
#include "tools/zt/commands.h"

namespace zt::cli {
namespace {

namespace fs = std::filesystem;

struct Invocation {
  int (*command)(const CommandArgs&);
  CommandArgs args;
};

// Every name under the folder with what it reads as (links followed).
std::map<std::string, std::string> Snapshot(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& e : fs::recursive_directory_iterator(folder)) {
    const std::string name = fs::relative(e.path(), folder).string();
    files[name] = fs::is_regular_file(e.path()) ? test::ReadBytes(e.path()) : std::string("(not a file)");
  }
  return files;
}

class OutputCommandsTest : public ::testing::Test {
 public:
  OutputCommandsTest() {
    fs::create_directories(Work());
    test::WriteBytes(Data(), image);
    test::WriteBytes(Image(), image);
  }
  fs::path Data() const { return folder.path() / "a.zt"; }
  fs::path Program() const { return folder.path() / "prog"; }
  fs::path Work() const { return Program() / "Work"; }
  fs::path Image() const { return Work() / "cur_Rep.000"; }
  CommandArgs Report(const fs::path& out) const {
    return {Data().string(), "--archive",      "oper", "--from",          "01.01.2000 00:00:00", "--to",
            "24.11.2031 23:59:59", "-o", out.string(), "--workdir", Program().string()};
  }
  CommandArgs Read(const fs::path& out) const {
    return {"--port", "/nonexistent/port", "--password", "1234", "-o", out.string(), "--workdir", Program().string()};
  }

  test::TempFolder folder;
  const std::string image = GenerateSampleImage(7);
};

TEST_F(OutputCommandsTest, AnOutputThatIsAnInputIsRefusedBeforeAnythingIsWritten) {
  const struct {
    const char* what;
    // Lays out what the case needs beside the data and image files; the command to run.
    std::function<Invocation(const OutputCommandsTest&)> arrange;
  } cases[] = {
      {"export over its input",
       [](const auto& t) { return Invocation{RunExport, CommandArgs{t.Data().string(), "--archive", "time", "-o", t.Data().string()}}; }},
      {"export over a hard link to its input",
       [](const auto& t) {
         fs::create_hard_link(t.Data(), t.folder.path() / "time.csv");
         return Invocation{RunExport, CommandArgs{t.Data().string(), "--archive", "time", "-o",
                                                 (t.folder.path() / "time.csv").string()}};
       }},
      {"export over a link to its input",
       [](const auto& t) {
         fs::create_symlink("a.zt", t.folder.path() / "time.csv");
         return Invocation{RunExport, CommandArgs{t.Data().string(), "--archive", "oper", "-o",
                                                 (t.folder.path() / "time.csv").string()}};
       }},
      {"report over its input", [](const auto& t) { return Invocation{RunReport, t.Report(t.Data())}; }},
      {"report over a link to its input",
       [](const auto& t) {
         fs::create_symlink(t.Data(), t.folder.path() / "out.txt");
         return Invocation{RunReport, t.Report(t.folder.path() / "out.txt")};
       }},
      {"report whose RepDay is a link to its input",
       [](const auto& t) {
         fs::create_symlink(t.Data(), t.Program() / "RepDay");
         return Invocation{RunReport, t.Report(t.folder.path() / "out.txt")};
       }},
      {"report over the RepDay it copies",
       [](const auto& t) {
         test::WriteBytes(t.Program() / "RepDay", "an older report");
         return Invocation{RunReport, t.Report(t.Program() / "RepDay")};
       }},
      {"report whose second sheet is a link to its input",
       [](const auto& t) {
         fs::create_directory(t.folder.path() / "sheets");
         fs::create_symlink(t.Data(), t.folder.path() / "sheets" / "RpList2");
         CommandArgs args = t.Report(t.folder.path() / "out.txt");
         args.insert(args.end(), {"--sheets", (t.folder.path() / "sheets").string(), "--lines", "60", "--chars", "200"});
         return Invocation{RunReport, args};
       }},
      {"read over the image file", [](const auto& t) { return Invocation{RunRead, t.Read(t.Image())}; }},
      {"read over a link to the image file",
       [](const auto& t) {
         fs::create_symlink(t.Image(), t.folder.path() / "b.zt");
         return Invocation{RunRead, t.Read(t.folder.path() / "b.zt")};
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(folder.path());
    fs::create_directories(Work());
    test::WriteBytes(Data(), image);
    test::WriteBytes(Image(), image);
    const Invocation run = c.arrange(*this);
    const auto before = Snapshot(folder.path());
    const Outcome r = Capture(run.command, run.args);
    EXPECT_EQ(r.code, 5);
    EXPECT_NE(r.err.find(" is the same file as "), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("; nothing written"), std::string::npos) << r.err;
    EXPECT_EQ(Snapshot(folder.path()), before);
  }
}

TEST_F(OutputCommandsTest, ExportWritesThroughALinkAndLeavesNoTemporaryFile) {
  const fs::path real = folder.path() / "real.csv";
  const fs::path link = folder.path() / "link.csv";
  test::WriteBytes(real, "old");
  fs::create_symlink("real.csv", link);
  // A file of the name the tool once used for its temporary file.
  test::WriteBytes(folder.path() / "link.csv.part", "someone's file");
  const Outcome r = Capture(RunExport, {Data().string(), "--archive", "time", "-o", link.string()});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(test::ReadBytes(real), Capture(RunExport, {Data().string(), "--archive", "time"}).out);
  EXPECT_EQ(test::ReadBytes(folder.path() / "link.csv.part"), "someone's file");
  std::size_t names = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator(folder.path())) ++names;
  EXPECT_EQ(names, 5u) << "a.zt, prog, real.csv, link.csv, link.csv.part";
}

TEST_F(OutputCommandsTest, ADeviceOrAFifoIsWrittenAsItStands) {
  const Outcome full = Capture(RunSample, {"-o", "/dev/full"});
  EXPECT_EQ(full.code, 5);
  EXPECT_EQ(full.err, std::string("zt sample: cannot write /dev/full: ") + std::strerror(ENOSPC) + "\n");
  EXPECT_EQ(fs::status("/dev/full").type(), fs::file_type::character);

  const fs::path fifo = folder.path() / "pipe";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  EXPECT_EQ(Capture(RunSample, {"--seed", "3", "-o", fifo.string()}).code, 0);
  std::string got(65536, '\0');
  const ssize_t n = ::read(reader, got.data(), got.size());
  ::close(reader);
  got.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
  EXPECT_EQ(got, GenerateSampleImage(3));
  EXPECT_EQ(fs::status(fifo).type(), fs::file_type::fifo);
}

TEST_F(OutputCommandsTest, AFileSizeLimitIsAWriteErrorWithItsReason) {
  const fs::path out = folder.path() / "s.zt";
  const fs::path err = folder.path() / "stderr";
  test::WriteBytes(out, "kept");
  test::ChildProcess child([&](test::ChildProcess&) {
    const int fd = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ::dup2(fd, STDERR_FILENO);
    InstallTempFileCleanup();  // as zt's main() does
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = 4096;
    ::setrlimit(RLIMIT_FSIZE, &limit);
    const int code = RunSample({"-o", out.string()});
    std::cerr.flush();
    return code;
  });
  const int status = child.Wait();
  ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
  EXPECT_EQ(WEXITSTATUS(status), 5);
  EXPECT_EQ(test::ReadBytes(err), "zt sample: cannot write " + out.string() + ": " + std::strerror(EFBIG) + "\n");
  EXPECT_EQ(test::ReadBytes(out), "kept");
}

}  // namespace
}  // namespace zt::cli
