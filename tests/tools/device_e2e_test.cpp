// zt read and write against the simulated recorder on a pseudo-terminal:
// what they say and keep when something goes wrong, and what they read.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>

#include "core/cp1251.h"
#include "core/device_image.h"
#include "core/sample_image.h"
#include "core/working_files.h"
#include "sim/sim_thread.h"
#include "tests/core/child_process.h"
#include "tests/core/image_builder.h"
#include "tests/link/tty_pty.h"
#include "tests/tools/capture.h"
#include "tools/zt/commands.h"

namespace zt::cli {
namespace {

namespace fs = std::filesystem;

constexpr int kUnpaced = 0;

sim::SimulatorSettings WithFault(const char* fault) {
  sim::SimulatorSettings settings;
  EXPECT_TRUE(sim::ParseFault(fault, settings.faults)) << fault;
  return settings;
}

class DeviceEndToEnd : public ::testing::Test {
 protected:
  DeviceEndToEnd() : files(folder.path() / "prog") { files.EnsureFolders(); }
  // The progress line is drawn only when stderr is a terminal: not in these cases.
  void SetUp() override { ::testing::internal::CaptureStderr(); }
  void TearDown() override { ::testing::internal::GetCapturedStderr(); }

  // The recorder behind Work/COM3.
  void Plug(sim::SimulatorThread& recorder) { ASSERT_TRUE(recorder.Start(files.PortLink(3))) << recorder.ErrorText(); }
  CommandArgs Read(const std::string& port, const std::string& out) const {
    return {"--port", port, "--password", "1234", "-o", out, "--workdir", files.ProgramFolder().string()};
  }
  CommandArgs Write(CommandArgs texts) const {
    texts.insert(texts.end(), {"--port", "COM3", "--password", "1234", "--workdir", files.ProgramFolder().string()});
    return texts;
  }
  // A text field of the recorder's memory: 30 characters as written.
  static std::string TextField(const std::string& image, std::size_t offset) {
    return image.substr(kParameterBlock.start + offset, 30);
  }

