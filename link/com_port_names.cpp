#include "link/com_port_names.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <fstream>
#include <system_error>

namespace zt::link {
namespace {

constexpr std::array<std::string_view, 3> kPortFamilies = {"ttyS", "ttyUSB", "ttyACM"};

struct PortKey {
  std::size_t family;
  long number;
};

std::optional<long> DigitsValue(std::string_view digits) {
  if (digits.empty() || digits.size() > 9) return std::nullopt;
  long value = 0;
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (ec != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return value;
}

std::optional<PortKey> KeyOf(std::string_view name) {
  for (std::size_t f = 0; f < kPortFamilies.size(); ++f) {
    const std::string_view prefix = kPortFamilies[f];
    if (name.substr(0, prefix.size()) != prefix) continue;
    if (const auto n = DigitsValue(name.substr(prefix.size()))) return PortKey{f, *n};
  }
  return std::nullopt;
}

// The kernel makes ttyS0..ttyS31 whether or not a UART is there; only ports
// with a device and a known UART type are real.
bool HasUart(const SerialPortRoots& roots, const std::string& name) {
  std::error_code ec;
  const auto entry = roots.sysClassTty / name;
  if (!std::filesystem::exists(entry / "device", ec)) return false;
  std::ifstream typeFile(entry / "type");
  int type = -1;
  if (typeFile >> type) return type != PORT_UNKNOWN;
  const std::string device = (roots.dev / name).string();
  const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  serial_struct info{};
  const bool known = ::ioctl(fd, TIOCGSERIAL, &info) == 0 && info.type != PORT_UNKNOWN;
  ::close(fd);
  return known;
}

}  // namespace

std::optional<int> ComNumberOf(std::string_view name) {
  if (name.substr(0, 3) != "COM") return std::nullopt;
  const auto n = DigitsValue(name.substr(3));
  if (!n || *n < 1 || *n > 255) return std::nullopt;
  return static_cast<int>(*n);
}

std::vector<std::string> OrderSerialPortNames(std::vector<std::string> names) {
  std::erase_if(names, [](const std::string& n) { return !KeyOf(n); });
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    const PortKey ka = *KeyOf(a);
    const PortKey kb = *KeyOf(b);
    return ka.family != kb.family ? ka.family < kb.family : ka.number < kb.number;
  });
  return names;
}

std::vector<std::string> SystemSerialPorts(const SerialPortRoots& roots) {
  std::vector<std::string> names;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(roots.sysClassTty, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    const auto key = KeyOf(name);
    if (!key) continue;
    if (key->family == 0 && !HasUart(roots, name)) continue;
    names.push_back(name);
  }
  std::vector<std::string> paths;
  for (const auto& name : OrderSerialPortNames(std::move(names))) paths.push_back((roots.dev / name).string());
  return paths;
}

std::string ComPortNames::DevicePath(const std::string& name) const {
  const auto number = ComNumberOf(name);
  if (!number) return name.starts_with("COM") ? std::string() : name;
  const auto link = files_.PortLink(*number);
  std::error_code ec;
  if (std::filesystem::symlink_status(link, ec).type() != std::filesystem::file_type::not_found && !ec)
    return link.string();
  const auto index = static_cast<std::size_t>(*number - 1);
  return index < systemPorts_.size() ? systemPorts_[index] : std::string();
}

std::string ComPortNames::DeviceDescription(const std::string& name) const {
  const std::string path = DevicePath(name);
  if (path.empty()) return {};
  std::error_code ec;
  const auto target = std::filesystem::canonical(path, ec);
  if (!ec) return target.string();
  // A dangling link still tells where it pointed.
  const auto pointed = std::filesystem::read_symlink(path, ec);
  return ec ? path : pointed.string();
}

}  // namespace zt::link
