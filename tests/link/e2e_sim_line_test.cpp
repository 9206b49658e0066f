// The simulator's side of a real pty, byte by byte: error replies, the
// resynchronisation after garbage, a client that closes and comes back, and
// replies never faster than the line rate.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "core/sample_image.h"
#include "sim/sim_thread.h"
#include "tests/link/hex.h"

namespace zt::sim {
namespace {

using link::fake::Hex;

// The client's end, raw.
class Client {
 public:
  explicit Client(const std::string& path) : fd_(::open(path.c_str(), O_RDWR | O_NOCTTY)) {
    termios t{};
    if (fd_ >= 0 && ::tcgetattr(fd_, &t) == 0) {
      ::cfmakeraw(&t);
      ::tcsetattr(fd_, TCSANOW, &t);
    }
  }
  ~Client() {
    if (fd_ >= 0) ::close(fd_);
  }
  bool Ok() const { return fd_ >= 0; }
  void Send(const std::string& bytes) { ASSERT_EQ(::write(fd_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size())); }
  // Exactly `count` bytes, or what came within 2 s.
  std::string Receive(std::size_t count) {
    std::string got;
    char buffer[256];
    while (got.size() < count) {
      pollfd p{fd_, POLLIN, 0};
      if (::poll(&p, 1, 2000) <= 0) break;
      const ssize_t n = ::read(fd_, buffer, std::min(sizeof buffer, count - got.size()));
      if (n <= 0) break;
      got.append(buffer, static_cast<std::size_t>(n));
    }
    return got;
  }

 private:
  int fd_;
};

TEST(SimLine, ErrorRepliesAndResynchronisationAfterGarbage) {
  SimulatorThread sim(GenerateSampleImage(2), {}, 0);
  ASSERT_TRUE(sim.Start()) << sim.ErrorText();
  Client client(sim.SlavePath());
  ASSERT_TRUE(client.Ok());
  client.Send(Hex("00 00 01 00"));
  EXPECT_EQ(client.Receive(4), Hex("80 02 7E FF"));
  client.Send(Hex("42 13 37"));
  // Answered once the line has been quiet for the gap.
  EXPECT_EQ(client.Receive(4), Hex("80 01 7F FF"));
  client.Send(Hex("21 FF E0 FE"));
  EXPECT_EQ(client.Receive(67).size(), 67u);
}

TEST(SimLine, ClientClosingAndReopeningIsAnsweredAgain) {
  SimulatorThread sim(GenerateSampleImage(2), {}, 0);
  ASSERT_TRUE(sim.Start()) << sim.ErrorText();
  for (int round = 0; round < 3; ++round) {
    Client client(sim.SlavePath());
    ASSERT_TRUE(client.Ok()) << round;
    client.Send(Hex("00 00 00 00"));
    EXPECT_EQ(client.Receive(67).size(), 67u) << round;
  }
}

TEST(SimLine, PacedRepliesTakeAtLeastTheLineTime) {
  SimulatorThread sim(GenerateSampleImage(2), {}, 9600);
  ASSERT_TRUE(sim.Start()) << sim.ErrorText();
  Client client(sim.SlavePath());
  ASSERT_TRUE(client.Ok());
  const auto start = std::chrono::steady_clock::now();
  client.Send(Hex("00 00 00 00"));
  EXPECT_EQ(client.Receive(67).size(), 67u);
  // 71 bytes of 10 bits at 9600 baud: 73.96 ms.
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::microseconds(73'958));
}

TEST(SimLine, VanishingClosesTheDevice) {
  FaultSchedule faults;
  ASSERT_TRUE(ParseFault("vanish-after:1", faults));
  SimulatorSettings settings;
  settings.faults = faults;
  SimulatorThread sim(GenerateSampleImage(2), settings, 0);
  ASSERT_TRUE(sim.Start()) << sim.ErrorText();
  const std::string path = sim.SlavePath();
  Client client(path);
  ASSERT_TRUE(client.Ok());
  client.Send(Hex("00 00 00 00"));
  EXPECT_EQ(client.Receive(67).size(), 67u);
  for (int i = 0; i < 200 && !sim.Vanished(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_TRUE(sim.Vanished());
  EXPECT_LT(::access(path.c_str(), F_OK), 0);
}

}  // namespace
}  // namespace zt::sim
