#include "core/temp_file_cleanup.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <filesystem>
#include <vector>

#include "core/output_file.h"
#include "tests/core/child_process.h"
#include "tests/core/image_builder.h"

namespace zt {
namespace {

namespace fs = std::filesystem;

// A child that installs the cleanup, writes half of out.zt and stops there
// until it is signalled (or told to go on, then commits).
class HalfWrittenChild {
 public:
  explicit HalfWrittenChild(const fs::path& folder, const std::function<void()>& before = {})
      : child_([folder, before](test::ChildProcess& self) {
          const rlimit noCore{0, 0};
          ::setrlimit(RLIMIT_CORE, &noCore);
          if (before) before();
          InstallTempFileCleanup();
          OutputFile out;
          if (!out.Open(folder / "out.zt") || !out.Write("half")) return 2;
          self.Ready();
          self.WaitForGo();
          return out.Write(" and the rest") && out.Commit() ? 0 : 3;
        }) {}
  test::ChildProcess& Process() { return child_; }

 private:
  test::ChildProcess child_;
};

TEST(TempFileCleanup, ASignalThatCanRunCodeLeavesNoTemporaryFile) {
  for (int sig : {SIGHUP, SIGINT, SIGTERM, SIGQUIT}) {
    SCOPED_TRACE(sig);
    test::TempFolder folder;
    test::WriteBytes(folder.path() / "out.zt", "old");
    HalfWrittenChild child(folder.path());
    ASSERT_TRUE(child.Process().WaitReady());
    ASSERT_EQ(test::NamesIn(folder.path()).size(), 2u) << "the temporary file while writing";
    ::kill(child.Process().Pid(), sig);
    const int status = child.Process().Wait();
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(WTERMSIG(status), sig) << "the signal still ends the process";
    EXPECT_EQ(test::NamesIn(folder.path()), std::vector<std::string>{"out.zt"});
    EXPECT_EQ(test::ReadBytes(folder.path() / "out.zt"), "old");
  }
}

TEST(TempFileCleanup, WhatSigkillLeavesIsSweptByTheNextWriterInTheFolder) {
  test::TempFolder folder;
  HalfWrittenChild child(folder.path());
  ASSERT_TRUE(child.Process().WaitReady());
  ::kill(child.Process().Pid(), SIGKILL);
  child.Process().Wait();
  ASSERT_EQ(test::NamesIn(folder.path()).size(), 1u) << "SIGKILL runs no code";
  ASSERT_TRUE(ReplaceFileContents(folder.path() / "other.zt", "x"));
  EXPECT_EQ(test::NamesIn(folder.path()), std::vector<std::string>{"other.zt"});
}

TEST(TempFileCleanup, AnIgnoredHangUpStaysIgnored) {
  test::TempFolder folder;
  HalfWrittenChild child(folder.path(), [] { std::signal(SIGHUP, SIG_IGN); });
  ASSERT_TRUE(child.Process().WaitReady());
  ::kill(child.Process().Pid(), SIGHUP);
  child.Process().Go();
  const int status = child.Process().Wait();
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(test::ReadBytes(folder.path() / "out.zt"), "half and the rest");
}

TEST(TempFileCleanup, AWritePastTheFileSizeLimitFailsInsteadOfKillingTheProcess) {
  test::TempFolder folder;
  const fs::path target = folder.path() / "out.zt";
  test::ChildProcess child([&](test::ChildProcess&) {
    InstallTempFileCleanup();
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = 4096;
    ::setrlimit(RLIMIT_FSIZE, &limit);
    OutputFile out;
    if (!out.Open(target)) return 2;
    const bool written = out.Write(std::string(32768, 'n'));
    return !written && out.Failure() == OutputFailure::Write && out.ErrorCode() == EFBIG ? 0 : 1;
  });
  const int status = child.Wait();
  ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_TRUE(fs::is_empty(folder.path()));
}

}  // namespace
}  // namespace zt
