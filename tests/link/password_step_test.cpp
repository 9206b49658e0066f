#include "link/password_step.h"

#include <gtest/gtest.h>

#include "core/cp1251.h"
#include "tests/link/hex.h"
#include "tests/link/link_fixture.h"

namespace zt::link {
namespace {

using fake::Hex;

class PasswordStepTest : public ::testing::Test, protected fake::LinkFixture {
 protected:
  PasswordStep Step(OperationMode mode) { return PasswordStep(protocol, messages, lastText, mode); }
  int Run(PasswordStep& step) {
    return Drive([&] { step.Tick(); }, [&] { return !step.Waiting(); }, 200);
  }
  std::vector<std::pair<MessageKind, std::string>> Shown(std::string_view text) const {
    return {{MessageKind::Error, std::string(text)}};
  }

  RecordingMessages messages;
  std::string lastText;
};

TEST(PasswordNumber, LowSixteenBitsOfA32BitInteger) {
  const struct {
    const char* entry;
    bool valid;
    unsigned value;
  } cases[] = {
      {"1234", true, 1234},
      {" 12 34 ", true, 1234},
      {"0", true, 0},
      {"65536", true, 0},
      {"66770", true, 1234},  // 1234 + 65536
      {"-1", true, 0xFFFF},
      {"-65535", true, 1},
      {"2147483647", true, 0xFFFF},
      {"-2147483648", true, 0},
      {"2147483648", false, 0},
      {"", false, 0},
      {"   ", false, 0},
      {"12a", false, 0},
      {"-", false, 0},
      {"1-2", false, 0},
      {"+1", false, 0},
  };
  for (const auto& c : cases) {
    const PasswordNumber n = PasswordNumberOf(c.entry);
    EXPECT_EQ(n.valid, c.valid) << c.entry;
    EXPECT_EQ(n.value, c.value) << c.entry;
  }
}

TEST_F(PasswordStepTest, AcceptedAfterFiveTicksAndOneCommand) {
  auto step = Step(OperationMode::Reading);
  ASSERT_TRUE(step.Accept("1234"));
  EXPECT_TRUE(channel.IsOpen());
  EXPECT_TRUE(step.WaitVisible());
  for (int i = 0; i < 5; ++i) step.Tick();
  EXPECT_TRUE(channel.Writes().empty());  // five ticks pass before the send
  step.Tick();
  ASSERT_EQ(channel.Writes().size(), 1u);
  EXPECT_EQ(channel.Writes()[0].bytes, Hex("80 18 80 18 5A A5 D2 04 FB FC"));
  EXPECT_EQ(lastText, "1234");
  channel.Pump();
  step.Tick();  // the reply came since the last tick: judged once the line is quiet
  EXPECT_TRUE(step.Waiting());
  step.Tick();
  EXPECT_TRUE(step.Accepted());
  EXPECT_FALSE(step.WaitVisible());
  EXPECT_TRUE(channel.IsOpen());  // left open for the run that follows
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(PasswordStepTest, EntriesAMultipleOf65536ApartSendTheSameBytes) {
  for (const char* entry : {"5", "65541", "-65531"}) {
    auto step = Step(OperationMode::Reading);
    ASSERT_TRUE(step.Accept(entry));
    Run(step);
    ASSERT_TRUE(step.Accepted()) << entry;
  }
  ASSERT_EQ(channel.Writes().size(), 3u);
  for (const auto& w : channel.Writes()) EXPECT_EQ(w.bytes.substr(6, 2), Hex("05 00"));
}

TEST_F(PasswordStepTest, BadEntriesRefusedWithoutOpeningThePort) {
  for (const char* entry : {"", "   ", "12a4", "-", "99999999999"}) {
    auto step = Step(OperationMode::Reading);
    EXPECT_FALSE(step.Accept(entry)) << entry;
    EXPECT_EQ(step.Code(), PasswordCode::BadEntry);
  }
  EXPECT_EQ(channel.Opens(), 0);
  EXPECT_EQ(messages.shown.size(), 5u);
  EXPECT_EQ(messages.shown[0], Shown("Ошибка пароля!!!"_cp)[0]);
}

TEST_F(PasswordStepTest, WritingNeedsTheIdenticalText) {
  lastText = "1234";
  auto step = Step(OperationMode::Writing);
  EXPECT_FALSE(step.Accept("12 34"));
  EXPECT_FALSE(step.Accept("1234 "));
  EXPECT_EQ(channel.Opens(), 0);
  EXPECT_EQ(messages.shown.size(), 2u);
  ASSERT_TRUE(step.Accept("1234"));
  Run(step);
  EXPECT_TRUE(step.Accepted());
  EXPECT_EQ(step.Mode(), OperationMode::Writing);
}

TEST_F(PasswordStepTest, RejectedByTheRecorder) {
  recorder.rejectPassword = true;
  auto step = Step(OperationMode::Reading);
  ASSERT_TRUE(step.Accept("77"));
  Run(step);
  EXPECT_EQ(step.Code(), PasswordCode::Rejected);
  EXPECT_FALSE(channel.IsOpen());
  EXPECT_EQ(messages.shown, Shown("Ошибка пароля!!!"_cp));
  EXPECT_EQ(lastText, "77");
}

TEST_F(PasswordStepTest, RefusalInPiecesIsARefusal) {
  recorder.rejectPassword = true;
  recorder.pieceSize = 1;  // 80, 01, 7F, FF
  auto step = Step(OperationMode::Reading);
  ASSERT_TRUE(step.Accept("77"));
  for (int i = 0; i < 6; ++i) step.Tick();
  ASSERT_EQ(channel.Writes().size(), 1u);
  channel.Pump(1);
  step.Tick();  // one byte in: the reply is taken, but not yet judged
  EXPECT_TRUE(protocol.ReplyComplete());
  EXPECT_TRUE(step.Waiting());
  channel.Pump();
  step.Tick();
  step.Tick();
  EXPECT_EQ(step.Code(), PasswordCode::Rejected);
  EXPECT_EQ(messages.shown, Shown("Ошибка пароля!!!"_cp));
}

TEST_F(PasswordStepTest, BytesStillComingHoldTheSend) {
  // The tail of an earlier exchange's reply straddles the moment of the send:
  // it must not pass for the reply to the password.
  recorder.silent = true;
  auto step = Step(OperationMode::Writing);
  lastText = "1";
  ASSERT_TRUE(step.Accept("1"));
  for (int i = 0; i < 5; ++i) step.Tick();
  channel.Deliver(Hex("00"));
  step.Tick();
  EXPECT_TRUE(channel.Writes().empty());
  channel.Deliver(Hex("00 00"));
  step.Tick();
  EXPECT_TRUE(channel.Writes().empty());
  step.Tick();  // a quiet tick: sent
  EXPECT_EQ(channel.Writes().size(), 1u);
  Run(step);
  EXPECT_EQ(step.Code(), PasswordCode::NoReply);
}

TEST_F(PasswordStepTest, LineThatNeverGoesQuietIsNoRecorder) {
  auto step = Step(OperationMode::Reading);
  ASSERT_TRUE(step.Accept("1"));
  int ticks = 0;
  while (step.Waiting() && ticks < 200) {
    channel.Deliver(Hex("55"));
    step.Tick();
    ++ticks;
  }
  EXPECT_EQ(ticks, 50);
  EXPECT_TRUE(channel.Writes().empty());
  EXPECT_EQ(step.Code(), PasswordCode::NoReply);
  EXPECT_FALSE(channel.IsOpen());
}

TEST_F(PasswordStepTest, FourByteAnswerWithoutTheFlagIsAcceptance) {
  recorder.replyOverride[3] = Hex("00 01 02 03");
  auto step = Step(OperationMode::Reading);
  ASSERT_TRUE(step.Accept("77"));
  Run(step);
  EXPECT_TRUE(step.Accepted());
}

TEST_F(PasswordStepTest, SilentRecorderAfterFortyFiveTicks) {
  recorder.silent = true;
  auto step = Step(OperationMode::Reading);
  ASSERT_TRUE(step.Accept("1"));
  const int ticks = Run(step);
  // 5 before the send, the send, 45 waiting, the failing tick.
  EXPECT_EQ(ticks, 5 + 1 + 45 + 1);
  EXPECT_EQ(step.Code(), PasswordCode::NoReply);
  EXPECT_FALSE(channel.IsOpen());
  EXPECT_EQ(messages.shown, Shown("Ошибка нет связи с прибором!!!"_cp));
  // The operator presses "Да" again.
  recorder.silent = false;
  ASSERT_TRUE(step.Accept("1"));
  Run(step);
  EXPECT_TRUE(step.Accepted());
}

TEST_F(PasswordStepTest, PortThatWillNotOpen) {
  channel.SetOpenFails("COM2", true);
  auto step = Step(OperationMode::Reading);
  EXPECT_FALSE(step.Accept("1"));
  EXPECT_EQ(step.Code(), PasswordCode::PortFailed);
  EXPECT_EQ(messages.shown, Shown("Ошибка порта!!!"_cp));
  EXPECT_TRUE(lastText.empty());
}

TEST_F(PasswordStepTest, PortLostBeforeTheSend) {
  auto step = Step(OperationMode::Reading);
  ASSERT_TRUE(step.Accept("1"));
  probe.SetPresent("COM2", false);
  const int ticks = Run(step);
  EXPECT_EQ(ticks, 5 + 1 + 1 + 1);  // the first waiting tick sees the port error
  EXPECT_EQ(step.Code(), PasswordCode::NoReply);
  EXPECT_EQ(messages.shown, Shown("Ошибка нет связи с прибором!!!"_cp));
  EXPECT_TRUE(channel.Writes().empty());
}

TEST_F(PasswordStepTest, CancelStopsTheExchange) {
  auto step = Step(OperationMode::Reading);
  ASSERT_TRUE(step.Accept("1"));
  step.Cancel();
  for (int i = 0; i < 10; ++i) step.Tick();
  EXPECT_TRUE(channel.Writes().empty());
  EXPECT_EQ(step.Code(), PasswordCode::Cancelled);
  EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
}  // namespace zt::link
