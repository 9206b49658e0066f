// COM numbers: the names, the order of the system's ports and the Work links.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "link/com_port_names.h"
#include "tests/link/temp_folder.h"

namespace zt::link {
namespace {

namespace fs = std::filesystem;

TEST(ComNumberOfTest, OnlyComFollowedByAPortNumber) {
  const struct {
    const char* name;
    std::optional<int> number;
  } cases[] = {
      {"COM1", 1},          {"COM12", 12},        {"COM99", 99},   {"COM255", 255},
      {"COM", std::nullopt}, {"COM0", std::nullopt}, {"COM1x", std::nullopt}, {"COM-1", std::nullopt},
      {"COM256", std::nullopt}, {"com3", std::nullopt}, {"/dev/ttyS0", std::nullopt}, {"", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ComNumberOf(c.name), c.number) << c.name;
  EXPECT_EQ(ComName(7), "COM7");
}

TEST(OrderSerialPortNamesTest, UartsThenUsbThenAcmEachByNumber) {
  const std::vector<std::string> names = {"ttyUSB10", "ttyS10", "ttyACM0", "ttyS2",  "ttyUSB2",
                                          "tty0",     "ttyS1",  "console", "ttySx", "ttyACM1"};
  const std::vector<std::string> expected = {"ttyS1", "ttyS2", "ttyS10", "ttyUSB2", "ttyUSB10", "ttyACM0", "ttyACM1"};
  EXPECT_EQ(OrderSerialPortNames(names), expected);
}

// A /sys/class/tty and /dev of our own making.
class SystemPortsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    roots.sysClassTty = folder.Files().ProgramFolder() / "sys";
    roots.dev = folder.Files().ProgramFolder() / "dev";
    fs::create_directories(roots.sysClassTty);
    fs::create_directories(roots.dev);
  }
  void Port(const std::string& name, bool device, std::optional<int> uartType) {
    fs::create_directories(roots.sysClassTty / name);
    if (device) fs::create_directories(roots.sysClassTty / name / "device");
    if (uartType) fake::TempFolder::Write(roots.sysClassTty / name / "type", std::to_string(*uartType) + "\n");
  }
  std::string Dev(const std::string& name) const { return (roots.dev / name).string(); }

  fake::TempFolder folder;
  SerialPortRoots roots;
};

TEST_F(SystemPortsTest, PhantomUartNodesAreLeftOut) {
  Port("ttyS0", true, 4);     // a 16550A
  Port("ttyS1", true, 0);     // the kernel's placeholder, no UART
  Port("ttyS2", false, 4);    // no device behind it
  Port("ttyS3", true, 1);     // an 8250
  Port("ttyUSB0", true, std::nullopt);
  Port("ttyACM0", true, std::nullopt);
  Port("tty1", false, std::nullopt);
  Port("ptmx", false, std::nullopt);
  const std::vector<std::string> expected = {Dev("ttyS0"), Dev("ttyS3"), Dev("ttyUSB0"), Dev("ttyACM0")};
  EXPECT_EQ(SystemSerialPorts(roots), expected);
}

TEST_F(SystemPortsTest, NoTreeNoPorts) {
  roots.sysClassTty = folder.Files().ProgramFolder() / "missing";
  EXPECT_TRUE(SystemSerialPorts(roots).empty());
}

class ComPortNamesTest : public ::testing::Test {
 protected:
  fake::TempFolder folder;
  ComPortNames names{folder.Files(), {"/dev/ttyS0", "/dev/ttyUSB0"}};
};

TEST_F(ComPortNamesTest, SystemPortsCountFromComOne) {
  EXPECT_EQ(names.DevicePath("COM1"), "/dev/ttyS0");
  EXPECT_EQ(names.DevicePath("COM2"), "/dev/ttyUSB0");
  EXPECT_EQ(names.DevicePath("COM3"), "");
  EXPECT_EQ(names.DeviceDescription("COM3"), "");
}

TEST_F(ComPortNamesTest, DevicePathIsUsedAsIs) {
  EXPECT_EQ(names.DevicePath("/dev/pts/7"), "/dev/pts/7");
  EXPECT_EQ(names.DevicePath("ttyUSB0"), "ttyUSB0");
  EXPECT_EQ(names.DevicePath("./COM0"), "./COM0");
}

// A stored port number out of range must not open a file of that name in the
// current folder.
TEST_F(ComPortNamesTest, ComNamesWithoutAPortNumberNameNothing) {
  for (const char* name : {"COM", "COM0", "COM256", "COM1x"}) {
    EXPECT_EQ(names.DevicePath(name), "") << name;
    EXPECT_EQ(names.DeviceDescription(name), "") << name;
  }
}

TEST_F(ComPortNamesTest, WorkLinkTakesPrecedence) {
  const auto target = folder.Files().ProgramFolder() / "adapter";
  fake::TempFolder::Write(target, "");
  fs::create_symlink(target, folder.Files().PortLink(1));
  fs::create_symlink(target, folder.Files().PortLink(12));
  EXPECT_EQ(names.DevicePath("COM1"), folder.Files().PortLink(1).string());
  EXPECT_EQ(names.DevicePath("COM12"), folder.Files().PortLink(12).string());
  EXPECT_EQ(names.DevicePath("COM2"), "/dev/ttyUSB0");
  EXPECT_EQ(names.DeviceDescription("COM12"), fs::canonical(target).string());
}

TEST_F(ComPortNamesTest, DanglingLinkStillNamesItsTarget) {
  // A pulled adapter must not silently turn COM1 into another port.
  fs::create_symlink("/dev/ttyUSB9-gone", folder.Files().PortLink(1));
  EXPECT_EQ(names.DevicePath("COM1"), folder.Files().PortLink(1).string());
  EXPECT_EQ(names.DeviceDescription("COM1"), "/dev/ttyUSB9-gone");
}

}  // namespace
}  // namespace zt::link
