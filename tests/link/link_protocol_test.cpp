#include "link/link_protocol.h"

#include <gtest/gtest.h>

#include "core/cp1251.h"
#include "tests/link/hex.h"
#include "tests/link/link_fixture.h"

namespace zt::link {
namespace {

using fake::Hex;
using fake::RecorderReply;

class LinkProtocolTest : public ::testing::Test, protected fake::LinkFixture {
 protected:
  void SetUp() override {
    channel.Detach("COM2");  // the tests deliver by hand
    ASSERT_TRUE(protocol.OpenPort());
  }
};

std::string PageReply(char fill) { return RecorderReply(std::string(64, fill)); }

// One exchange: a command, then deliveries; `completeAt` is the delivery after
// which the reply must stand complete (-1: never).
struct ExchangeCase {
  const char* name;
  CommandType type;
  std::vector<std::string> deliveries;
  int completeAt;
  std::string_view errorText = {};
  bool rejected = false;
};

std::vector<ExchangeCase> ExchangeCases() {
  const std::string identify = RecorderReply(fake::IdentifyPayload(" Vorqel test", 1));
  std::string withInnerFf = std::string(1, '\0') + std::string(9, 'a') + std::string(1, '\xFF') + std::string(54, 'b');
  withInnerFf = FrameChecksum(withInnerFf);
  return {
      {"split 1+60+6", CommandType::Identify, {identify.substr(0, 1), identify.substr(1, 60), identify.substr(61)}, 2},
      {"66 of 67 bytes", CommandType::ReadPage, {PageReply('x').substr(0, 66)}, -1},
      {"leading FF dropped", CommandType::ReadPage, {"\xFF" + PageReply('x')}, 0},
      {"lone FF leaves the buffer empty", CommandType::ReadPage, {"\xFF", PageReply('x')}, 1},
      {"FF at the start of a later delivery kept", CommandType::ReadPage,
       {withInnerFf.substr(0, 10), withInnerFf.substr(10)}, 1},
      {"only one FF dropped", CommandType::ReadPage, {"\xFF\xFF" + PageReply('x')}, -1},
      {"reply of two pages merged", CommandType::ReadPage, {PageReply('x') + PageReply('y')}, -1},
      {"bad checksum", CommandType::ReadPage, {PageReply('x').substr(0, 66) + "\x01"}, -1},
      {"ack 00 00 00", CommandType::SetClock, {Hex("00 00 00")}, 0},
      {"ack 01 FF FF", CommandType::WriteEnterprise, {Hex("01 FF FF")}, 0},
      {"ack split", CommandType::WriteMeter, {Hex("00"), Hex("00 00")}, 1},
      {"ack too long", CommandType::WriteBranch, {Hex("00 00 00 00")}, -1},
      {"error reply to a write", CommandType::WriteBranch, {Hex("80 04 7C FF")}, -1, "неверный параметр"_cp},
      {"error byte arriving later", CommandType::WriteBranch, {Hex("80"), Hex("08")}, -1, "ошибка записи во флеш"_cp},
      {"error byte 20 judged as a reply", CommandType::WriteEnterprise, {Hex("80 20 60 FF")}, -1},
      {"error flag, unknown error byte", CommandType::WriteEnterprise, {Hex("80 80 FF")}, 0},
      {"password: any byte", CommandType::Password, {Hex("05")}, 0},
      {"password: 3-byte error", CommandType::Password, {Hex("80 01 7F")}, 0},
      {"password: 4-byte error rejects", CommandType::Password, {Hex("80 01 7F FF")}, 0, {}, true},
      {"password: 4-byte normal", CommandType::Password, {Hex("00 01 7F FF")}, 0},
      // Taken at its first byte, judged on all of it: a refusal in pieces is one.
      {"password: error in two pieces", CommandType::Password, {Hex("80"), Hex("01 7F FF")}, 0, {}, true},
      {"password: error and one byte more", CommandType::Password, {Hex("80 01 7F FF"), Hex("00")}, 0},
      {"password: acknowledgement in pieces", CommandType::Password, {Hex("00"), Hex("00 00")}, 0},
      {"Identify without the leading space", CommandType::Identify,
       {RecorderReply(fake::IdentifyPayload("Vorqel test", 1))}, -1},
  };
}

TEST(LinkProtocol, AccumulatesChecksAndDecodesReplies) {
  for (const auto& c : ExchangeCases()) {
    fake::LinkFixture f;
    f.channel.Detach("COM2");
    ASSERT_TRUE(f.protocol.OpenPort());
    f.protocol.SendCommand(c.type);
    for (std::size_t i = 0; i < c.deliveries.size(); ++i) {
      f.channel.Deliver(c.deliveries[i]);
      EXPECT_EQ(f.protocol.ReplyComplete(), static_cast<int>(i) >= c.completeAt && c.completeAt >= 0)
          << c.name << ", after delivery " << i;
    }
    EXPECT_EQ(f.protocol.DeviceErrorText(), c.errorText) << c.name;
    EXPECT_EQ(f.protocol.PasswordRejected(), c.rejected) << c.name;
    if (!c.errorText.empty()) {
      EXPECT_TRUE(f.protocol.State().replyBuffer.empty()) << c.name;
    }
  }
}

TEST_F(LinkProtocolTest, IdentifyGivesIdentificationAndFiveDigitSerial) {
  const std::string ident = " Vorqel MFR-12 v2.04 ABCDEFGHIJK";  // 32 characters
  ASSERT_EQ(ident.size(), 32u);
  EXPECT_EQ(protocol.IdentificationText(), "-\"-");
  EXPECT_EQ(protocol.SerialNumberText(), "-\"-");
  protocol.SendCommand(CommandType::Identify);
  channel.Deliver(RecorderReply(fake::IdentifyPayload(ident, 0x1000)));  // bytes 00 10
  ASSERT_TRUE(protocol.ReplyComplete());
  EXPECT_EQ(protocol.IdentificationText(), ident);
  EXPECT_EQ(protocol.SerialNumberText(), "04096");

  protocol.SendCommand(CommandType::Identify);
  channel.Deliver(RecorderReply(fake::IdentifyPayload(ident, 65535)));
  EXPECT_EQ(protocol.SerialNumberText(), "65535");
  protocol.SendCommand(CommandType::Identify);
  channel.Deliver(RecorderReply(fake::IdentifyPayload(ident, 7)));
  EXPECT_EQ(protocol.SerialNumberText(), "00007");
}

TEST_F(LinkProtocolTest, IdentifyWithoutMarkKeepsTheOldTexts) {
  protocol.SendCommand(CommandType::Identify);
  channel.Deliver(RecorderReply(fake::IdentifyPayload("Vorqel", 5)));
  EXPECT_FALSE(protocol.ReplyComplete());
  EXPECT_TRUE(protocol.ReplySeen());
  EXPECT_EQ(protocol.SerialNumberText(), "-\"-");
}

TEST_F(LinkProtocolTest, SendCommandStartsAFreshExchange) {
  protocol.SendCommand(CommandType::WriteBranch);
  channel.Deliver(Hex("80 04 7C FF"));
  channel.Deliver(Hex("00"));  // stays in the buffer
  EXPECT_EQ(protocol.ConsumeRetry(), 9);
  EXPECT_EQ(protocol.ConsumeRetry(), 8);
  protocol.Inputs().page = 511;
  protocol.SendCommand(CommandType::ReadPage);
  EXPECT_EQ(protocol.RetriesLeft(), 10);
  EXPECT_TRUE(protocol.State().replyBuffer.empty());
  EXPECT_TRUE(protocol.DeviceErrorText().empty());
  EXPECT_EQ(protocol.State().lastFrame, Hex("21 FF E0 FE"));
  EXPECT_EQ(protocol.State().commandType, CommandType::ReadPage);
  ASSERT_FALSE(channel.Writes().empty());
  EXPECT_EQ(channel.Writes().back().bytes, Hex("21 FF E0 FE"));
}

TEST_F(LinkProtocolTest, ResendRepeatsTheFrameAndKeepsRetries) {
  protocol.Inputs().page = 256;
  protocol.SendCommand(CommandType::ReadPage);
  protocol.ConsumeRetry();
  channel.Deliver(PageReply('x').substr(0, 20));
  protocol.Inputs().page = 3;  // Resend does not rebuild
  protocol.Resend();
  EXPECT_EQ(protocol.RetriesLeft(), 9);
  EXPECT_TRUE(protocol.State().replyBuffer.empty());
  ASSERT_EQ(channel.Writes().size(), 2u);
  EXPECT_EQ(channel.Writes()[1].bytes, Hex("21 00 DF FF"));
  channel.Deliver(PageReply('x'));
  EXPECT_TRUE(protocol.ReplyComplete());
}

TEST_F(LinkProtocolTest, ResendBeforeAnyCommandSendsNothing) {
  protocol.Resend();
  EXPECT_TRUE(channel.Writes().empty());
}

TEST_F(LinkProtocolTest, VanishedPortIsClosedAndFlagged) {
  probe.SetPresent("COM2", false);
  protocol.SendCommand(CommandType::Identify);
  EXPECT_TRUE(protocol.PortError());
  EXPECT_FALSE(channel.IsOpen());
  EXPECT_TRUE(channel.Writes().empty());
  // Nothing more goes out until the port is opened again.
  probe.SetPresent("COM2", true);
  protocol.SendCommand(CommandType::Identify);
  EXPECT_TRUE(channel.Writes().empty());
  protocol.ClosePort();  // does nothing: already closed
  EXPECT_EQ(channel.Closes(), 1);
  ASSERT_TRUE(protocol.OpenPort());
  EXPECT_FALSE(protocol.PortError());
  protocol.Resend();
  EXPECT_EQ(channel.Writes().size(), 1u);
}

TEST_F(LinkProtocolTest, OpenPortDrivesTheLinesAndReportsFailure) {
  EXPECT_FALSE(channel.Dtr());
  EXPECT_TRUE(channel.Rts());
  EXPECT_EQ(channel.Opens(), 1);
  EXPECT_TRUE(protocol.OpenPort());  // already open: not opened again
  EXPECT_EQ(channel.Opens(), 1);
  protocol.ClosePort();
  EXPECT_FALSE(channel.IsOpen());
  channel.SetOpenFails("COM2", true);
  EXPECT_FALSE(protocol.OpenPort());
  EXPECT_TRUE(protocol.PortError());
}

TEST_F(LinkProtocolTest, TrafficGoesToTheLog) {
  protocol.SendCommand(CommandType::SetClock);
  channel.Deliver(Hex("00"));
  channel.Deliver(Hex("00 00"));
  channel.RaiseEmptyEvent();
  constexpr Direction kIn = Direction::Received, kOut = Direction::Sent;
  const std::vector<std::pair<Direction, std::string>> expected = {
      {kOut, Hex("80 21 80 21 F8 07 0E 05 03 18 91 FD")},
      {kIn, Hex("00")},
      {kIn, ""},  // the accepted payload: none for an acknowledgement
      {kIn, Hex("00 00")},
      {kIn, ""},  // the empty delivery
  };
  EXPECT_EQ(log.entries, expected);
}

TEST_F(LinkProtocolTest, ShortWriteIsNotLogged) {
  channel.SetWritesFail(true);
  protocol.SendCommand(CommandType::Identify);
  EXPECT_TRUE(log.entries.empty());
  EXPECT_FALSE(protocol.PortError());
}

struct CountingActivity final : LinkActivity {
  void SendStep() override { ++sends; }
  void ReceiveStep() override { ++receives; }
  int sends = 0;
  int receives = 0;
};

struct RecordingObserver final : ExchangeObserver {
  void PageRequested() override { events.push_back("requested"); }
  bool StorePage(std::string_view page) override {
    events.push_back("store " + std::to_string(page.size()) + " " + std::string(1, page[0]));
    return false;
  }
  void ReplyCompleted() override { events.push_back(complete() ? "completed" : "completed?"); }
  std::function<bool()> complete;
  std::vector<std::string> events;
};

TEST_F(LinkProtocolTest, IndicatorsAndObserverHearEachStep) {
  CountingActivity activity;
  RecordingObserver observer;
  observer.complete = [this] { return protocol.ReplyComplete(); };
  protocol.SetActivity(&activity);
  protocol.SetObserver(&observer);
  protocol.SendCommand(CommandType::ReadPage);
  channel.Deliver(PageReply('q').substr(0, 30));
  channel.Deliver(PageReply('q').substr(30));
  protocol.SendCommand(CommandType::Identify);
  probe.SetPresent("COM2", false);
  protocol.Resend();  // not sent: no send step
  EXPECT_EQ(activity.sends, 2);
  EXPECT_EQ(activity.receives, 2);
  // The page store's answer does not hold the reply back.
  const std::vector<std::string> expected = {"requested", "store 64 q", "completed"};
  EXPECT_EQ(observer.events, expected);
  protocol.SetObserver(nullptr);
}

TEST_F(LinkProtocolTest, NothingIsTakenAfterTheReplyUntilTheNextSend) {
  RecordingObserver observer;
  observer.complete = [this] { return protocol.ReplyComplete(); };
  protocol.SetObserver(&observer);
  protocol.SendCommand(CommandType::ReadPage);
  channel.Deliver(PageReply('a'));
  // A second reply to the same request: dropped, however whole.
  channel.Deliver(PageReply('b'));
  EXPECT_TRUE(protocol.ReplyComplete());
  EXPECT_TRUE(protocol.State().replyBuffer.empty());
  protocol.Resend();
  channel.Deliver(PageReply('c'));
  const std::vector<std::string> expected = {"requested", "store 64 a", "completed", "store 64 c", "completed"};
  EXPECT_EQ(observer.events, expected);
  protocol.SetObserver(nullptr);

  protocol.SendCommand(CommandType::SetClock);
  channel.Deliver(Hex("00 00 00"));
  channel.Deliver(Hex("00"));
  EXPECT_TRUE(protocol.ReplyComplete());
  EXPECT_TRUE(protocol.State().replyBuffer.empty());
  // The next command starts clean: an acknowledgement of its own is needed.
  protocol.SendCommand(CommandType::WriteEnterprise);
  channel.Deliver(Hex("00 00"));
  EXPECT_FALSE(protocol.ReplyComplete());
}

TEST_F(LinkProtocolTest, AbandonedReplyTakesNothingUntilTheNextSend) {
  protocol.SendCommand(CommandType::ReadPage);
  channel.Deliver(PageReply('x').substr(0, 30));
  protocol.AbandonReply();
  EXPECT_TRUE(protocol.State().replyBuffer.empty());
  channel.Deliver(PageReply('x').substr(30));
  channel.Deliver(PageReply('x'));
  EXPECT_FALSE(protocol.ReplyComplete());
  EXPECT_TRUE(protocol.State().replyBuffer.empty());
  protocol.Resend();
  channel.Deliver(PageReply('x'));
  EXPECT_TRUE(protocol.ReplyComplete());
}

TEST_F(LinkProtocolTest, EveryByteReceivedIsCounted) {
  EXPECT_EQ(protocol.BytesReceived(), 0u);
  channel.Deliver(Hex("00 01"));  // before any command: dropped, still counted
  protocol.SendCommand(CommandType::SetClock);
  channel.Deliver("\xFF");        // dropped at the start of the reply, still counted
  channel.RaiseEmptyEvent();
  channel.Deliver(Hex("00 00 00"));
  EXPECT_TRUE(protocol.ReplyComplete());
  EXPECT_EQ(protocol.BytesReceived(), 6u);
}

TEST_F(LinkProtocolTest, ReplySeenSetOnlyForNonEmptyBuffers) {
  protocol.SendCommand(CommandType::Identify);
  channel.RaiseEmptyEvent();
  EXPECT_FALSE(protocol.ReplySeen());
  channel.Deliver("\xFF");
  EXPECT_FALSE(protocol.ReplySeen());
  channel.Deliver("\x01");
  EXPECT_TRUE(protocol.ReplySeen());
  protocol.SendCommand(CommandType::Identify);
  EXPECT_TRUE(protocol.ReplySeen());  // only the search clears it
  protocol.ClearReplySeen();
  EXPECT_FALSE(protocol.ReplySeen());
}

}  // namespace
}  // namespace zt::link
