// Frame lengths, the idle-gap resynchronisation, the fault options and the
// line pacing of the simulated recorder.
#include <gtest/gtest.h>

#include "sim/fault_schedule.h"
#include "sim/frame_splitter.h"
#include "sim/line_pacer.h"
#include "sim/sim_options.h"
#include "tests/link/hex.h"

namespace zt::sim {
namespace {

using link::fake::Hex;

TEST(FrameSplitterTest, FrameLengthFromTheFirstBytes) {
  struct Case {
    const char* head;
    std::size_t length;
  };
  const Case cases[] = {
      {"", kNeedMoreBytes},   {"00", kNeedMoreBytes}, {"00 00", 4},         {"00 01", kNoCommand},
      {"20", 4},              {"21 FF", 4},           {"22", kNoCommand},   {"80", kNeedMoreBytes},
      {"80 18", 10},          {"80 21", 12},          {"80 84", 36},        {"80 85", 36},
      {"80 86", 36},          {"80 87", kNoCommand},  {"FF", kNoCommand},   {"80 20", kNoCommand},
  };
  for (const Case& c : cases) EXPECT_EQ(ExpectedFrameLength(Hex(c.head)), c.length) << c.head;
}

TEST(FrameSplitterTest, GarbageIsHeldUntilTheGapAndComesOutOnce) {
  FrameSplitter splitter(1000);
  EXPECT_TRUE(splitter.Push(Hex("FF 00 00 00 00"), 0).empty());
  EXPECT_TRUE(splitter.Push(Hex("20"), 500).empty());
  EXPECT_EQ(splitter.IdleDeadline(), 1500);
  EXPECT_FALSE(splitter.Idle(1499).has_value());
  const auto held = splitter.Idle(1500);
  ASSERT_TRUE(held.has_value());
  EXPECT_TRUE(held->unknown);
  EXPECT_EQ(held->bytes, Hex("FF 00 00 00 00 20"));
  EXPECT_FALSE(splitter.IdleDeadline().has_value());
}

TEST(FrameSplitterTest, BytesAfterTheGapStartANewFrame) {
  FrameSplitter splitter(1000);
  EXPECT_TRUE(splitter.Push(Hex("80 21 80"), 0).empty());
  // The stale piece is dropped when the next bytes come late, and they frame anew.
  const auto frames = splitter.Push(Hex("00 00 00 00"), 5000);
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0].bytes, Hex("00 00 00 00"));
  EXPECT_FALSE(frames[0].unknown);
  EXPECT_EQ(splitter.DroppedBytes(), 3u);
}

TEST(FaultScheduleTest, OptionsParse) {
  FaultSchedule f;
  EXPECT_TRUE(ParseFault("drop-page:100", f));
  EXPECT_TRUE(ParseFault("drop-page:100", f));
  EXPECT_TRUE(ParseFault("corrupt:7", f));
  EXPECT_TRUE(ParseFault("split:5", f));
  EXPECT_TRUE(ParseFault("lead-ff", f));
  EXPECT_TRUE(ParseFault("error:3:0x08", f));
  EXPECT_TRUE(ParseFault("error:4:16", f));
  EXPECT_TRUE(ParseFault("silence-after:9", f));
  EXPECT_TRUE(ParseFault("vanish-after:0", f));
  EXPECT_TRUE(ParseFault("late:0:230", f));
  EXPECT_TRUE(ParseFault("late:511:500", f));
  EXPECT_TRUE(ParseFault("late:511:0x1F4", f));
  EXPECT_EQ(f.dropPages.count(100), 2u);
  EXPECT_EQ(f.latePages, (std::multimap<std::uint16_t, std::uint32_t>{{0, 230}, {511, 500}, {511, 500}}));
  EXPECT_EQ(f.corruptReplies, std::set<std::size_t>{7});
  EXPECT_EQ(f.splitSize, 5u);
  EXPECT_TRUE(f.leadingFF);
  EXPECT_EQ(f.errorReplies, (std::map<std::size_t, std::uint8_t>{{3, 0x08}, {4, 0x10}}));
  EXPECT_EQ(f.silenceAfter, 9u);
  EXPECT_EQ(f.vanishAfter, 0u);
}

TEST(FaultScheduleTest, BadOptionsAreRefusedAndChangeNothing) {
  const char* bad[] = {"drop-page:512", "drop-page:", "drop-page:x", "corrupt:0", "split:0", "lead-ff:1",
                       "error:1",       "error:1:256", "error:0:1", "silence-after", "vanish", "",
                       "corrupt:1:2",   "split:-1",    "late:1",      "late:512:300", "late:1:x",
                       "late:1:60001",  "late::300",   "late:1:300:2"};
  for (const char* text : bad) {
    FaultSchedule f;
    EXPECT_FALSE(ParseFault(text, f)) << text;
    EXPECT_TRUE(f.dropPages.empty() && f.latePages.empty() && f.errorReplies.empty() && f.splitSize == 0) << text;
  }
}

