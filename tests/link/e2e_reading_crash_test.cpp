// `zt read` killed at random moments of a reading and run out of room: the
// image file Work/cur_Rep.000 and the -o file are each the old file or the
// recorder's memory, never torn, the -o file never newer than the image file,
// and what a killed reading leaves is gone after the next one.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fcntl.h>
#include <optional>
#include <random>
#include <thread>

#include "core/sample_image.h"
#include "sim/sim_thread.h"
#include "tests/core/small_file_system.h"
#include "tests/link/temp_folder.h"

namespace zt {
namespace {

namespace fs = std::filesystem;
using link::fake::TempFolder;

constexpr std::uint32_t kSeed = 61120;
constexpr int kUnpaced = 0;
constexpr int kKills = 8;
constexpr int kFileError = 5;    // -o could not be written
constexpr int kImageError = 22;  // the image file could not be written

// zt read in a process of its own, stderr silenced; with a file size limit
// when given (writes beyond it fail as on a full disk).
class ZtRead {
 public:
  ZtRead(const std::string& port, const fs::path& program, const fs::path& output,
         std::optional<rlim_t> fileSizeLimit = std::nullopt) {
    std::vector<std::string> args{ZT_PROGRAM, "read",       "--port",          port,
                                  "--password", "1234",     "-o",              output.string(),
                                  "--workdir",  program.string()};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_ = ::fork();
    if (pid_ == 0) {
      // Only async-signal-safe calls between fork and exec: the test has threads.
      const int null = ::open("/dev/null", O_WRONLY);
      ::dup2(null, STDERR_FILENO);
      if (fileSizeLimit) {
        const rlimit limit{*fileSizeLimit, *fileSizeLimit};
        ::setrlimit(RLIMIT_FSIZE, &limit);
      }
      ::execv(argv[0], argv.data());
      ::_exit(127);
    }
  }
  ~ZtRead() {
    if (pid_ > 0 && !waited_) {
      ::kill(pid_, SIGKILL);
      Wait();
    }
  }
  ZtRead(const ZtRead&) = delete;
  ZtRead& operator=(const ZtRead&) = delete;

  void Kill() { ::kill(pid_, SIGKILL); }
  // The wait status.
  int Wait() {
    int status = 0;
    while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    waited_ = true;
    return status;
  }
  // The exit code; -1 for a death by signal.
  int Code() {
    const int status = Wait();
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

 private:
  pid_t pid_ = -1;
  bool waited_ = false;
};

class ReadingCrash : public ::testing::Test {
 protected:
  fs::path Program() const { return folder.Files().ProgramFolder(); }
  fs::path WorkFolder() const { return folder.Files().WorkFolder(); }
  std::string Image() const { return TempFolder::Read(folder.Files().ImageFile()); }
  std::string Output() const { return TempFolder::Read(output); }

