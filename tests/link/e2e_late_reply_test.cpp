// Readings from the simulated recorder on a pty when it answers a page after
// the reading's time-out: the late reply and the reply to the re-send both
// come, and neither may be taken for the page after. The image is the
// recorder's memory byte for byte, or the run fails with its message and the
// files of the reading before stay as they were.
#include <gtest/gtest.h>

#include <sstream>

#include "core/sample_image.h"
#include "sim/sim_thread.h"
#include "tests/link/temp_folder.h"
#include "tools/zt/commands.h"
#include "tools/zt/device_session.h"

namespace zt {
namespace {

using link::fake::TempFolder;

constexpr int kUnpaced = 0;
constexpr int kCom = 3;

sim::SimulatorSettings LateFaults(std::initializer_list<const char*> texts) {
  sim::SimulatorSettings settings;
  for (const char* text : texts) EXPECT_TRUE(sim::ParseFault(text, settings.faults)) << text;
  return settings;
}

class LateReplies : public ::testing::Test {
 protected:
  LateReplies() { TempFolder::Write(folder.Files().ImageFile(), kOldImage); }

  // The password step and the reading run, as `zt read` drives them.
  link::ReadCode Read() {
    RecordingMessages messages;
    std::ostringstream notes;
    cli::DeviceSession session{folder.Files(), {}, messages, waiter, clock, notes};
    session.UsePort(link::ComName(kCom), link::kLinkBaudRate);
    if (session.Password(link::OperationMode::Reading, "1234") != link::PasswordCode::Accepted)
      return link::ReadCode::PortFailed;
    const link::ReadCode code = session.Read();
    shown = messages.shown;
    return code;
  }

  // Either the whole memory, or the ending's own message and the old image.
  void ExpectMemoryOrOldImage(link::ReadCode code, const std::string& memory, const std::string& label) {
    const std::string image = TempFolder::Read(folder.Files().ImageFile());
    if (code == link::ReadCode::Done) {
      EXPECT_TRUE(image == memory) << label << ": " << Differences(image, memory) << " bytes differ";
      EXPECT_TRUE(shown.empty()) << label;
      return;
    }
    const auto message = link::ReadFinishMessage(code);
    ASSERT_TRUE(message.has_value()) << label;
    ASSERT_EQ(shown.size(), 1u) << label;
    EXPECT_EQ(shown[0].second, message->text) << label;
    EXPECT_EQ(image, kOldImage) << label;
  }

  static std::size_t Differences(const std::string& a, const std::string& b) {
    std::size_t n = a.size() > b.size() ? a.size() - b.size() : b.size() - a.size();
    for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i) n += a[i] != b[i] ? 1 : 0;
    return n;
  }

  const std::string kOldImage = "the image of an earlier reading";
  const std::string sample = GenerateSampleImage(13);
  TempFolder folder;
  link::SystemPollWaiter waiter;
  link::SteadyMonotonicClock clock;
  std::vector<std::pair<MessageKind, std::string>> shown;
};

TEST_F(LateReplies, UnpacedReadingTakesEachLatePageOnce) {
  const struct {
    const char* name;
    std::initializer_list<const char*> faults;
  } cases[] = {
      {"230 ms, around the time-out", {"late:7:230"}},
      {"240 ms, just after the re-send", {"late:100:240"}},
      {"first page", {"late:0:300"}},
      {"last page", {"late:511:350"}},
      {"two pages in a row", {"late:300:260", "late:301:420"}},
      {"500 ms, past the re-send's own wait", {"late:40:500"}},
  };
  for (const auto& c : cases) {
    sim::SimulatorThread recorder(sample, LateFaults(c.faults), kUnpaced);
    ASSERT_TRUE(recorder.Start(folder.Files().PortLink(kCom))) << recorder.ErrorText();
    const link::ReadCode code = Read();
    recorder.Stop();
    ExpectMemoryOrOldImage(code, sample, c.name);
    // A late page costs a re-send or two; giving up would take ten.
    EXPECT_EQ(code, link::ReadCode::Done) << c.name;
    // The password, 512 pages, and at most two re-sends for each late page
    // (the second when both replies came in one delivery).
    EXPECT_GE(recorder.FramesSeen(), 513u) << c.name;
    EXPECT_LE(recorder.FramesSeen(), 513u + 2 * c.faults.size()) << c.name;
    TempFolder::Write(folder.Files().ImageFile(), kOldImage);
  }
}

// zt read itself at the line's own rate: exit 0 and FILE.zt the recorder's
// memory, or an exit code with FILE.zt and the image left as they were.
TEST_F(LateReplies, PacedZtReadWithLateReplies) {
  sim::SimulatorThread recorder(sample, LateFaults({"late:3:240", "late:200:480"}), link::kLinkBaudRate);
  ASSERT_TRUE(recorder.Start(folder.Files().PortLink(kCom))) << recorder.ErrorText();
  const auto out = folder.Files().ProgramFolder() / "out.zt";
  const std::string oldOut = "a file saved earlier";
  TempFolder::Write(out, oldOut);
  const int exit = cli::RunRead({"--port", link::ComName(kCom), "--password", "1234", "-o", out.string(), "--workdir",
                                 folder.Files().ProgramFolder().string()});
  recorder.Stop();
  if (exit == 0) {
    EXPECT_TRUE(TempFolder::Read(out) == sample);
    EXPECT_TRUE(TempFolder::Read(folder.Files().ImageFile()) == sample);
  } else {
    EXPECT_EQ(TempFolder::Read(out), oldOut);
    EXPECT_EQ(TempFolder::Read(folder.Files().ImageFile()), kOldImage);
  }
  EXPECT_EQ(exit, 0);
}

}  // namespace
}  // namespace zt
