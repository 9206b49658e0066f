#include "core/output_target.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

namespace zt {
namespace {

// As the kernel's own limit on links followed in one lookup.
constexpr int kMostLinks = 40;

// The path a chain of links at `path` ends at, existing or not; nullopt with
// error on a loop or a failed lookup.
std::optional<std::filesystem::path> FollowLinks(std::filesystem::path path, int& error) {
  for (int hops = 0; hops <= kMostLinks; ++hops) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) {
      if (errno == ENOENT) return path;
      error = errno;
      return std::nullopt;
    }
    if (!S_ISLNK(st.st_mode)) return path;
    std::string target(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1, '\0');
    const ssize_t n = ::readlink(path.c_str(), target.data(), target.size());
    if (n < 0) {
      error = errno;
      return std::nullopt;
    }
    target.resize(static_cast<std::size_t>(n));
    const std::filesystem::path next(target);
    path = next.is_absolute() ? next : path.parent_path() / next;
  }
  error = ELOOP;
  return std::nullopt;
}

}  // namespace

std::optional<OutputTarget> ResolveOutputTarget(const std::filesystem::path& destination, int& error) {
  OutputTarget target;
  struct stat st {};
  if (::stat(destination.c_str(), &st) == 0) {
    target.exists = true;
    target.device = st.st_dev;
    target.inode = st.st_ino;
    if (S_ISDIR(st.st_mode)) {
      error = EISDIR;
      return std::nullopt;
    }
    if (!S_ISREG(st.st_mode)) {
      target.kind = OutputKind::Direct;
      target.path = destination;
      return target;
    }
    target.mode = st.st_mode & 0777;
  } else if (errno != ENOENT) {
    error = errno;
    return std::nullopt;
  }
  const auto followed = FollowLinks(destination, error);
  if (!followed) return std::nullopt;
  target.path = *followed;
  return target;
}

bool IsSameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
  struct stat sa {}, sb {};
  return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
         sa.st_ino == sb.st_ino;
}

}  // namespace zt
