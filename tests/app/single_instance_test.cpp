#include "app/shell/single_instance.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "tests/core/image_builder.h"

namespace zt::shell {
namespace {

TEST(SingleInstanceLock, ASecondLockOnTheSameFileIsRefused) {
  test::TempFolder folder;
  auto first = std::make_optional<SingleInstanceLock>(folder.path());
  ASSERT_TRUE(first->Acquire());
  EXPECT_TRUE(first->Held());
  EXPECT_EQ(first->LockFile(), folder.path() / "Zetlogic.lock");

  // flock belongs to the open file description: a second open is a second holder.
  SingleInstanceLock second(folder.path());
  EXPECT_FALSE(second.Acquire());
  EXPECT_FALSE(second.Held());
  EXPECT_TRUE(first->Acquire()) << "the holder asking again";

  first.reset();
  EXPECT_TRUE(second.Acquire());
  EXPECT_TRUE(second.Held());

  struct stat st {};
  ASSERT_EQ(::stat(second.LockFile().c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
}

TEST(SingleInstanceLock, OtherFoldersAreOtherLocks) {
  test::TempFolder a, b;
  SingleInstanceLock first(a.path());
  SingleInstanceLock second(b.path());
  EXPECT_TRUE(first.Acquire());
  EXPECT_TRUE(second.Acquire());
  EXPECT_TRUE(second.Held());
}

TEST(SingleInstanceLock, AKilledHolderReleasesIt) {
  test::TempFolder folder;
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::close(ready[0]);
    SingleInstanceLock lock(folder.path());
    const char held = lock.Acquire() && lock.Held() ? '1' : '0';
    if (::write(ready[1], &held, 1) != 1) ::_exit(1);
    for (;;) ::pause();
  }
  ::close(ready[1]);
  char held = 0;
  ASSERT_EQ(::read(ready[0], &held, 1), 1);  // blocks until the child holds the lock
  ::close(ready[0]);
  ASSERT_EQ(held, '1');

  SingleInstanceLock lock(folder.path());
  EXPECT_FALSE(lock.Acquire());

  ASSERT_EQ(::kill(child, SIGKILL), 0);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFSIGNALED(status));
  EXPECT_TRUE(lock.Acquire());
  EXPECT_TRUE(lock.Held());
}

TEST(SingleInstanceLock, AnUnusableLockFileDoesNotStopTheProgram) {
  test::TempFolder folder;
  const auto target = folder.path() / "elsewhere";
  std::filesystem::create_symlink(target, folder.path() / "Zetlogic.lock");
  SingleInstanceLock lock(folder.path());
  EXPECT_TRUE(lock.Acquire());
  EXPECT_FALSE(lock.Held());
  EXPECT_NE(lock.Error(), 0);
  EXPECT_FALSE(std::filesystem::exists(target)) << "the link was followed";

  SingleInstanceLock missingFolder(folder.path() / "no-such-folder");
  EXPECT_TRUE(missingFolder.Acquire());
  EXPECT_FALSE(missingFolder.Held());
}

TEST(SingleInstanceLock, DefaultFile) {
  const char* saved = std::getenv("XDG_RUNTIME_DIR");
  const std::optional<std::string> previous = saved ? std::optional<std::string>(saved) : std::nullopt;

  ::setenv("XDG_RUNTIME_DIR", "/run/user/1234", 1);
  EXPECT_EQ(DefaultLockFile(), std::filesystem::path("/run/user/1234/Zetlogic.lock"));
  ::unsetenv("XDG_RUNTIME_DIR");
  EXPECT_EQ(DefaultLockFile(), std::filesystem::path("/tmp/zetlogic-" + std::to_string(::getuid()) + ".lock"));
  ::setenv("XDG_RUNTIME_DIR", "", 1);
  EXPECT_EQ(DefaultLockFile(), std::filesystem::path("/tmp/zetlogic-" + std::to_string(::getuid()) + ".lock"));

  if (previous) ::setenv("XDG_RUNTIME_DIR", previous->c_str(), 1);
  else ::unsetenv("XDG_RUNTIME_DIR");
}

}  // namespace
}  // namespace zt::shell
