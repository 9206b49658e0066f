#include "core/temp_file_names.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <system_error>

namespace zt {
namespace {

constexpr std::string_view kMarker = ".zt-tmp.";
constexpr std::size_t kUniquePart = 6;  // mkstemp's XXXXXX

bool IsUniqueChar(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }

// Removes a regular file whose lock nobody holds; the lock is kept while removing,
// so a writer that locks its file is never cut short.
bool RemoveIfAbandoned(const std::filesystem::path& file) {
  const int fd = ::open(file.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return false;
  struct stat st {};
  const bool removed = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
                       ::unlink(file.c_str()) == 0;
  ::close(fd);
  return removed;
}

}  // namespace

std::string TempFileTemplate(const std::filesystem::path& target) {
  const std::filesystem::path folder = target.parent_path().empty() ? "." : target.parent_path();
  return (folder / ("." + target.filename().string() + std::string(kMarker) + std::string(kUniquePart, 'X'))).string();
}

bool IsTempFileName(std::string_view name) {
  const std::size_t least = 1 + 1 + kMarker.size() + kUniquePart;  // ".", a name, the marker, the unique part
  if (name.size() < least || name.front() != '.') return false;
  const std::string_view unique = name.substr(name.size() - kUniquePart);
  for (char c : unique)
    if (!IsUniqueChar(c)) return false;
  return name.substr(name.size() - kUniquePart - kMarker.size(), kMarker.size()) == kMarker;
}

int RemoveLeftoverTempFiles(const std::filesystem::path& folder) {
  std::error_code ec;
  std::filesystem::directory_iterator it(folder.empty() ? "." : folder, ec);
  int removed = 0;
  for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
    const std::filesystem::path& file = it->path();
    if (IsTempFileName(file.filename().string()) && RemoveIfAbandoned(file)) ++removed;
  }
  return removed;
}

}  // namespace zt