TEST(SimOptionsTest, CommandLine) {
  const auto ok = ParseSimOptions({"--seed", "7", "--password", "-1", "--baud", "0", "--link", "Work/COM3",
                                   "--fault", "lead-ff"});
  ASSERT_TRUE(ok.ok) << ok.error;
  EXPECT_EQ(ok.options.seed, 7u);
  EXPECT_EQ(ok.options.password, 0xFFFF);
  EXPECT_EQ(ok.options.baud, 0);
  EXPECT_EQ(ok.options.link, std::filesystem::path("Work/COM3"));
  EXPECT_TRUE(ok.options.faults.leadingFF);

  const auto defaults = ParseSimOptions({"--image", "a.zt", "--save"});
  ASSERT_TRUE(defaults.ok);
  EXPECT_EQ(defaults.options.password, 1234);
  EXPECT_EQ(defaults.options.baud, 38400);

  const std::vector<std::vector<std::string>> bad = {
      {},  {"--seed", "1", "--image", "a"}, {"--seed", "1", "--save"}, {"--seed"},
      {"--seed", "1", "--fault", "nope"},   {"--seed", "1", "--baud", "-5"}, {"--seed", "1", "--what"}};
  for (const auto& args : bad) EXPECT_FALSE(ParseSimOptions(args).ok);
}

TEST(LinePacerTest, RepliesStartAfterTheRequestAndTakeTenBitsAByte) {
  LinePacer pacer(38400);
  // 10 s / 38400 = 260416.67 ns, rounded up.
  ASSERT_EQ(pacer.ByteTimeNs(), 260417);
  pacer.Received(4, 1'000'000);
  const auto chunks = pacer.Schedule(Reply{{std::string(67, 'x')}}, 1'000'000);
  ASSERT_EQ(chunks.size(), 9u);  // 8 chunks of 8 and one of 3
  EXPECT_EQ(chunks[0].bytes.size(), 8u);
  EXPECT_EQ(chunks[8].bytes.size(), 3u);
  // Request end 1'000'000 + 4 * 260417 = 2'041'668.
  EXPECT_EQ(chunks[0].deadline, 2'041'668 + 8 * 260'417);
  EXPECT_EQ(chunks[8].deadline, 2'041'668 + 67 * 260'417);
  // A reply queued meanwhile waits for the line.
  const auto next = pacer.Schedule(Reply{{"abc"}}, 1'000'000);
  ASSERT_EQ(next.size(), 1u);
  EXPECT_EQ(next[0].deadline, 2'041'668 + 70 * 260'417);
}

TEST(LinePacerTest, LateRequestsCountFromWhenTheyCame) {
  LinePacer pacer(9600);  // 1041667 ns a byte
  pacer.Received(4, 0);
  pacer.Schedule(Reply{{"abc"}}, 0);
  pacer.Received(2, 100'000'000);
  const auto chunks = pacer.Schedule(Reply{{"x"}}, 100'000'000);
  ASSERT_EQ(chunks.size(), 1u);
  EXPECT_EQ(chunks[0].deadline, 100'000'000 + 3 * 1'041'667);
}

TEST(LinePacerTest, LateReplyStartsItsDelayAfterTheRequestAndHoldsBackTheNext) {
  LinePacer pacer(38400);
  pacer.Received(4, 0);
  // Request end 4 * 260417 = 1'041'668; 240 ms later the reply starts.
  const auto late = pacer.Schedule(Reply{{std::string(67, 'x')}, false, 240 * kNanosPerMilli}, 0);
  ASSERT_EQ(late.size(), 9u);
  EXPECT_EQ(late[8].deadline, 1'041'668 + 240'000'000 + 67 * 260'417);
  // The re-send, 235 ms after the first request, is answered after the late reply.
  pacer.Received(4, 235'000'000);
  const auto resend = pacer.Schedule(Reply{{std::string(67, 'y')}}, 235'000'000);
  EXPECT_EQ(resend[0].deadline, 1'041'668 + 240'000'000 + 75 * 260'417);
  EXPECT_EQ(resend[8].deadline, 1'041'668 + 240'000'000 + 134 * 260'417);
}

TEST(LinePacerTest, SplitPiecesAreKeptApartAndTheLineEndsLast) {
  LinePacer unpaced(0);
  const auto chunks = unpaced.Schedule(Reply{{"ab", "cd", "e"}, true}, 500);
  ASSERT_EQ(chunks.size(), 4u);
  EXPECT_EQ(chunks[0].deadline, 500);
  EXPECT_EQ(chunks[1].deadline, 500 + kPieceGap);
  EXPECT_EQ(chunks[2].deadline, 500 + 2 * kPieceGap);
  EXPECT_EQ(chunks[2].bytes, "e");
  EXPECT_TRUE(chunks[3].endsLine);
  EXPECT_EQ(chunks[3].deadline, 500 + 2 * kPieceGap + kVanishGrace);
  EXPECT_TRUE(chunks[3].bytes.empty());
  EXPECT_FALSE(chunks[2].endsLine);
}

}  // namespace
}  // namespace zt::sim
