// The zt-sim program itself as a child process: its pty path on stdout, its
// Work/COMn link, a write saved back into its image file (through a link to
// it), and its clean exit.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <sstream>

#include "core/device_image.h"
#include "core/sample_image.h"
#include "tests/link/temp_folder.h"
#include "tools/zt/device_session.h"

extern char** environ;

namespace zt {
namespace {

using link::fake::TempFolder;

// zt-sim with the arguments; its stdout on a pipe.
class SimProcess {
 public:
  explicit SimProcess(std::vector<std::string> args) {
    args.insert(args.begin(), ZT_SIM_PROGRAM);
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    int out[2];
    if (::pipe(out) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    if (::posix_spawn(&pid_, ZT_SIM_PROGRAM, &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);
    stdout_ = out[0];
  }
  ~SimProcess() {
    if (pid_ > 0) Finish();
    if (stdout_ >= 0) ::close(stdout_);
  }
  // The first line it prints, waiting at most 5 s.
  std::string FirstLine() {
    std::string line;
    char c = 0;
    while (line.find('\n') == std::string::npos) {
      pollfd p{stdout_, POLLIN, 0};
      if (::poll(&p, 1, 5000) <= 0 || ::read(stdout_, &c, 1) != 1) break;
      line.push_back(c);
    }
    if (!line.empty() && line.back() == '\n') line.pop_back();
    return line;
  }
  // SIGTERM, then its exit status (-1 when it did not exit normally).
  int Finish() {
    ::kill(pid_, SIGTERM);
    return Wait();
  }
  int Wait() {
    int status = 0;
    const pid_t pid = pid_;
    pid_ = -1;
    if (pid <= 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
  }

 private:
  pid_t pid_ = -1;
  int stdout_ = -1;
};

TEST(SimProgram, AWriteIsSavedIntoTheImageFileAndTheLinkGoesAtExit) {
  TempFolder folder;
  const std::string sample = GenerateSampleImage(21);
  // The image named through a link: the save goes to the file behind it.
  const auto imageFolder = folder.Files().ProgramFolder() / "images";
  const auto imagePath = imageFolder / "recorder.zt";
  const auto imageLink = folder.Files().ProgramFolder() / "recorder.zt";
  std::filesystem::create_directory(imageFolder);
  TempFolder::Write(imagePath, sample);
  std::filesystem::create_symlink("images/recorder.zt", imageLink);
  const auto link = folder.Files().PortLink(5);
  SimProcess sim({"--image", imageLink.string(), "--save", "--baud", "0", "--password", "77", "--link",
                  link.string()});
  const std::string slave = sim.FirstLine();
  ASSERT_EQ(slave.rfind("/dev/pts/", 0), 0u) << slave;
  EXPECT_EQ(std::filesystem::read_symlink(link), slave);

  RecordingMessages messages;
  link::SystemPollWaiter waiter;
  link::SteadyMonotonicClock clock;
  std::ostringstream notes;
  cli::DeviceSession session{folder.Files(), {}, messages, waiter, clock, notes};
  session.UsePort("COM5", link::kLinkBaudRate);
  ASSERT_EQ(session.Password(link::OperationMode::Writing, "77"), link::PasswordCode::Accepted);
  ASSERT_EQ(session.Write({"Saved Co", "B", "M", false}).code, link::WriteCode::Written);
  EXPECT_EQ(sim.Finish(), 0);

  const std::string saved = TempFolder::Read(imagePath);
  ASSERT_EQ(saved.size(), kImageSize);
  const auto enterprise = CheckTextField(std::string_view(saved).substr(kParameterBlock.start), param::kEnterprise);
  EXPECT_TRUE(enterprise.valid);
  EXPECT_EQ(enterprise.text.substr(0, 30), "Saved Co" + std::string(22, ' '));
  EXPECT_EQ(saved.substr(0, kParameterBlock.start), sample.substr(0, kParameterBlock.start));
  EXPECT_FALSE(std::filesystem::is_symlink(std::filesystem::symlink_status(link)));
  EXPECT_TRUE(std::filesystem::is_symlink(imageLink));
  std::size_t names = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(imageFolder)) ++names;
  EXPECT_EQ(names, 1u) << "no temporary file beside the image";
}

TEST(SimProgram, BadArgumentsEndWithUsage) {
  const std::vector<std::vector<std::string>> cases = {
      {}, {"--seed", "1", "--fault", "corrupt:x"}, {"--seed", "1", "--save"}};
  for (const auto& args : cases) {
    SimProcess sim(args);
    EXPECT_EQ(sim.Wait(), 2);
  }
}

TEST(SimProgram, MissingImageFileIsRefused) {
  TempFolder folder;
  SimProcess sim({"--image", (folder.Files().ProgramFolder() / "none.zt").string()});
  EXPECT_EQ(sim.Wait(), 1);
}

}  // namespace
}  // namespace zt
