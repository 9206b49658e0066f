// What the operator is told about a port that will not open or is slow.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "link/tty_port_hints.h"
#include "tests/link/temp_folder.h"

namespace zt::link {
namespace {

namespace fs = std::filesystem;

TEST(OpenFailureHintTest, EachCauseSaysWhatToDo) {
  const struct {
    OpenFailure failure;
    const char* mustSay;
  } cases[] = {
      {OpenFailure::PermissionDenied, "dialout"},   {OpenFailure::Busy, "ModemManager"},
      {OpenFailure::Busy, "brltty"},                {OpenFailure::NotFound, "does not exist"},
      {OpenFailure::NoDevice, "Work/COMn"},         {OpenFailure::NotATerminal, "not a serial port"},
      {OpenFailure::SettingsRefused, "38400 8-N-1"}, {OpenFailure::AlreadyOpen, "already open"},
  };
  for (const auto& c : cases) {
    const std::string hint = OpenFailureHint(c.failure, "/dev/ttyUSB3");
    EXPECT_NE(hint.find(c.mustSay), std::string::npos) << hint;
    if (c.failure != OpenFailure::NoDevice) {
      EXPECT_NE(hint.find("/dev/ttyUSB3"), std::string::npos) << hint;
    }
  }
  EXPECT_EQ(OpenFailureHint(OpenFailure::None, "/dev/ttyUSB3"), "");
}

class LatencyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(root / "dev");
    fake::TempFolder::Write(root / "dev" / "ttyUSB0", "");
    fake::TempFolder::Write(root / "dev" / "ttyUSB1", "");
    fake::TempFolder::Write(root / "dev" / "ttyACM0", "");
    Timer("ttyUSB0", "16\n");
    Timer("ttyUSB1", "1\n");
  }
  void Timer(const std::string& name, const std::string& text) {
    fs::create_directories(usbSerial / name);
    fake::TempFolder::Write(usbSerial / name / "latency_timer", text);
  }
  std::string Dev(const std::string& name) const { return (root / "dev" / name).string(); }

  fake::TempFolder folder;
  fs::path root = folder.Files().ProgramFolder();
  fs::path usbSerial = root / "usb-serial";
};

TEST_F(LatencyTest, TimerOfTheAdapterBehindTheDevice) {
  EXPECT_EQ(UsbLatencyTimerMs(Dev("ttyUSB0"), usbSerial), 16);
  EXPECT_EQ(UsbLatencyTimerMs(Dev("ttyUSB1"), usbSerial), 1);
  EXPECT_EQ(UsbLatencyTimerMs(Dev("ttyACM0"), usbSerial), std::nullopt);
  EXPECT_EQ(UsbLatencyTimerMs(Dev("ttyUSB9"), usbSerial), std::nullopt);
  // Through a COM link too.
  fs::create_symlink(Dev("ttyUSB0"), folder.Files().PortLink(1));
  EXPECT_EQ(UsbLatencyTimerMs(folder.Files().PortLink(1).string(), usbSerial), 16);
}

TEST_F(LatencyTest, HintOnlyAboveOneMillisecond) {
  const std::string hint = LatencyHint(Dev("ttyUSB0"), usbSerial);
  EXPECT_NE(hint.find("16 ms"), std::string::npos) << hint;
  EXPECT_NE(hint.find((usbSerial / "ttyUSB0" / "latency_timer").string()), std::string::npos) << hint;
  EXPECT_EQ(LatencyHint(Dev("ttyUSB1"), usbSerial), "");
  EXPECT_EQ(LatencyHint(Dev("ttyACM0"), usbSerial), "");
}

TEST_F(LatencyTest, UnreadableTimerGivesNoHint) {
  Timer("ttyUSB0", "fast\n");
  EXPECT_EQ(UsbLatencyTimerMs(Dev("ttyUSB0"), usbSerial), std::nullopt);
  EXPECT_EQ(LatencyHint(Dev("ttyUSB0"), usbSerial), "");
}

}  // namespace
}  // namespace zt::link
