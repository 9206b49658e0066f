#include "link/tty_serial_channel.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

namespace zt::link {
namespace {

constexpr int kOpenFlags = O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC;
constexpr short kHangUp = POLLHUP | POLLERR | POLLNVAL;

OpenFailure FailureOfErrno(int error) {
  switch (error) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
    case ENOTDIR:
      return OpenFailure::NotFound;
    case EACCES:
    case EPERM:
      return OpenFailure::PermissionDenied;
    case EBUSY:
    case EWOULDBLOCK:
      return OpenFailure::Busy;
    case EISDIR:
      return OpenFailure::NotATerminal;
    default:
      return OpenFailure::NotFound;
  }
}

// A pseudo-terminal has no modem lines or serial driver; that is no failure.
bool IgnorableIoctlError(int error) { return error == ENOTTY || error == EINVAL; }

short ReadyEvents(int fd) {
  pollfd p{fd, POLLIN, 0};
  int r;
  do r = ::poll(&p, 1, 0);
  while (r < 0 && errno == EINTR);
  return r > 0 ? p.revents : 0;
}

}  // namespace

unsigned TermiosSpeed(int baud) {
  switch (baud) {
    case 110: return B110;
    case 300: return B300;
    case 600: return B600;
    case 1200: return B1200;
    case 2400: return B2400;
    case 4800: return B4800;
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    case 230400: return B230400;
    default: return 0;
  }
}

TtySerialChannel::~TtySerialChannel() { Close(); }

void TtySerialChannel::SetDeviceName(std::string name) {
  if (!IsOpen()) name_ = std::move(name);
}

void TtySerialChannel::SetBaudRate(int baud) {
  baud_ = baud;
  if (IsOpen()) ApplyLineSettings();
}

bool TtySerialChannel::Fail(OpenFailure failure) {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  lastFailure_ = failure;
  return false;
}

bool TtySerialChannel::Open() {
  if (IsOpen()) {
    lastFailure_ = OpenFailure::AlreadyOpen;
    return false;
  }
  path_ = names_.DevicePath(name_);
  if (path_.empty()) return Fail(OpenFailure::NoDevice);
  fd_ = ::open(path_.c_str(), kOpenFlags);
  if (fd_ < 0) return Fail(FailureOfErrno(errno));
  if (!::isatty(fd_)) return Fail(OpenFailure::NotATerminal);
  if (::flock(fd_, LOCK_EX | LOCK_NB) != 0) return Fail(OpenFailure::Busy);
  ::ioctl(fd_, TIOCEXCL);
  if (!ApplyLineSettings()) return Fail(OpenFailure::SettingsRefused);
  RequestLowLatency();
  ::tcflush(fd_, TCIOFLUSH);
  vanished_ = false;
  lastFailure_ = OpenFailure::None;
  ++session_;
  return true;
}

bool TtySerialChannel::ApplyLineSettings() {
  const speed_t speed = TermiosSpeed(baud_);
  termios t{};
  if (speed == 0 || ::tcgetattr(fd_, &t) != 0) return false;
  ::cfmakeraw(&t);
  t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
  t.c_cflag |= CS8 | CLOCAL | CREAD;
  t.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
  // Reads take what waits and return; nothing waits in the driver.
  t.c_cc[VMIN] = 0;
  t.c_cc[VTIME] = 0;
  if (::cfsetispeed(&t, speed) != 0 || ::cfsetospeed(&t, speed) != 0) return false;
  if (::tcsetattr(fd_, TCSANOW, &t) != 0) return false;
  // tcsetattr succeeds when any one change took; check the ones that matter.
  termios applied{};
  if (::tcgetattr(fd_, &applied) != 0) return false;
  return (applied.c_cflag & CSIZE) == CS8 && (applied.c_cflag & (PARENB | CSTOPB | CRTSCTS)) == 0 &&
         ::cfgetospeed(&applied) == speed;
}

void TtySerialChannel::RequestLowLatency() {
  lowLatency_ = false;
  serial_struct info{};
  if (::ioctl(fd_, TIOCGSERIAL, &info) != 0) return;
  if ((info.flags & ASYNC_LOW_LATENCY) == 0) {
    info.flags |= ASYNC_LOW_LATENCY;
    if (::ioctl(fd_, TIOCSSERIAL, &info) != 0) return;
  }
  lowLatency_ = true;
}

