// The link end to end: the zt device session over the terminal channel and
// the poll() host loop, against the simulated recorder on a real pty.
#include <gtest/gtest.h>

#include <ctime>
#include <sstream>

#include "core/conversions.h"
#include "core/cp1251.h"
#include "core/device_image.h"
#include "core/sample_image.h"
#include "sim/sim_thread.h"
#include "tests/link/temp_folder.h"
#include "tools/zt/device_session.h"

namespace zt {
namespace {

using link::fake::TempFolder;
using sim::FaultSchedule;
using sim::SimulatorThread;

constexpr int kUnpaced = 0;

FaultSchedule Faults(std::initializer_list<const char*> texts) {
  FaultSchedule faults;
  for (const char* text : texts) EXPECT_TRUE(sim::ParseFault(text, faults)) << text;
  return faults;
}

sim::SimulatorSettings Settings(FaultSchedule faults = {}) {
  sim::SimulatorSettings settings;
  settings.faults = std::move(faults);
  return settings;
}

class EndToEnd : public ::testing::Test {
 protected:
  // The recorder on COMn of the program folder.
  void Plug(SimulatorThread& recorder, int com) { ASSERT_TRUE(recorder.Start(folder.Files().PortLink(com))) << recorder.ErrorText(); }

  link::ReadCode ReadWithPassword(cli::DeviceSession& s, const std::string& port) {
    s.UsePort(port, link::kLinkBaudRate);
    if (s.Password(link::OperationMode::Reading, "1234") != link::PasswordCode::Accepted) return link::ReadCode::NoReply;
    return s.Read();
  }
  std::string ImageFile() const { return TempFolder::Read(folder.Files().ImageFile()); }

