// The serial channel and port probe on a pseudo-terminal pair.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <termios.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "link/tty_serial_channel.h"
#include "tests/link/temp_folder.h"
#include "tests/link/tty_pty.h"

namespace zt::link {
namespace {

using testing::PtyPair;
using testing::WaitReadable;

class TtyChannelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(pty.Ok());
    channel.SetBaudRate(38400);
    channel.SetDeviceName(pty.SlavePath());
    channel.SetOnData([this](std::size_t waiting) {
      counts.push_back(waiting);
      received += channel.ReadString();
    });
    channel.SetOnVanished([this] { ++vanishReports; });
  }
  // Bytes from the far end, handed over as the host loop would.
  void DeliverFromMaster(std::string_view bytes) {
    ASSERT_TRUE(pty.Write(bytes));
    ASSERT_TRUE(WaitReadable(channel.EventFd()));
    channel.OnReadable();
  }

  PtyPair pty;
  fake::TempFolder folder;
  ComPortNames names{folder.Files(), {}};
  TtySerialChannel channel{names};
  TtyPortProbe probe{names};
  std::vector<std::size_t> counts;
  std::string received;
  int vanishReports = 0;
};

TEST_F(TtyChannelTest, OpensAndClosesThePort) {
  ASSERT_TRUE(channel.Open());
  EXPECT_TRUE(channel.IsOpen());
  EXPECT_GE(channel.EventFd(), 0);
  EXPECT_EQ(channel.LastOpenFailure(), OpenFailure::None);
  EXPECT_EQ(channel.DevicePath(), pty.SlavePath());
  channel.Close();
  EXPECT_FALSE(channel.IsOpen());
  EXPECT_EQ(channel.EventFd(), -1);
  ASSERT_TRUE(channel.Open());
}

