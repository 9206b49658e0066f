// COM numbers on Linux. The search counts COM1 .. COM(limit - 1); this turns
// such a name into the terminal device to open.
//
//   zt::link::ComPortNames names(files, zt::link::SystemSerialPorts());
//   names.DevicePath("COM3");        // Work/COM3 when that link exists, else
//                                    // the third real serial port, else ""
//   names.DevicePath("/dev/ttyUSB0"); // a path is used as is
//   names.DevicePath("COM0");        // "": no such port
//
// A Work/COMn entry beside the program (WorkingFiles::PortLink, normally a
// symbolic link to /dev/ttyUSB0 or a simulator's pseudo-terminal) wins over
// the system's ports. The system's ports are, in this order and each group
// sorted by number: ttyS ports with a UART behind them (not the phantom
// nodes the kernel always creates), then ttyUSB, then ttyACM; COM1 is the
// first. The list is taken once, so COM numbers do not shift while a run
// goes on when an adapter is pulled out.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/working_files.h"

namespace zt::link {

// 12 for "COM12"; nothing for anything else (a path, "COM", "COM0", "COM1x").
std::optional<int> ComNumberOf(std::string_view name);
inline std::string ComName(int number) { return "COM" + std::to_string(number); }

// Where the system's serial ports are described and opened (tests give a fake tree).
struct SerialPortRoots {
  std::filesystem::path sysClassTty = "/sys/class/tty";
  std::filesystem::path dev = "/dev";
};

// The real serial ports, in COM order, as device paths.
std::vector<std::string> SystemSerialPorts(const SerialPortRoots& roots = {});

// The ordering rule alone: ttyS*, then ttyUSB*, then ttyACM*, each by number;
// other names are dropped. Takes and returns bare names ("ttyUSB0").
std::vector<std::string> OrderSerialPortNames(std::vector<std::string> names);

class ComPortNames {
 public:
  ComPortNames(WorkingFiles files, std::vector<std::string> systemPorts)
      : files_(std::move(files)), systemPorts_(std::move(systemPorts)) {}

  // The path to open for "COMn" or a device path; "" when COMn names nothing,
  // and for "COM0", "COM256" and the like rather than a file in the current folder.
  std::string DevicePath(const std::string& name) const;
  // For the operator: the device behind a name, links followed ("" when none).
  std::string DeviceDescription(const std::string& name) const;
  const std::vector<std::string>& SystemPorts() const { return systemPorts_; }

 private:
  WorkingFiles files_;
  std::vector<std::string> systemPorts_;
};

}  // namespace zt::link