  const std::string sample = GenerateSampleImage(11);
  TempFolder folder;
  RecordingMessages messages;
  link::SystemPollWaiter waiter;
  link::SteadyMonotonicClock clock;
  std::ostringstream notes;
  // No system ports: only the Work/COMn links name devices.
  cli::DeviceSession session{folder.Files(), {}, messages, waiter, clock, notes};
};

TEST_F(EndToEnd, SearchFindsTheRecorderOnTheRememberedPort) {
  SimulatorThread recorder(sample, Settings(), kUnpaced);
  Plug(recorder, 4);
  TempFolder::Write(folder.Files().RememberedPortFile(), "4\r\n");
  EXPECT_EQ(session.Search(std::nullopt), link::SearchCode::Found) << notes.str();
  EXPECT_EQ(session.FoundPort(), 4);
  EXPECT_EQ(session.Channel().DeviceName(), "COM4");
}

TEST_F(EndToEnd, FullScanFindsTheRecorderAndRemembersItsPort) {
  SimulatorThread recorder(sample, Settings(), kUnpaced);
  Plug(recorder, 6);
  // A remembered port with nothing behind it: the scan follows.
  TempFolder::Write(folder.Files().RememberedPortFile(), "2\r\n");
  EXPECT_EQ(session.Search(9), link::SearchCode::Found) << notes.str();
  EXPECT_EQ(session.FoundPort(), 6);
  EXPECT_EQ(TempFolder::Read(folder.Files().RememberedPortFile()), "6\r\n");
}

TEST_F(EndToEnd, SearchWithTheRecorderBeyondTheScanLimitFails) {
  SimulatorThread recorder(sample, Settings(), kUnpaced);
  Plug(recorder, 5);
  EXPECT_EQ(session.Search(5), link::SearchCode::NotFound);
}

TEST_F(EndToEnd, ReadingGivesTheRecordersMemoryByteForByte) {
  SimulatorThread recorder(sample, Settings(), kUnpaced);
  Plug(recorder, 3);
  ASSERT_EQ(ReadWithPassword(session, "COM3"), link::ReadCode::Done) << notes.str();
  EXPECT_TRUE(ImageFile() == sample);
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(EndToEnd, ReadingSurvivesTheRecordersFaults) {
  const struct {
    const char* name;
    std::initializer_list<const char*> faults;
    std::size_t frames;  // the password, 512 pages and each page sent again
  } cases[] = {
      {"dropped page", {"drop-page:100", "drop-page:511"}, 515},
      {"corrupt checksum", {"corrupt:2", "corrupt:300"}, 515},
      {"split replies", {"split:7"}, 513},
      {"leading FF", {"lead-ff"}, 513},
      {"error reply", {"error:40:0x10"}, 514},
      {"split and FF", {"split:30", "lead-ff"}, 513},
  };
  for (const auto& c : cases) {
    SimulatorThread recorder(sample, Settings(Faults(c.faults)), kUnpaced);
    Plug(recorder, 3);
    cli::DeviceSession s{folder.Files(), {}, messages, waiter, clock, notes};
    EXPECT_EQ(ReadWithPassword(s, "COM3"), link::ReadCode::Done) << c.name;
    EXPECT_TRUE(ImageFile() == sample) << c.name;
    recorder.Stop();
    EXPECT_EQ(recorder.FramesSeen(), c.frames) << c.name;
  }
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(EndToEnd, WrongPasswordIsRejected) {
  sim::SimulatorSettings settings;
  settings.password = 4321;
  SimulatorThread recorder(sample, settings, kUnpaced);
  Plug(recorder, 3);
  session.UsePort("COM3", link::kLinkBaudRate);
  EXPECT_EQ(session.Password(link::OperationMode::Reading, "1234"), link::PasswordCode::Rejected);
}

TEST_F(EndToEnd, PortVanishingMidReadEndsTheRunAndKeepsTheOldImage) {
  const std::string old = "the image of an earlier reading";
  TempFolder::Write(folder.Files().ImageFile(), old);
  SimulatorThread recorder(sample, Settings(Faults({"vanish-after:20"})), kUnpaced);
  Plug(recorder, 3);
  EXPECT_EQ(ReadWithPassword(session, "COM3"), link::ReadCode::PortFailed);
  EXPECT_TRUE(recorder.Vanished());
  EXPECT_EQ(ImageFile(), old);
}

TEST_F(EndToEnd, SilentRecorderEndsTheReadingAfterTenSendsOfAPage) {
  const std::string old = "the image of an earlier reading";
  TempFolder::Write(folder.Files().ImageFile(), old);
  SimulatorThread recorder(sample, Settings(Faults({"silence-after:1"})), kUnpaced);
  Plug(recorder, 3);
  EXPECT_EQ(ReadWithPassword(session, "COM3"), link::ReadCode::NoReply);
  EXPECT_EQ(ImageFile(), old);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0], std::make_pair(MessageKind::Error, std::string("Ошибка чтения!!!"_cp)));
  recorder.Stop();
  // The password, then page 0 sent ten times over a port closed and reopened each time.
  EXPECT_EQ(recorder.FramesSeen(), 11u);
}

// Minutes since 01.01.2000 of the local time now.
std::uint32_t LocalMinutesNow() {
  const std::time_t t = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&t, &local);
  return static_cast<std::uint32_t>(DaysFromEpoch(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) * 1440 +
                                    local.tm_hour * 60 + local.tm_min);
}

TEST_F(EndToEnd, WritingChangesTheRecordersTextsAndClock) {
  SimulatorThread recorder(sample, Settings(), kUnpaced);
  Plug(recorder, 3);
  session.UsePort("COM3", link::kLinkBaudRate);
  ASSERT_EQ(session.Password(link::OperationMode::Writing, "1234"), link::PasswordCode::Accepted);
  const std::uint32_t before = LocalMinutesNow();
  const link::WriteParameters texts{"ABC", "Branch 2", std::string(40, 'M'), true};
  ASSERT_EQ(session.Write(texts).code, link::WriteCode::Written) << notes.str();
  const std::uint32_t after = LocalMinutesNow();

  const std::string image = recorder.Image();
  const std::string_view block = std::string_view(image).substr(kParameterBlock.start, kParameterBlock.size);
  DecodedImage decoded;
  ASSERT_TRUE(DecodeParameterBlock(block, decoded));
  const auto enterprise = CheckTextField(block, param::kEnterprise);
  const auto branch = CheckTextField(block, param::kBranch);
  const auto meter = CheckTextField(block, param::kMeter);
  EXPECT_TRUE(enterprise.valid && branch.valid && meter.valid);
  // 30 characters written; the 31st is the recorder's own.
  EXPECT_EQ(enterprise.text.substr(0, 30), "ABC" + std::string(27, ' '));
  EXPECT_EQ(branch.text.substr(0, 30), "Branch 2" + std::string(22, ' '));
  EXPECT_EQ(meter.text.substr(0, 30), std::string(30, 'M'));
  const std::uint32_t stamp = sim::RecorderMemory(image).Clock();
  EXPECT_GE(stamp, before);
  EXPECT_LE(stamp, after);
  // Everything else is as it was.
  EXPECT_EQ(image.substr(0, kParameterBlock.start), sample.substr(0, kParameterBlock.start));
}

TEST_F(EndToEnd, WritingTakesAcknowledgementsByteByByteAfterALoneFF) {
  SimulatorThread recorder(sample, Settings(Faults({"split:1", "lead-ff"})), kUnpaced);
  Plug(recorder, 3);
  session.UsePort("COM3", link::kLinkBaudRate);
  ASSERT_EQ(session.Password(link::OperationMode::Writing, "1234"), link::PasswordCode::Accepted);
  EXPECT_EQ(session.Write({"E", "B", "M", true}).code, link::WriteCode::Written);
  EXPECT_EQ(recorder.Image().substr(kParameterBlock.start + param::kMeter, 2), "M ");
}

TEST_F(EndToEnd, RecorderErrorDuringWritingIsShown) {
  // Reply 1 is the password's; reply 3 the branch's.
  SimulatorThread recorder(sample, Settings(Faults({"error:3:0x08"})), kUnpaced);
  Plug(recorder, 3);
  session.UsePort("COM3", link::kLinkBaudRate);
  ASSERT_EQ(session.Password(link::OperationMode::Writing, "1234"), link::PasswordCode::Accepted);
  const cli::WriteOutcome outcome = session.Write({"ABC", "B", "M", false});
  EXPECT_EQ(outcome.code, link::WriteCode::DeviceError);
  EXPECT_EQ(outcome.taken, std::vector<link::CommandType>{link::CommandType::WriteEnterprise});
  EXPECT_EQ(outcome.unanswered, link::CommandType::WriteBranch);
  EXPECT_EQ(outcome.notSent, std::vector<link::CommandType>{link::CommandType::WriteMeter});
  const std::string image = recorder.Image();
  EXPECT_EQ(image.substr(kParameterBlock.start + param::kEnterprise, 3), "ABC");
  EXPECT_EQ(image.substr(kParameterBlock.start + param::kBranch, 32),
            sample.substr(kParameterBlock.start + param::kBranch, 32));
}

}  // namespace
}  // namespace zt
