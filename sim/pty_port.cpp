#include "sim/pty_port.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace zt::sim {

bool PtyPort::Fail(const std::string& what) {
  error_ = what + ": " + std::strerror(errno);
  Close();
  return false;
}

bool PtyPort::Open() {
  if (IsOpen()) return true;
  // Not handed down: a program the host starts must not keep the line alive.
  master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (master_ < 0) return Fail("posix_openpt");
  if (::grantpt(master_) != 0) return Fail("grantpt");
  if (::unlockpt(master_) != 0) return Fail("unlockpt");
  const char* name = ::ptsname(master_);
  if (name == nullptr) return Fail("ptsname");
  slavePath_ = name;
  const int slave = ::open(slavePath_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (slave < 0) return Fail("open " + slavePath_);
  termios raw{};
  const bool made = ::tcgetattr(slave, &raw) == 0 && (::cfmakeraw(&raw), ::tcsetattr(slave, TCSANOW, &raw) == 0);
  ::close(slave);
  if (!made) return Fail("raw mode");
  const int flags = ::fcntl(master_, F_GETFL);
  if (flags < 0 || ::fcntl(master_, F_SETFL, flags | O_NONBLOCK) != 0) return Fail("fcntl");
  return true;
}

void PtyPort::Close() {
  if (!link_.empty()) {
    std::error_code ec;
    if (std::filesystem::is_symlink(std::filesystem::symlink_status(link_, ec))) std::filesystem::remove(link_, ec);
    link_.clear();
  }
  if (master_ >= 0) ::close(master_);
  master_ = -1;
}

bool PtyPort::MakeLink(const std::filesystem::path& link) {
  std::error_code ec;
  const auto status = std::filesystem::symlink_status(link, ec);
  if (std::filesystem::is_symlink(status)) {
    std::filesystem::remove(link, ec);
  } else if (std::filesystem::exists(status)) {
    error_ = link.string() + ": exists and is not a link";
    return false;
  }
  std::filesystem::create_symlink(slavePath_, link, ec);
  if (ec) {
    error_ = link.string() + ": " + ec.message();
    return false;
  }
  link_ = link;
  return true;
}

}  // namespace zt::sim
