#include "link/poll_host.h"

#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <chrono>

namespace zt::link {

std::int64_t SteadyMonotonicClock::NowMs() const {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

bool SystemPollWaiter::Wait(int fd, int timeoutMs) {
  pollfd p{fd, POLLIN, 0};
  // poll() skips a negative descriptor, which makes it a plain timed wait.
  const int r = ::poll(&p, 1, std::max(timeoutMs, 0));
  return r > 0 && fd >= 0 && p.revents != 0;
}

HostEnd PollHost::Run(int intervalMs, const std::function<void()>& tick, const std::function<bool()>& done,
                      std::int64_t limitMs) {
  const std::int64_t interval = std::max(intervalMs, 1);
  const std::int64_t start = clock_.NowMs();
  std::int64_t nextTick = start + interval;
  for (;;) {
    if (done()) return HostEnd::Done;
    if (stop_ && stop_()) return HostEnd::Stopped;
    std::int64_t now = clock_.NowMs();
    if (limitMs > 0 && now - start >= limitMs) return HostEnd::TimedOut;
    if (now >= nextTick) {
      ++ticks_;
      tick();
      nextTick += interval;
      if (nextTick <= now) nextTick = now + interval;
      continue;
    }
    std::int64_t wait = nextTick - now;
    if (limitMs > 0) wait = std::min(wait, start + limitMs - now);
    if (waiter_.Wait(source_.EventFd(), static_cast<int>(wait))) {
      ++events_;
      source_.OnReadable();
    }
  }
}

}  // namespace zt::link
