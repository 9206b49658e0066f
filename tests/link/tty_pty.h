// A pseudo-terminal pair for the serial channel's tests: the channel opens the
// slave by its path, the test plays the far end on the master.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <string_view>

namespace zt::link::testing {

// Failure guard only: a healthy pseudo-terminal answers in microseconds.
inline constexpr int kGuardMs = 3000;

class PtyPair {
 public:
  PtyPair() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) return;
    const char* name = ::ptsname(master_);
    if (name) slave_ = name;
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
  }
  ~PtyPair() { CloseMaster(); }
  PtyPair(const PtyPair&) = delete;
  PtyPair& operator=(const PtyPair&) = delete;

  bool Ok() const { return master_ >= 0 && !slave_.empty(); }
  const std::string& SlavePath() const { return slave_; }
  int Master() const { return master_; }

  bool Write(std::string_view bytes) const {
    return ::write(master_, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
  }
  // Reads until `count` bytes came or the guard ran out.
  std::string Read(std::size_t count) const {
    std::string got;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kGuardMs);
    while (got.size() < count && std::chrono::steady_clock::now() < deadline) {
      pollfd p{master_, POLLIN, 0};
      if (::poll(&p, 1, 50) <= 0) continue;
      char buffer[512];
      const ssize_t n = ::read(master_, buffer, sizeof buffer);
      if (n > 0) got.append(buffer, static_cast<std::size_t>(n));
    }
    return got;
  }
  void CloseMaster() {
    if (master_ >= 0) ::close(master_);
    master_ = -1;
  }

 private:
  int master_ = -1;
  std::string slave_;
};

// Waits (up to the guard) until fd is ready for reading or has hung up.
inline bool WaitReadable(int fd) {
  pollfd p{fd, POLLIN, 0};
  return fd >= 0 && ::poll(&p, 1, kGuardMs) > 0;
}

}  // namespace zt::link::testing
