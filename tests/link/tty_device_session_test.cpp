// The zt tool's device session over a pseudo-terminal, with a scripted
// recorder answering on the master side inside the host loop's waits.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "core/device_image.h"
#include "core/sample_image.h"
#include "tests/link/fake_recorder.h"
#include "tests/link/temp_folder.h"
#include "tests/link/tty_pty.h"
#include "tools/zt/device_session.h"

namespace zt::cli {
namespace {

using link::testing::PtyPair;

class ManualClock final : public link::MonotonicClock {
 public:
  std::int64_t NowMs() const override { return now; }
  std::int64_t now = 0;
};

// Serves the recorder whenever the master has a frame, then waits on the
// channel as the real waiter does.
class RecorderWaiter final : public link::PollWaiter {
 public:
  RecorderWaiter(PtyPair& pty, link::fake::FakeRecorder& recorder) : pty_(pty), recorder_(recorder) {}
  // For a silent line: waits with nothing to hear pass on this clock at once.
  void FastForward(ManualClock* clock) { fastForward_ = clock; }
  bool Wait(int fd, int timeoutMs) override {
    // A master whose slave nobody holds reports a hang-up; then only the channel counts.
    pollfd master{pty_.Master(), POLLIN, 0};
    const bool slaveHeld = ::poll(&master, 1, 0) == 0 || (master.revents & POLLIN) != 0;
    pollfd p[2];
    nfds_t n = 0;
    if (slaveHeld) p[n++] = {pty_.Master(), POLLIN, 0};
    const nfds_t channel = n;
    if (fd >= 0) p[n++] = {fd, POLLIN, 0};
    const int r = ::poll(p, n, fastForward_ ? 0 : timeoutMs);
    if (r == 0 && fastForward_) fastForward_->now += timeoutMs;
    if (r <= 0) return false;
    if (slaveHeld && (p[0].revents & POLLIN) != 0) Serve();
    return fd >= 0 && p[channel].revents != 0;
  }
  void Serve() {
    char buffer[512];
    const ssize_t n = ::read(pty_.Master(), buffer, sizeof buffer);
    if (n <= 0) return;
    frames.emplace_back(buffer, static_cast<std::size_t>(n));
    for (const auto& reply : recorder_.Answer(frames.back())) pty_.Write(reply);
  }
  std::vector<std::string> frames;

 private:
  ManualClock* fastForward_ = nullptr;
  PtyPair& pty_;
  link::fake::FakeRecorder& recorder_;
};

// A text field as the recorder keeps it: 30 characters, a zero, the check byte.
void PutText(std::string& image, std::size_t offset, std::string_view text, bool valid = true) {
  std::string field(text);
  field.resize(30, ' ');
  field.push_back('\0');
  const std::size_t at = kParameterBlock.start + offset;
  image.replace(at, field.size(), field);
  image[at + param::kTextLength] = static_cast<char>(TextCheckByte(field) + (valid ? 0 : 1));
}

class DeviceSessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(pty.Ok());
    recorder.image = GenerateSampleImage(5);
    PutText(recorder.image, param::kEnterprise, "Gas Co");
    PutText(recorder.image, param::kBranch, "North-2");
    PutText(recorder.image, param::kMeter, "G16 #4471");
    std::filesystem::create_symlink(pty.SlavePath(), folder.Files().PortLink(2));
  }
  std::string Notes() const { return notes.str(); }
  // The frames of one command kind the recorder saw.
  std::vector<std::string> FramesOf(int kind) const {
    std::vector<std::string> out;
    for (const auto& f : waiter.frames)
      if (link::fake::FakeRecorder::Kind(f) == kind) out.push_back(f);
    return out;
  }

  PtyPair pty;
  link::fake::FakeRecorder recorder;
  link::fake::TempFolder folder;
  RecordingMessages messages;
  RecorderWaiter waiter{pty, recorder};
  link::SteadyMonotonicClock clock;
  std::ostringstream notes;
  DeviceSession session{folder.Files(), {}, messages, waiter, clock, notes};
};

TEST_F(DeviceSessionTest, SearchFindsTheRecorderBehindItsWorkLink) {
  EXPECT_EQ(session.Search(3), link::SearchCode::Found);
  EXPECT_EQ(session.FoundPort(), 2);
  EXPECT_EQ(link::fake::TempFolder::Read(folder.Files().RememberedPortFile()), "2\r\n");
  // The trace names the device behind the COM number; COM1 has none and is absent.
  EXPECT_NE(Notes().find("COM2  " + std::filesystem::canonical(pty.SlavePath()).string() + "\n"), std::string::npos)
      << Notes();
  EXPECT_EQ(Notes().find("COM1"), std::string::npos) << Notes();
  EXPECT_FALSE(session.Channel().IsOpen());
}

TEST_F(DeviceSessionTest, SearchWithoutTheRecorderFails) {
  recorder.silent = true;
  ManualClock manual;
  waiter.FastForward(&manual);
  DeviceSession silent{folder.Files(), {}, messages, waiter, manual, notes};
  EXPECT_EQ(silent.Search(3), link::SearchCode::NotFound);
  EXPECT_EQ(silent.FoundPort(), 0);
  // COM2 present but silent, so given up.
  EXPECT_NE(Notes().find(std::string("следующ-COM2\n")), std::string::npos) << Notes();
  EXPECT_FALSE(std::filesystem::exists(folder.Files().RememberedPortFile()));
}