void TtySerialChannel::Close() {
  if (fd_ < 0) return;
  ::close(fd_);
  fd_ = -1;
  vanished_ = false;
  ++session_;
}

void TtySerialChannel::SetModemLine(int line, bool on) {
  if (!IsOpen()) return;
  if (::ioctl(fd_, on ? TIOCMBIS : TIOCMBIC, &line) != 0 && !IgnorableIoctlError(errno)) {
    if (errno == EIO) MarkVanished();
  }
}

void TtySerialChannel::SetDtr(bool on) { SetModemLine(TIOCM_DTR, on); }
void TtySerialChannel::SetRts(bool on) { SetModemLine(TIOCM_RTS, on); }

bool TtySerialChannel::SendString(std::string_view bytes) {
  if (!IsOpen() || vanished_) return false;
  using Steady = std::chrono::steady_clock;
  const auto deadline = Steady::now() + std::chrono::milliseconds(kSendTimeoutMs);
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t n = ::write(fd_, bytes.data() + written, bytes.size() - written);
    if (n > 0) {
      written += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
      if (errno == EIO || errno == ENXIO || errno == ENODEV) MarkVanished();
      break;
    }
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Steady::now()).count();
    if (left <= 0) break;
    pollfd p{fd_, POLLOUT, 0};
    const int r = ::poll(&p, 1, static_cast<int>(left));
    if (r > 0 && (p.revents & kHangUp) != 0) {
      MarkVanished();
      break;
    }
  }
  return written == bytes.size();
}

std::size_t TtySerialChannel::InputCount() {
  if (!IsOpen()) return 0;
  int count = 0;
  return ::ioctl(fd_, FIONREAD, &count) == 0 && count > 0 ? static_cast<std::size_t>(count) : 0;
}

std::size_t TtySerialChannel::OutputCount() {
  if (!IsOpen()) return 0;
  int count = 0;
  return ::ioctl(fd_, TIOCOUTQ, &count) == 0 && count > 0 ? static_cast<std::size_t>(count) : 0;
}

void TtySerialChannel::Purge() {
  if (IsOpen()) ::tcflush(fd_, TCIOFLUSH);
}

std::string TtySerialChannel::ReadString() {
  std::string bytes;
  if (!IsOpen() || vanished_) return bytes;
  const std::size_t waiting = InputCount();
  bytes.resize(waiting);
  std::size_t got = 0;
  while (got < waiting) {
    const ssize_t n = ::read(fd_, bytes.data() + got, waiting - got);
    if (n > 0) {
      got += static_cast<std::size_t>(n);
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else {
      if (n == 0 || (errno != EAGAIN && errno != EWOULDBLOCK)) MarkVanished();
      break;
    }
  }
  bytes.resize(got);
  return bytes;
}

void TtySerialChannel::OnReadable() {
  if (!IsOpen() || vanished_) return;
  const std::uint64_t session = session_;
  const short ready = ReadyEvents(fd_);
  const std::size_t waiting = InputCount();
  if (waiting > 0) {
    // Bytes nobody listens for are dropped, or the host would wake for them forever.
    if (onData_)
      onData_(waiting);
    else
      ReadString();
  }
  // The handler may have closed the port, or closed it and opened another.
  if (session != session_ || !IsOpen() || vanished_) return;
  if ((ready & kHangUp) != 0) MarkVanished();
}

void TtySerialChannel::ServiceEvents() {
  if (EventFd() >= 0 && ReadyEvents(fd_) != 0) OnReadable();
}

void TtySerialChannel::MarkVanished() {
  if (vanished_) return;
  vanished_ = true;
  if (onVanished_) onVanished_();
}

bool TtyPortProbe::PortPresent(const std::string& name) {
  const std::string path = names_.DevicePath(name);
  if (path.empty()) return false;
  const int fd = ::open(path.c_str(), kOpenFlags);
  if (fd < 0) return errno == EBUSY || errno == EACCES || errno == EPERM;
  bool present = ::isatty(fd) != 0;
  // A hung-up terminal still opens on some drivers; it is gone all the same.
  if (present && (ReadyEvents(fd) & kHangUp) != 0) present = false;
  ::close(fd);
  return present;
}

}  // namespace zt::link