  const std::string sample = GenerateSampleImage(13);
  test::TempFolder folder;
  WorkingFiles files;
};

TEST_F(DeviceEndToEnd, ACopyThatFailsNamesTheOutputAndKeepsTheImage) {
  sim::SimulatorThread recorder(sample, {}, kUnpaced);
  Plug(recorder);
  const Outcome r = Capture(RunRead, Read("COM3", "/dev/full"));
  EXPECT_EQ(r.code, 5);
  EXPECT_EQ(r.err, "zt read: cannot write /dev/full: No space left on device; the recorder's memory is kept in " +
                       files.ImageFile().string() + "\n");
  EXPECT_TRUE(test::ReadBytes(files.ImageFile()) == sample);
}

TEST_F(DeviceEndToEnd, ALowerCaseComNameIsTaken) {
  sim::SimulatorThread recorder(sample, {}, kUnpaced);
  Plug(recorder);
  const std::string out = (folder.path() / "a.zt").string();
  const Outcome r = Capture(RunRead, Read("com3", out));
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_TRUE(test::ReadBytes(out) == sample);
}

TEST_F(DeviceEndToEnd, ARefusedPasswordIsToldApartAfterTheProgramsMessage) {
  sim::SimulatorSettings settings;
  settings.password = 4321;
  sim::SimulatorThread recorder(sample, settings, kUnpaced);
  Plug(recorder);
  const std::string out = (folder.path() / "a.zt").string();
  const Outcome r = Capture(RunRead, Read("COM3", out));
  EXPECT_EQ(r.code, 14);
  EXPECT_EQ(r.err, "Ошибка пароля!!!\nzt read: the recorder refused the password 1234; give the password the "
                   "recorder is set to\n");
  EXPECT_FALSE(fs::exists(out));
}

TEST_F(DeviceEndToEnd, WritingReadsOnlyTheParameterBlockForTheTextsItKeeps) {
  test::WriteBytes(files.ImageFile(), "the image of an earlier reading");
  sim::SimulatorThread recorder(sample, {}, kUnpaced);
  Plug(recorder);
  const Outcome r = Capture(RunWrite, Write({"--meter", "Счетчик G16"}));
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.err, "Запись норма\n");
  const std::string image = recorder.Image();
  recorder.Stop();
  // The password and 4 pages, the password again and the three texts.
  EXPECT_EQ(recorder.FramesSeen(), 9u);
  EXPECT_EQ(TextField(image, param::kMeter), std::string("Счетчик G16"_cp) + std::string(19, ' '));
  EXPECT_EQ(TextField(image, param::kEnterprise), TextField(sample, param::kEnterprise));
  EXPECT_EQ(TextField(image, param::kBranch), TextField(sample, param::kBranch));
  EXPECT_EQ(test::ReadBytes(files.ImageFile()), "the image of an earlier reading");
}

TEST_F(DeviceEndToEnd, AWritingThatStopsPartWaySaysWhatTheRecorderTook) {
  // Reply 1 is the password's; reply 3 the branch's.
  sim::SimulatorThread recorder(sample, WithFault("error:3:0x08"), kUnpaced);
  Plug(recorder);
  const Outcome r = Capture(RunWrite, Write({"--enterprise", "E", "--branch", "B", "--meter", "M"}));
  EXPECT_EQ(r.code, 32);
  EXPECT_EQ(r.err, "Ошибка RS - ошибка записи во флеш\n"
                   "zt write: the recorder took --enterprise; it refused --branch; --meter was not sent\n");
  const std::string image = recorder.Image();
  EXPECT_EQ(TextField(image, param::kEnterprise), "E" + std::string(29, ' '));
  EXPECT_EQ(TextField(image, param::kBranch), TextField(sample, param::kBranch));
}

// What a child running zt read wrote to its stderr, a terminal.
std::string ReadOnATerminal(const std::string& sample, const WorkingFiles& files, const std::string& out,
                            int& exitCode) {
  link::testing::PtyPair pty;
  if (!pty.Ok()) return "no pseudo-terminal";
  std::fflush(nullptr);
  test::ChildProcess child([&](test::ChildProcess&) {
    const int terminal = ::open(pty.SlavePath().c_str(), O_RDWR | O_NOCTTY);
    ::dup2(terminal, STDERR_FILENO);
    sim::SimulatorThread recorder(sample, {}, kUnpaced);
    if (!recorder.Start(files.PortLink(3))) return 99;
    return RunRead({"--port", "COM3", "--password", "1234", "-o", out, "--workdir", files.ProgramFolder().string()});
  });
  std::string seen;
  std::atomic<bool> ended{false};
  // Drained while the child runs, so that it never waits on a full terminal.
  std::thread drain([&] {
    char buffer[4096];
    for (;;) {
      const bool last = ended;
      pollfd p{pty.Master(), POLLIN, 0};
      while (::poll(&p, 1, last ? 0 : 50) > 0) {
        const ssize_t n = ::read(pty.Master(), buffer, sizeof buffer);
        if (n <= 0) break;
        seen.append(buffer, static_cast<std::size_t>(n));
      }
      if (last) return;
    }
  });
  const int status = child.Wait();
  ended = true;
  drain.join();
  exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return seen;
}

TEST_F(DeviceEndToEnd, ReadingCountsItsPagesOnATerminal) {
  const std::string out = (folder.path() / "a.zt").string();
  int code = -1;
  const std::string seen = ReadOnATerminal(sample, files, out, code);
  ASSERT_EQ(code, 0) << seen;
  EXPECT_TRUE(test::ReadBytes(out) == sample);
  EXPECT_EQ(seen.rfind("\rreading: 0 of 512 pages", 0), 0u) << seen.substr(0, 80);
  EXPECT_NE(seen.find("\rreading: 512 of 512 pages"), std::string::npos);
  // Cleared at the end: blanks over the longest text, the cursor back at the line's start.
  const std::string cleared = "\r" + std::string(25, ' ') + "\r";
  ASSERT_GE(seen.size(), cleared.size());
  EXPECT_EQ(seen.substr(seen.size() - cleared.size()), cleared);
  EXPECT_EQ(seen.find('\n'), std::string::npos);
}

}  // namespace
}  // namespace zt::cli
