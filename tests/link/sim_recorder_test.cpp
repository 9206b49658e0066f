// The simulated recorder's replies and memory changes, with hand-computed bytes.
#include <gtest/gtest.h>

#include "core/device_image.h"
#include "sim/recorder_simulator.h"
#include "tests/link/hex.h"

namespace zt::sim {
namespace {

using link::fake::Hex;

constexpr std::size_t kBlock = kParameterBlock.start;

// Zeros, but for a block of " Vorqel", serial 4096 and its checksum, the meter
// text "M1" with its check byte, and an enterprise field with a known last byte.
std::string SmallImage() {
  std::string image(kImageSize, '\0');
  image.replace(kBlock, 7, " Vorqel");
  image[kBlock + 37] = '\x10';
  image.replace(kBlock + 62, 2, Hex("57 FD"));  // 0x10000 - 0x2A9
  image.replace(kBlock + 192, 2, "M1");
  image[kBlock + 223] = '\x82';                 // 0x100 - (0x4D + 0x31)
  image.replace(kBlock + 128, 5, "OLD E");
  image[kBlock + 158] = '\x7A';
  return image;
}

struct SimulatorTest : ::testing::Test {
  RecorderSimulator Make(FaultSchedule faults = {}) {
    return RecorderSimulator(RecorderMemory(SmallImage()), {kDefaultPassword, std::move(faults)});
  }
  // The one reply to one frame, joined.
  static std::string Answer(RecorderSimulator& sim, std::string_view frame, Nanos at = 0) {
    const auto replies = sim.Receive(frame, at);
    if (replies.size() != 1) return "<" + std::to_string(replies.size()) + " replies>";
    std::string all;
    for (const auto& piece : replies[0].pieces) all += piece;
    return all;
  }
};

TEST_F(SimulatorTest, IdentifyAnswersTheFirst64BytesOfTheBlock) {
  auto sim = Make();
  const std::string reply = Answer(sim, Hex("00 00 00 00"));
  ASSERT_EQ(reply.size(), 67u);
  EXPECT_EQ(reply[0], '\0');
  EXPECT_EQ(reply.substr(1, 64), SmallImage().substr(kBlock, 64));
  // 00 + payload sums to 0x3FD.
  EXPECT_EQ(reply.substr(65), Hex("03 FC"));
}

TEST_F(SimulatorTest, ReadPage511AnswersTheLast64Bytes) {
  auto sim = Make();
  const std::string reply = Answer(sim, Hex("21 FF E0 FE"));
  std::string page(64, '\0');
  page.replace(0, 2, "M1");
  page[31] = '\x82';
  EXPECT_EQ(reply, std::string(1, '\0') + page + Hex("00 FF"));
}

TEST_F(SimulatorTest, ReadPage0AnswersTheFirstBytes) {
  std::string image = SmallImage();
  image[0] = '\x11';
  image[63] = '\x22';
  RecorderSimulator sim(RecorderMemory(image), {});
  const std::string reply = Answer(sim, Hex("20 00 E0 FF"));
  ASSERT_EQ(reply.size(), 67u);
  EXPECT_EQ(reply[1], '\x11');
  EXPECT_EQ(reply[64], '\x22');
  EXPECT_EQ(reply.substr(65), Hex("CD FF"));  // 0x10000 - 0x33
}

TEST_F(SimulatorTest, PasswordRightGetsAShortAckAndWrongGetsTheErrorReply) {
  struct Case {
    const char* frame;
    const char* reply;
  };
  const Case cases[] = {
      {"80 18 80 18 5A A5 D2 04 FB FC", "00 00 00"},     // 1234
      {"80 18 80 18 5A A5 D3 04 FA FC", "80 04 7C FF"},  // 1235
      {"80 18 80 19 5A A5 D2 04 FA FC", "80 04 7C FF"},  // a wrong fixed byte
  };
  for (const Case& c : cases) {
    auto sim = Make();
    EXPECT_EQ(Answer(sim, Hex(c.frame)), Hex(c.reply)) << c.frame;
  }
}

TEST_F(SimulatorTest, ConfiguredPasswordIsTheOneTaken) {
  SimulatorSettings settings;
  settings.password = 0xFFFF;
  RecorderSimulator sim(RecorderMemory(SmallImage()), settings);
  // 80 18 80 18 5A A5 FF FF sums to 0x42D.
  EXPECT_EQ(Answer(sim, Hex("80 18 80 18 5A A5 FF FF D3 FB")), Hex("00 00 00"));
}

TEST_F(SimulatorTest, SetClockStoresMinutesSince2000AndRenewsTheBlockChecksum) {
  auto sim = Make();
  // 5 March 2024 14:07 is 8830 days and 847 minutes: 12716047 = 0xC2080F.
  EXPECT_EQ(Answer(sim, Hex("80 21 80 21 F8 07 0E 05 03 18 91 FD")), Hex("00 00 00"));
  const std::string& image = sim.Memory().Image();
  EXPECT_EQ(image.substr(kBlock + 48, 3), Hex("0F 08 C2"));
  EXPECT_EQ(image.substr(kBlock + 62, 2), Hex("7E FC"));  // 0x10000 - (0x2A9 + 0xD9)
  EXPECT_EQ(sim.Memory().Clock(), 12716047u);
  EXPECT_TRUE(sim.TakeImageChanged());
  EXPECT_FALSE(sim.TakeImageChanged());
}

TEST_F(SimulatorTest, SetClockWithImpossibleValuesIsRefusedAndChangesNothing) {
  const char* frames[] = {
      "80 21 80 21 F7 07 0E 05 03 18 92 FD",  // complement does not match the minute
      "80 21 80 21 C3 3C 0E 05 03 18 91 FD",  // minute 60
      "80 21 80 21 F8 07 0E 1E 02 18 79 FD",  // 30 February
      "80 21 80 21 F8 07 0E 05 0D 18 87 FD",  // month 13
      "80 21 80 21 F8 07 0E 19 0C 1F 6D FD",  // 25.12.2031, past the 24-bit stamp
  };
  for (const char* frame : frames) {
    auto sim = Make();
    EXPECT_EQ(Answer(sim, Hex(frame)), Hex("80 04 7C FF")) << frame;
    EXPECT_EQ(sim.Memory().Image(), SmallImage()) << frame;
  }
}

TEST_F(SimulatorTest, WriteEnterpriseReplacesThirtyBytesKeepsTheLastAndRenewsTheCheckByte) {
  auto sim = Make();
  const std::string frame = Hex("80 84 41 42 43") + std::string(27, ' ') + Hex("00 00 D6 FA");
  EXPECT_EQ(Answer(sim, frame), Hex("00 00 00"));
  const std::string field = sim.Memory().Image().substr(kBlock + 128, 32);
  // ABC + 27 blanks + 7A sums to 0x4A0.
  EXPECT_EQ(field, "ABC" + std::string(27, ' ') + Hex("7A 60"));
  EXPECT_TRUE(sim.TakeImageChanged());
}

TEST_F(SimulatorTest, WriteBranchAndMeterGoToTheirFields) {
  auto sim = Make();
  const std::string branch = Hex("80 85") + std::string(30, ' ') + Hex("00 00");
  const std::string meter = Hex("80 86") + std::string(30, ' ') + Hex("00 00");
  // 80 85 + 30 blanks: 0x105 + 0x3C0 = 0x4C5; 80 86: 0x4C6.
  EXPECT_EQ(Answer(sim, branch + Hex("3B FB")), Hex("00 00 00"));
  EXPECT_EQ(Answer(sim, meter + Hex("3A FB")), Hex("00 00 00"));
  const std::string& image = sim.Memory().Image();
  EXPECT_EQ(image.substr(kBlock + 160, 32), std::string(30, ' ') + Hex("00 40"));
  EXPECT_EQ(image.substr(kBlock + 192, 32), std::string(30, ' ') + Hex("00 40"));
}

TEST_F(SimulatorTest, WrongChecksumGetsError02AndUnknownCommandError01AfterTheGap) {
  auto sim = Make();
  EXPECT_EQ(Answer(sim, Hex("00 00 00 01")), Hex("80 02 7E FF"));
  EXPECT_TRUE(sim.Receive(Hex("55 AA 12"), 1000).empty());
  EXPECT_TRUE(sim.Idle(1000 + kNanosPerMilli).empty());
  const auto replies = sim.Idle(1000 + 2 * kNanosPerMilli);
  ASSERT_EQ(replies.size(), 1u);
  EXPECT_EQ(replies[0].pieces, std::vector<std::string>{Hex("80 01 7F FF")});
  // The line is clean again.
  EXPECT_EQ(Answer(sim, Hex("00 00 00 00"), 10 * kNanosPerMilli).size(), 67u);
}

TEST_F(SimulatorTest, FramesAcrossDeliveriesAndSeveralInOne) {
  auto sim = Make();
  EXPECT_TRUE(sim.Receive(Hex("80 18 80"), 0).empty());
  EXPECT_TRUE(sim.Receive(Hex("18 5A A5 D2"), 100).empty());
  const auto replies = sim.Receive(Hex("04 FB FC 20 00 E0 FF"), 200);
  ASSERT_EQ(replies.size(), 2u);
  EXPECT_EQ(replies[0].pieces[0], Hex("00 00 00"));
  EXPECT_EQ(replies[1].pieces[0].size(), 67u);
}

TEST_F(SimulatorTest, IncompleteFrameIsDroppedAfterTheGap) {
  auto sim = Make();
  EXPECT_TRUE(sim.Receive(Hex("20 00"), 0).empty());
  // Long after, a new request starts from its first byte.
  EXPECT_EQ(Answer(sim, Hex("21 FF E0 FE"), 50 * kNanosPerMilli).size(), 67u);
}

// Faults.

TEST_F(SimulatorTest, DropPageLeavesTheFirstRequestOfThatPageUnanswered) {
  FaultSchedule faults;
  faults.dropPages.insert(511);
  auto sim = Make(faults);
  EXPECT_TRUE(sim.Receive(Hex("21 FF E0 FE"), 0).empty());
  EXPECT_EQ(Answer(sim, Hex("21 FF E0 FE")).size(), 67u);
  EXPECT_EQ(sim.RepliesSent(), 1u);
}

TEST_F(SimulatorTest, LatePageDelaysOnlyTheFirstRequestOfThatPage) {
  FaultSchedule faults;
  faults.latePages.emplace(511, 240);
  auto sim = Make(faults);
  EXPECT_EQ(sim.Receive(Hex("21 FE E1 FE"), 0).at(0).delay, 0);  // page 510 on time
  const auto first = sim.Receive(Hex("21 FF E0 FE"), 0);
  ASSERT_EQ(first.size(), 1u);
  EXPECT_EQ(first[0].delay, 240 * kNanosPerMilli);
  EXPECT_EQ(first[0].pieces.at(0).size(), 67u);
  // The re-send is answered as well, on time: two replies to the one page.
  const auto resend = sim.Receive(Hex("21 FF E0 FE"), 0);
  ASSERT_EQ(resend.size(), 1u);
  EXPECT_EQ(resend[0].delay, 0);
  EXPECT_EQ(resend[0].pieces, first[0].pieces);
  EXPECT_EQ(sim.RepliesSent(), 3u);
}

TEST_F(SimulatorTest, CorruptSpoilsOnlyTheNthReplysChecksum) {
  FaultSchedule faults;
  faults.corruptReplies.insert(2);
  auto sim = Make(faults);
  EXPECT_EQ(Answer(sim, Hex("00 00 00 00")).substr(65), Hex("03 FC"));
  const std::string second = Answer(sim, Hex("00 00 00 00"));
  EXPECT_EQ(second.substr(0, 66), std::string(1, '\0') + SmallImage().substr(kBlock, 64) + Hex("03"));
  EXPECT_NE(second[66], '\xFC');
  EXPECT_EQ(Answer(sim, Hex("00 00 00 00")).substr(65), Hex("03 FC"));
}

TEST_F(SimulatorTest, SplitCutsRepliesIntoPieces) {
  FaultSchedule faults;
  faults.splitSize = 30;
  auto sim = Make(faults);
  const auto replies = sim.Receive(Hex("00 00 00 00"), 0);
  ASSERT_EQ(replies.size(), 1u);
  ASSERT_EQ(replies[0].pieces.size(), 3u);
  EXPECT_EQ(replies[0].pieces[0].size(), 30u);
  EXPECT_EQ(replies[0].pieces[2], SmallImage().substr(kBlock + 59, 5) + Hex("03 FC"));
}

TEST_F(SimulatorTest, LeadingFFComesBeforeEveryReply) {
  FaultSchedule faults;
  faults.leadingFF = true;
  auto sim = Make(faults);
  EXPECT_EQ(Answer(sim, Hex("80 18 80 18 5A A5 D2 04 FB FC")), Hex("FF 00 00 00"));
  EXPECT_EQ(Answer(sim, Hex("00 00 00 01")), Hex("FF 80 02 7E FF"));
}

TEST_F(SimulatorTest, ErrorFaultAnswersTheNthFrameWithThatErrorAndDoesNotApplyIt) {
  FaultSchedule faults;
  faults.errorReplies[1] = 0x08;
  auto sim = Make(faults);
  const std::string frame = Hex("80 84 41 42 43") + std::string(27, ' ') + Hex("00 00 D6 FA");
  EXPECT_EQ(Answer(sim, frame), Hex("80 08 78 FF"));
  EXPECT_EQ(sim.Memory().Image(), SmallImage());
  EXPECT_FALSE(sim.TakeImageChanged());
  EXPECT_EQ(Answer(sim, frame), Hex("00 00 00"));
}

TEST_F(SimulatorTest, SilenceAfterNRepliesAnswersNothingMore) {
  FaultSchedule faults;
  faults.silenceAfter = 2;
  auto sim = Make(faults);
  EXPECT_EQ(Answer(sim, Hex("00 00 00 00")).size(), 67u);
  EXPECT_EQ(Answer(sim, Hex("00 00 00 00")).size(), 67u);
  EXPECT_TRUE(sim.Receive(Hex("00 00 00 00"), 0).empty());
  EXPECT_FALSE(sim.Vanished());
}

TEST_F(SimulatorTest, VanishAfterNEndsTheLineWithTheNthReply) {
  FaultSchedule faults;
  faults.vanishAfter = 2;
  auto sim = Make(faults);
  auto replies = sim.Receive(Hex("00 00 00 00"), 0);
  ASSERT_EQ(replies.size(), 1u);
  EXPECT_FALSE(replies[0].endsLine);
  replies = sim.Receive(Hex("00 00 00 00"), 0);
  ASSERT_EQ(replies.size(), 1u);
  EXPECT_TRUE(replies[0].endsLine);
  EXPECT_EQ(replies[0].pieces.at(0).size(), 67u);
  EXPECT_TRUE(sim.Vanished());
  EXPECT_TRUE(sim.Receive(Hex("00 00 00 00"), 0).empty());
}

TEST_F(SimulatorTest, VanishAfterZeroEndsTheLineAtTheFirstFrame) {
  FaultSchedule faults;
  faults.vanishAfter = 0;
  auto sim = Make(faults);
  const auto replies = sim.Receive(Hex("00 00 00 00"), 0);
  ASSERT_EQ(replies.size(), 1u);
  EXPECT_TRUE(replies[0].endsLine);
  EXPECT_TRUE(replies[0].pieces.empty());
}

TEST(RecorderMemoryTest, ShortImageIsPaddedWithErasedMemory) {
  const RecorderMemory memory(std::string(100, '\0'));
  ASSERT_EQ(memory.Image().size(), kImageSize);
  EXPECT_EQ(memory.Image()[100], '\xFF');
  EXPECT_EQ(memory.Page(511), std::string(64, '\xFF'));
}

}  // namespace
}  // namespace zt::sim