TEST_F(DeviceSessionTest, ReadingBringsTheWholeMemory) {
  session.UsePort("COM2", link::kLinkBaudRate);
  ASSERT_EQ(session.Password(link::OperationMode::Reading, "1234"), link::PasswordCode::Accepted);
  ASSERT_EQ(session.Read(), link::ReadCode::Done);
  EXPECT_EQ(link::fake::TempFolder::Read(folder.Files().ImageFile()), recorder.image);
  EXPECT_EQ(recorder.pagesRequested.size(), 512u);
  EXPECT_FALSE(session.Channel().IsOpen());
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(DeviceSessionTest, TheParameterBlockAloneIsReadIntoMemory) {
  const std::string before = "the image of an earlier reading";
  link::fake::TempFolder::Write(folder.Files().ImageFile(), before);
  session.UsePort("COM2", link::kLinkBaudRate);
  ASSERT_EQ(session.Password(link::OperationMode::Reading, "1234"), link::PasswordCode::Accepted);
  std::string block;
  ASSERT_EQ(session.ReadParameterBlock(block), link::ReadCode::Done);
  EXPECT_EQ(recorder.pagesRequested, (std::vector<std::uint16_t>{508, 509, 510, 511}));
  EXPECT_TRUE(block == recorder.image.substr(0x7F00, 256));
  EXPECT_EQ(link::fake::TempFolder::Read(folder.Files().ImageFile()), before);
  EXPECT_FALSE(session.Channel().IsOpen());
  RecorderTexts texts;
  ASSERT_TRUE(ParameterBlockTexts(block, texts));
  EXPECT_EQ(texts.enterprise, "Gas Co                        ");
  EXPECT_EQ(texts.meter, "G16 #4471                     ");
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(DeviceSessionTest, RejectedPasswordLeavesThePortClosed) {
  recorder.rejectPassword = true;
  session.UsePort(pty.SlavePath(), link::kLinkBaudRate);
  EXPECT_EQ(session.Password(link::OperationMode::Reading, "1"), link::PasswordCode::Rejected);
  EXPECT_FALSE(session.Channel().IsOpen());
  EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(DeviceSessionTest, PortWithoutDeviceIsExplained) {
  session.UsePort("COM5", link::kLinkBaudRate);
  EXPECT_EQ(session.Password(link::OperationMode::Reading, "1"), link::PasswordCode::PortFailed);
  EXPECT_NE(Notes().find("COM5: no serial port has this COM number"), std::string::npos) << Notes();
  EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(DeviceSessionTest, WritingSendsTheTextsPaddedToThirty) {
  session.UsePort("COM2", link::kLinkBaudRate);
  ASSERT_EQ(session.Password(link::OperationMode::Writing, "77"), link::PasswordCode::Accepted);
  link::WriteParameters parameters{"New Gas", "South", "Meter 9", false};
  EXPECT_EQ(session.Write(parameters).code, link::WriteCode::Written);
  EXPECT_FALSE(session.Channel().IsOpen());
  const auto enterprise = FramesOf(static_cast<int>(link::CommandType::WriteEnterprise));
  const auto meter = FramesOf(static_cast<int>(link::CommandType::WriteMeter));
  ASSERT_EQ(enterprise.size(), 1u);
  ASSERT_EQ(meter.size(), 1u);
  EXPECT_NE(enterprise[0].find("New Gas" + std::string(23, ' ')), std::string::npos);
  EXPECT_NE(meter[0].find("Meter 9" + std::string(23, ' ')), std::string::npos);
  EXPECT_TRUE(FramesOf(static_cast<int>(link::CommandType::SetClock)).empty());
}

TEST(CompleteTextsTest, GivenTextsWinAndTheRestAreKept) {
  const RecorderTexts current{"Old Co", "Old branch", "Old meter"};
  GivenTexts given;
  given.branch = "New branch";
  link::WriteParameters out;
  std::string missing;
  ASSERT_TRUE(CompleteTexts(given, current, out, missing));
  EXPECT_EQ(out.enterprise, "Old Co");
  EXPECT_EQ(out.branch, "New branch");
  EXPECT_EQ(out.meter, "Old meter");
}

TEST(CompleteTextsTest, UncheckedTextToKeepIsRefused) {
  const RecorderTexts current{"Old Co", std::string(kDitto), "Old meter"};
  GivenTexts given;
  given.enterprise = "New Co";
  link::WriteParameters out;
  std::string missing;
  EXPECT_FALSE(CompleteTexts(given, current, out, missing));
  EXPECT_EQ(missing, "--branch");
  // Given, the unchecked one does not matter.
  given.branch = "B";
  EXPECT_TRUE(CompleteTexts(given, current, out, missing));
  EXPECT_EQ(out.branch, "B");
}

TEST_F(DeviceSessionTest, UncheckedTextInTheParameterBlockReadsAsDitto) {
  PutText(recorder.image, param::kBranch, "North-2", false);
  session.UsePort("COM2", link::kLinkBaudRate);
  ASSERT_EQ(session.Password(link::OperationMode::Reading, "1"), link::PasswordCode::Accepted);
  std::string block;
  ASSERT_EQ(session.ReadParameterBlock(block), link::ReadCode::Done);
  RecorderTexts texts;
  ASSERT_TRUE(ParameterBlockTexts(block, texts));
  EXPECT_EQ(texts.branch, kDitto);
  EXPECT_EQ(texts.enterprise, "Gas Co                        ");
}

}  // namespace
}  // namespace zt::cli