  TempFolder folder;
  fs::path output = folder.path() / "out" / "read.zt";
  std::mt19937 draw{kSeed};
};

TEST_F(ReadingCrash, AReadingKilledAnywhereLeavesOldOrNewFilesAndTheNextReadingSweeps) {
  fs::create_directories(output.parent_path());
  // A whole reading first: it shows how long one takes, for the kills to spread over.
  const std::string first = GenerateSampleImage(100);
  sim::SimulatorThread firstRecorder(first, {}, kUnpaced);
  ASSERT_TRUE(firstRecorder.Start()) << firstRecorder.ErrorText();
  const auto started = std::chrono::steady_clock::now();
  ASSERT_EQ(ZtRead(firstRecorder.SlavePath(), Program(), output).Code(), 0);
  const auto whole = std::chrono::steady_clock::now() - started;
  ASSERT_TRUE(Image() == first && Output() == first);

  std::size_t leftBehind = 0;
  // Under load a run of kills may all miss the reading's copies: go on until one lands, within bounds.
  for (int kill = 0; kill < kKills || (leftBehind == 0 && kill < 5 * kKills); ++kill) {
    SCOPED_TRACE(kill);
    const std::string memory = GenerateSampleImage(101 + static_cast<std::uint64_t>(kill));
    const std::string imageBefore = Image(), outputBefore = Output();
    sim::SimulatorThread recorder(memory, {}, kUnpaced);
    ASSERT_TRUE(recorder.Start()) << recorder.ErrorText();
    // Half of the kills near the end, where the image file is renamed and -o copied.
    const double share = kill % 2 == 0 ? std::uniform_real_distribution<double>(0.0, 1.0)(draw)
                                       : std::uniform_real_distribution<double>(0.8, 1.1)(draw);
    ZtRead reading(recorder.SlavePath(), Program(), output);
    std::this_thread::sleep_for(std::chrono::duration_cast<std::chrono::microseconds>(whole * share));
    reading.Kill();
    reading.Wait();

    const std::string image = Image(), out = Output();
    EXPECT_TRUE(image == imageBefore || image == memory) << "torn image file";
    EXPECT_TRUE(out == outputBefore || out == memory) << "torn -o file";
    EXPECT_TRUE(out != memory || image == memory) << "-o before the image file was complete";
    ASSERT_LE(test::TempFilesIn(WorkFolder()), 1u);
    ASSERT_LE(test::TempFilesIn(output.parent_path()), 1u);
    leftBehind += test::TempFilesIn(WorkFolder()) + test::TempFilesIn(output.parent_path());
  }
  // The next start: a reading to its end.
  const std::string last = GenerateSampleImage(200);
  sim::SimulatorThread lastRecorder(last, {}, kUnpaced);
  ASSERT_TRUE(lastRecorder.Start()) << lastRecorder.ErrorText();
  ASSERT_EQ(ZtRead(lastRecorder.SlavePath(), Program(), output).Code(), 0);
  EXPECT_TRUE(Image() == last) << "image file";
  EXPECT_TRUE(Output() == last) << "-o file";
  EXPECT_EQ(test::TempFilesIn(WorkFolder()), 0u);
  EXPECT_EQ(test::TempFilesIn(output.parent_path()), 0u);
  EXPECT_GT(leftBehind, 0u) << "no kill landed inside a reading";
}

TEST_F(ReadingCrash, AReadingOntoANearlyFullDiskFailsWithTheOldFilesOrIsWhole) {
  const std::string oldImage = GenerateSampleImage(300), oldOutput = GenerateSampleImage(301);
  const std::string memory = GenerateSampleImage(302);
  sim::SimulatorThread recorder(memory, {}, kUnpaced);
  ASSERT_TRUE(recorder.Start()) << recorder.ErrorText();
  const std::size_t some = std::uniform_int_distribution<std::size_t>(0, 28 * 1024)(draw);
  const struct {
    bool workFull;  // the image file's folder is the small one, else the -o file's
    std::size_t room;
    int code;  // on a small file system
  } cases[] = {{true, 0, kImageError},     {true, some, kImageError}, {true, 64 * 1024, 0},
               {false, some, kFileError},  {false, 64 * 1024, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.workFull ? "Work" : "-o folder") + " with room " + std::to_string(c.room));
    fs::create_directories(output.parent_path());
    const fs::path small = c.workFull ? WorkFolder() : output.parent_path();
    test::SmallFileSystem disk(small);
    TempFolder::Write(folder.Files().ImageFile(), oldImage);
    TempFolder::Write(output, oldOutput);
    std::optional<rlim_t> limit;
    if (disk.Mounted())
      ASSERT_TRUE(disk.LeaveRoom(c.room));
    else
      limit = c.room;

    const int code = ZtRead(recorder.SlavePath(), Program(), output, limit).Code();
    EXPECT_TRUE(!disk.Mounted() || code == c.code) << code;
    // The files as each ending must leave them: a reading that failed keeps both old files.
    const bool read = code == 0 || code == kFileError;
    EXPECT_TRUE(code == 0 || code == kImageError || code == kFileError) << code;
    EXPECT_TRUE(Image() == (read ? memory : oldImage)) << "image file after exit " << code;
    EXPECT_TRUE(Output() == (code == 0 ? memory : oldOutput)) << "-o file after exit " << code;
    EXPECT_EQ(test::TempFilesIn(WorkFolder()), 0u);
    EXPECT_EQ(test::TempFilesIn(output.parent_path()), 0u);
  }
}

}  // namespace
}  // namespace zt
