#include "link/tty_port_hints.h"

#include <fstream>
#include <system_error>

namespace zt::link {

std::string OpenFailureHint(OpenFailure failure, const std::string& device) {
  switch (failure) {
    case OpenFailure::None:
      return {};
    case OpenFailure::AlreadyOpen:
      return device + " is already open in this program";
    case OpenFailure::NoDevice:
      return "no serial port has this COM number: plug the adapter in, or make Work/COMn a link to the device";
    case OpenFailure::NotFound:
      return device + " does not exist (adapter unplugged?)";
    case OpenFailure::PermissionDenied:
      return "permission denied on " + device +
             ": add the user to the dialout group (sudo usermod -aG dialout $USER) and log in again";
    case OpenFailure::Busy:
      return device +
             " is busy: another program holds it (brltty or ModemManager often take USB serial adapters; "
             "remove brltty or stop ModemManager while working with the recorder)";
    case OpenFailure::NotATerminal:
      return device + " is not a serial port";
    case OpenFailure::SettingsRefused:
      return device + " refused the line settings (38400 8-N-1, no flow control)";
  }
  return {};
}

std::optional<int> UsbLatencyTimerMs(const std::string& device, const std::filesystem::path& usbSerialDevices) {
  std::error_code ec;
  auto real = std::filesystem::canonical(device, ec);
  if (ec) return std::nullopt;
  std::ifstream in(usbSerialDevices / real.filename() / "latency_timer");
  int ms = 0;
  if (!(in >> ms)) return std::nullopt;
  return ms;
}

std::string LatencyHint(const std::string& device, const std::filesystem::path& usbSerialDevices) {
  const auto ms = UsbLatencyTimerMs(device, usbSerialDevices);
  if (!ms || *ms <= 1) return {};
  std::error_code ec;
  const auto name = std::filesystem::canonical(device, ec).filename().string();
  return "the USB adapter's latency timer is " + std::to_string(*ms) +
         " ms, which slows every reply; as root: echo 1 > " +
         (usbSerialDevices / name / "latency_timer").string();
}

}  // namespace zt::link