TEST_F(TtyChannelTest, AppliesRawEightNoneOneWithoutFlowControl) {
  ASSERT_TRUE(channel.Open());
  termios t{};
  // The master reports its slave's settings.
  ASSERT_EQ(::tcgetattr(pty.Master(), &t), 0);
  EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
  EXPECT_EQ(t.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
  EXPECT_EQ(t.c_cflag & (CLOCAL | CREAD), static_cast<tcflag_t>(CLOCAL | CREAD));
  EXPECT_EQ(t.c_iflag & (IXON | IXOFF | IXANY | ICRNL | INLCR | ISTRIP), 0u);
  EXPECT_EQ(t.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u);
  EXPECT_EQ(t.c_oflag & OPOST, 0u);
  EXPECT_EQ(t.c_cc[VMIN], 0);
  EXPECT_EQ(t.c_cc[VTIME], 0);
  EXPECT_EQ(::cfgetospeed(&t), static_cast<speed_t>(B38400));
  EXPECT_EQ(::cfgetispeed(&t), static_cast<speed_t>(B38400));
}

TEST_F(TtyChannelTest, RateChangedWhileOpenTakesEffectAtOnce) {
  ASSERT_TRUE(channel.Open());
  channel.SetBaudRate(9600);
  termios t{};
  ASSERT_EQ(::tcgetattr(pty.Master(), &t), 0);
  EXPECT_EQ(::cfgetospeed(&t), static_cast<speed_t>(B9600));
  EXPECT_TRUE(channel.IsOpen());
}

TEST_F(TtyChannelTest, RateTheSystemCannotSetRefusesTheOpen) {
  channel.SetBaudRate(14400);
  EXPECT_FALSE(channel.Open());
  EXPECT_FALSE(channel.IsOpen());
  EXPECT_EQ(channel.LastOpenFailure(), OpenFailure::SettingsRefused);
  // Nothing is left holding the device.
  channel.SetBaudRate(38400);
  EXPECT_TRUE(channel.Open());
}

TEST_F(TtyChannelTest, ModemLinesOnAPseudoTerminalAreNoFailure) {
  ASSERT_TRUE(channel.Open());
  channel.SetDtr(false);
  channel.SetRts(true);
  EXPECT_TRUE(channel.IsOpen());
  EXPECT_FALSE(channel.Vanished());
}

TEST_F(TtyChannelTest, MissingDeviceDoesNotOpen) {
  channel.SetDeviceName(pty.SlavePath() + "999");
  EXPECT_FALSE(channel.Open());
  EXPECT_FALSE(channel.IsOpen());
  EXPECT_EQ(channel.LastOpenFailure(), OpenFailure::NotFound);
}

TEST_F(TtyChannelTest, ComNumberWithoutDeviceDoesNotOpen) {
  channel.SetDeviceName("COM7");
  EXPECT_FALSE(channel.Open());
  EXPECT_EQ(channel.LastOpenFailure(), OpenFailure::NoDevice);
}

TEST_F(TtyChannelTest, PlainFileOrFolderIsNoPort) {
  const auto file = folder.Files().WorkFolder() / "plain";
  fake::TempFolder::Write(file, "x");
  for (const auto& path : {file, folder.Files().ReportFolder()}) {
    channel.SetDeviceName(path.string());
    EXPECT_FALSE(channel.Open()) << path;
    EXPECT_EQ(channel.LastOpenFailure(), OpenFailure::NotATerminal) << path;
    EXPECT_FALSE(probe.PortPresent(path.string())) << path;
  }
}

TEST_F(TtyChannelTest, NameChangeWhileOpenIsIgnored) {
  ASSERT_TRUE(channel.Open());
  channel.SetDeviceName("COM9");
  EXPECT_EQ(channel.DeviceName(), pty.SlavePath());
  channel.Close();
  channel.SetDeviceName("COM9");
  EXPECT_EQ(channel.DeviceName(), "COM9");
}

TEST_F(TtyChannelTest, OpenWhileOpenKeepsThePortOpen) {
  ASSERT_TRUE(channel.Open());
  EXPECT_FALSE(channel.Open());
  EXPECT_EQ(channel.LastOpenFailure(), OpenFailure::AlreadyOpen);
  EXPECT_TRUE(channel.IsOpen());
}

TEST_F(TtyChannelTest, SecondOpenOfAHeldDeviceFailsAndTheProbeSaysPresent) {
  ASSERT_TRUE(channel.Open());
  TtySerialChannel other(names);
  other.SetBaudRate(38400);
  other.SetDeviceName(pty.SlavePath());
  EXPECT_FALSE(other.Open());
  EXPECT_FALSE(other.IsOpen());
  EXPECT_EQ(other.LastOpenFailure(), OpenFailure::Busy);
  EXPECT_TRUE(probe.PortPresent(pty.SlavePath()));
  // The probe's own open does not disturb the holder.
  DeliverFromMaster("ok");
  EXPECT_EQ(received, "ok");
  channel.Close();
  EXPECT_TRUE(other.Open());
}

TEST_F(TtyChannelTest, ProbeTellsPresentFromAbsent) {
  EXPECT_TRUE(probe.PortPresent(pty.SlavePath()));
  EXPECT_FALSE(probe.PortPresent(pty.SlavePath() + "999"));
  EXPECT_FALSE(probe.PortPresent("/nonexistent/ttyUSB0"));
  EXPECT_FALSE(probe.PortPresent("COM3"));
}

TEST_F(TtyChannelTest, ReadWithNothingWaitingReturnsEmptyAtOnce) {
  ASSERT_TRUE(channel.Open());
  EXPECT_EQ(channel.InputCount(), 0u);
  EXPECT_EQ(channel.ReadString(), "");
  channel.ServiceEvents();
  EXPECT_TRUE(counts.empty());
}

TEST_F(TtyChannelTest, ArrivingBytesRaiseOneDataEventWithTheCount) {
  ASSERT_TRUE(channel.Open());
  ASSERT_TRUE(pty.Write("\x01\x02"));
  ASSERT_TRUE(pty.Write(std::string("\x00\x0D\x0A\xFF\x13\x11", 6)));
  ASSERT_TRUE(WaitReadable(channel.EventFd()));
  // Both writes stand in the queue before the event is served.
  // The pty moves the second write a moment later; poll() says readable already, so wait on the count.
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(testing::kGuardMs);
  while (channel.InputCount() < 8 && std::chrono::steady_clock::now() < deadline) ::poll(nullptr, 0, 1);
  channel.OnReadable();
  ASSERT_EQ(counts.size(), 1u);
  EXPECT_EQ(counts[0], 8u);
  // Raw bytes pass unchanged: no CR/LF translation, NUL kept, XOFF/XON are data.
  EXPECT_EQ(received, std::string("\x01\x02\x00\x0D\x0A\xFF\x13\x11", 8));
  channel.ServiceEvents();
  EXPECT_EQ(counts.size(), 1u);
}

TEST_F(TtyChannelTest, BytesWithoutAHandlerAreDropped) {
  ASSERT_TRUE(channel.Open());
  channel.SetOnData({});
  ASSERT_TRUE(pty.Write("unheard"));
  ASSERT_TRUE(WaitReadable(channel.EventFd()));
  channel.OnReadable();
  EXPECT_EQ(channel.InputCount(), 0u);
  EXPECT_TRUE(channel.IsOpen());
}

TEST_F(TtyChannelTest, SentStringArrivesWholeAtTheFarEnd) {
  ASSERT_TRUE(channel.Open());
  std::string frame;
  for (int i = 0; i < 300; ++i) frame.push_back(static_cast<char>(i * 7));
  EXPECT_TRUE(channel.SendString(frame));
  EXPECT_EQ(pty.Read(frame.size()), frame);
}

TEST_F(TtyChannelTest, CloseFromInsideTheDataHandlerEndsTheEvents) {
  ASSERT_TRUE(channel.Open());
  int calls = 0;
  channel.SetOnData([&](std::size_t) {
    ++calls;
    channel.Close();
  });
  DeliverFromMaster("abc");
  EXPECT_EQ(calls, 1);
  EXPECT_FALSE(channel.IsOpen());
  EXPECT_EQ(channel.EventFd(), -1);
  channel.OnReadable();
  channel.ServiceEvents();
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(vanishReports, 0);
}

TEST_F(TtyChannelTest, HandlerThatReopensIsLeftWithAFreshPort) {
  ASSERT_TRUE(channel.Open());
  int calls = 0;
  channel.SetOnData([&](std::size_t) {
    ++calls;
    channel.Close();
    ASSERT_TRUE(channel.Open());
  });
  DeliverFromMaster("abc");
  EXPECT_EQ(calls, 1);
  EXPECT_TRUE(channel.IsOpen());
  // The reopen dropped what was waiting.
  channel.ServiceEvents();
  EXPECT_EQ(calls, 1);
}

TEST_F(TtyChannelTest, CloseWithDataPendingRaisesNothingAndTheReopenStartsClean) {
  ASSERT_TRUE(channel.Open());
  ASSERT_TRUE(pty.Write("pending"));
  ASSERT_TRUE(WaitReadable(channel.EventFd()));
  channel.Close();
  channel.OnReadable();
  channel.ServiceEvents();
  EXPECT_TRUE(counts.empty());
  ASSERT_TRUE(channel.Open());
  EXPECT_EQ(channel.InputCount(), 0u);
  DeliverFromMaster("new");
  EXPECT_EQ(received, "new");
}

TEST_F(TtyChannelTest, VanishedPortIsReportedOnceAndRaisesNoMoreEvents) {
  ASSERT_TRUE(channel.Open());
  DeliverFromMaster("last");
  pty.CloseMaster();
  ASSERT_TRUE(WaitReadable(channel.EventFd()));
  channel.OnReadable();
  EXPECT_EQ(vanishReports, 1);
  EXPECT_TRUE(channel.Vanished());
  EXPECT_EQ(channel.EventFd(), -1);
  channel.OnReadable();
  channel.ServiceEvents();
  EXPECT_EQ(vanishReports, 1);
  EXPECT_EQ(counts.size(), 1u);
  EXPECT_EQ(received, "last");
  EXPECT_FALSE(channel.SendString("frame"));
  EXPECT_EQ(vanishReports, 1);
  EXPECT_FALSE(probe.PortPresent(pty.SlavePath()));
  // Still open until the owner closes it; then it is an ordinary closed port.
  EXPECT_TRUE(channel.IsOpen());
  channel.Close();
  EXPECT_FALSE(channel.Vanished());
  EXPECT_FALSE(channel.Open());
}

TEST_F(TtyChannelTest, WriteToAVanishedPortReportsItOnce) {
  ASSERT_TRUE(channel.Open());
  pty.CloseMaster();
  EXPECT_FALSE(channel.SendString("frame"));
  EXPECT_FALSE(channel.SendString("frame"));
  EXPECT_EQ(vanishReports, 1);
  EXPECT_EQ(channel.EventFd(), -1);
}

TEST_F(TtyChannelTest, ComNameResolvesThroughTheWorkLink) {
  const auto link = folder.Files().PortLink(4);
  std::filesystem::create_symlink(pty.SlavePath(), link);
  EXPECT_TRUE(probe.PortPresent("COM4"));
  channel.SetDeviceName("COM4");
  ASSERT_TRUE(channel.Open());
  EXPECT_EQ(channel.DevicePath(), link.string());
  DeliverFromMaster("via link");
  EXPECT_EQ(received, "via link");
  EXPECT_TRUE(probe.PortPresent("COM4"));
  channel.Close();
  std::filesystem::remove(link);
  EXPECT_FALSE(probe.PortPresent("COM4"));
}

TEST(TermiosSpeedTest, NamedRatesTheSystemKnows) {
  EXPECT_EQ(TermiosSpeed(38400), static_cast<unsigned>(B38400));
  EXPECT_EQ(TermiosSpeed(9600), static_cast<unsigned>(B9600));
  EXPECT_EQ(TermiosSpeed(115200), static_cast<unsigned>(B115200));
  EXPECT_EQ(TermiosSpeed(14400), 0u);
  EXPECT_EQ(TermiosSpeed(0), 0u);
}

}  // namespace
}  // namespace zt::link
