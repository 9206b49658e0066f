// The zt program as a whole: its usage, and its standard output checked at the end.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "core/sample_image.h"
#include "tests/core/child_process.h"
#include "tests/core/image_builder.h"
#include "tests/tools/capture.h"
#include "tools/zt/program.h"

namespace zt::cli {
namespace {

int Program(const CommandArgs& args) { return RunProgram(args); }

TEST(Program, HelpPrintsTheUsageOnStdoutAndSucceeds) {
  for (const char* help : {"--help", "-h"}) {
    const Outcome r = Capture(Program, {help});
    EXPECT_EQ(r.code, 0) << help;
    EXPECT_EQ(r.out.rfind("usage:\n  zt sample [--seed N] -o FILE.zt\n", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("\n  zt write --port COMn|DEVICE --password N "), std::string::npos) << r.out;
    EXPECT_EQ(r.err, "");
  }
  const Outcome command = Capture(Program, {"info", "--help"});
  EXPECT_EQ(command.code, 0);
  EXPECT_EQ(command.out, "usage: zt info FILE\n");
}

TEST(Program, NoCommandOrAnUnknownOneIsAUsageError) {
  const Outcome none = Capture(Program, {});
  EXPECT_EQ(none.code, 64);
  EXPECT_EQ(none.out, "");
  EXPECT_EQ(none.err.rfind("usage:\n", 0), 0u);
  const Outcome unknown = Capture(Program, {"shwo", "a.zt"});
  EXPECT_EQ(unknown.code, 64);
  EXPECT_EQ(unknown.err.rfind("zt: unknown command shwo\nusage:\n", 0), 0u) << unknown.err;
}

TEST(Program, OutputThatDoesNotReachAFullStdoutFailsTheCommand) {
  test::TempFolder folder;
  const auto data = folder.path() / "a.zt";
  const auto err = folder.path() / "stderr";
  test::WriteBytes(data, GenerateSampleImage(4));
  for (const char* command : {"show", "info", "export"}) {
    SCOPED_TRACE(command);
    std::fflush(nullptr);  // nothing of this process's buffers goes with the child
    test::ChildProcess child([&](test::ChildProcess&) {
      const int full = ::open("/dev/full", O_WRONLY);
      const int errFd = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      ::dup2(full, STDOUT_FILENO);
      ::dup2(errFd, STDERR_FILENO);
      CommandArgs args = {command, data.string()};
      if (std::string(command) == "export") args.insert(args.end(), {"--archive", "time"});
      return RunProgram(args);
    });
    const int status = child.Wait();
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 5);
    // The reason when the last flush was the one to fail; a write that failed
    // while the command ran leaves none.
    const std::string message = test::ReadBytes(err);
    EXPECT_EQ(message.rfind("zt: cannot write the output to stdout", 0), 0u) << message;
    EXPECT_EQ(message.back(), '\n');
  }
}

}  // namespace
}  // namespace zt::cli
