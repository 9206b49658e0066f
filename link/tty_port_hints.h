// What to tell the operator when a serial port will not open or will be slow,
// instead of skipping it in silence. Plain ASCII texts for a terminal.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "link/tty_serial_channel.h"

namespace zt::link {

// Why `device` did not open and what to do about it; "" for None.
std::string OpenFailureHint(OpenFailure failure, const std::string& device);

inline const std::filesystem::path kUsbSerialDevices = "/sys/bus/usb-serial/devices";

// The latency timer (ms) of the USB adapter behind `device` (links followed);
// nothing when it is no such adapter or the driver has no timer.
std::optional<int> UsbLatencyTimerMs(const std::string& device,
                                     const std::filesystem::path& usbSerialDevices = kUsbSerialDevices);
// A hint when that timer holds replies back for more than 1 ms; "" otherwise.
std::string LatencyHint(const std::string& device, const std::filesystem::path& usbSerialDevices = kUsbSerialDevices);

}  // namespace zt::link
