#include "sim/sim_server.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace zt::sim {
namespace {

// Closer than this, the output deadline is slept out precisely instead of polled for.
constexpr Nanos kSleepWindow = 1 * kNanosPerMilli;
// After the client hung up with nothing to read, look again this much later.
constexpr Nanos kHangupPause = 1 * kNanosPerMilli;

timespec ToTimespec(Nanos t) {
  return {static_cast<time_t>(t / kNanosPerSecond), static_cast<long>(t % kNanosPerSecond)};
}

}  // namespace

Nanos MonotonicNow() {
  timespec now{};
  ::clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<Nanos>(now.tv_sec) * kNanosPerSecond + now.tv_nsec;
}

SimServer::SimServer(RecorderSimulator& recorder, PtyPort& port, int baud,
                     std::function<void(const RecorderMemory&)> onImageChanged)
    : recorder_(recorder), port_(port), pacer_(baud), onImageChanged_(std::move(onImageChanged)) {
  if (::pipe2(stopPipe_, O_CLOEXEC | O_NONBLOCK) != 0) stopPipe_[0] = stopPipe_[1] = -1;
}

SimServer::~SimServer() {
  for (int fd : stopPipe_) {
    if (fd >= 0) ::close(fd);
  }
}

void SimServer::Stop() {
  stop_ = true;
  if (stopPipe_[1] >= 0) {
    const char wake = 1;
    [[maybe_unused]] const auto n = ::write(stopPipe_[1], &wake, 1);
  }
}

Nanos SimServer::WaitTime(Nanos now) const {
  std::optional<Nanos> wake = recorder_.IdleDeadline();
  if (!output_.empty()) {
    // Woken a little early, the last stretch is slept out precisely.
    const Nanos write = output_.front().deadline - kSleepWindow;
    wake = std::min(wake.value_or(write), write);
  }
  if (!wake) return -1;
  return std::max<Nanos>(0, *wake - now);
}

void SimServer::Run() {
  while (!stop_ && !vanished_ && Ready() && port_.IsOpen()) {
    Nanos now = MonotonicNow();
    WriteDue(now);
    if (vanished_) break;
    if (!output_.empty() && output_.front().deadline - now <= kSleepWindow) {
      const timespec at = ToTimespec(output_.front().deadline);
      ::clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &at, nullptr);
      continue;
    }
    const Nanos wait = WaitTime(now);
    pollfd fds[2] = {{port_.MasterFd(), POLLIN, 0}, {stopPipe_[0], POLLIN, 0}};
    const timespec timeout = ToTimespec(wait);
    const int ready = ::ppoll(fds, 2, wait < 0 ? nullptr : &timeout, nullptr);
    if (ready < 0 && errno != EINTR) break;
    if (fds[1].revents != 0) break;
    const bool read = (fds[0].revents & POLLIN) != 0 && ReadRequests() > 0;
    if (!read && (fds[0].revents & POLLHUP) != 0) {
      // Nobody holds the slave open: wait for the client to come back.
      const timespec pause = ToTimespec(kHangupPause);
      ::nanosleep(&pause, nullptr);
    }
    now = MonotonicNow();
    Queue(recorder_.Idle(now), now);
  }
}

std::size_t SimServer::ReadRequests() {
  char buffer[512];
  std::size_t total = 0;
  for (;;) {
    const ssize_t n = ::read(port_.MasterFd(), buffer, sizeof buffer);
    if (n <= 0) return total;
    total += static_cast<std::size_t>(n);
    const Nanos now = MonotonicNow();
    pacer_.Received(static_cast<std::size_t>(n), now);
    Queue(recorder_.Receive(std::string_view(buffer, static_cast<std::size_t>(n)), now), now);
    if (recorder_.TakeImageChanged() && onImageChanged_) onImageChanged_(recorder_.Memory());
  }
}

void SimServer::Queue(std::vector<Reply> replies, Nanos now) {
  for (const Reply& reply : replies) {
    for (TimedChunk& chunk : pacer_.Schedule(reply, now)) output_.push_back(std::move(chunk));
  }
}

void SimServer::WriteDue(Nanos now) {
  while (!output_.empty() && output_.front().deadline <= now) {
    TimedChunk chunk = std::move(output_.front());
    output_.pop_front();
    WriteAll(chunk.bytes);
    if (chunk.endsLine) {
      // The adapter pulled: the slave device goes with the master.
      output_.clear();
      port_.Close();
      vanished_ = true;
      return;
    }
  }
}

void SimServer::WriteAll(const std::string& bytes) {
  std::size_t done = 0;
  bool flushed = false;
  while (done < bytes.size()) {
    const ssize_t n = ::write(port_.MasterFd(), bytes.data() + done, bytes.size() - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno == EAGAIN && !flushed) {
      // The client is away and its input queue full: what it would read is lost anyway.
      ::tcflush(port_.MasterFd(), TCOFLUSH);
      flushed = true;
      continue;
    }
    return;
  }
}

}  // namespace zt::sim
