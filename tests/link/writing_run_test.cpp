#include "link/writing_run.h"

#include <gtest/gtest.h>

#include <array>

#include "core/cp1251.h"
#include "link/quiet_line.h"
#include "tests/link/hex.h"
#include "tests/link/link_fixture.h"

namespace zt::link {
namespace {

using fake::Hex;

class WritingRunTest : public ::testing::Test, protected fake::LinkFixture {
 protected:
  WritingRunTest() { protocol.OpenPort(); }
  WritingRun& Make(bool setClock) {
    run = std::make_unique<WritingRun>(protocol, messages, WriteParameters{"ABC", branch, meter, setClock});
    return *run;
  }
  int Run(WritingRun& r) {
    r.Start();
    return Drive([&] { r.Tick(); }, [&] { return !r.Running(); }, 1000);
  }
  // Start(), and the ticks of a quiet line up to the one that issues the first command.
  void StartOnAQuietLine(WritingRun& r) {
    r.Start();
    for (int i = 1; i < kQuietGuardTicks; ++i) r.Tick();
    ASSERT_EQ(r.Step(), kWriteQuietStep);
  }
  std::vector<std::string> Frames() const {
    std::vector<std::string> out;
    for (const auto& w : channel.Writes()) out.push_back(w.bytes);
    return out;
  }
  void ExpectShown(MessageKind kind, std::string_view text) {
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].first, kind);
    EXPECT_EQ(messages.shown[0].second, text);
  }

  std::string branch = std::string("Ветка-1"_cp);
  std::string meter;
  RecordingMessages messages;
  std::unique_ptr<WritingRun> run;
};

TEST_F(WritingRunTest, ThreeTextsWithoutTheClock) {
  auto& r = Make(false);
  Run(r);
  EXPECT_EQ(r.Code(), WriteCode::Written);
  EXPECT_EQ(r.Gauge(), 4);
  const std::vector<std::string> expected = {
      Hex("80 84 41 42 43") + std::string(27, ' ') + Hex("00 00 D6 FA"),
      FrameChecksum(Hex("80 85") + branch + std::string(23, ' ') + Hex("00 00")),
      FrameChecksum(Hex("80 86") + std::string(30, ' ') + Hex("00 00")),
  };
  EXPECT_EQ(Frames(), expected);
  ExpectShown(MessageKind::Information, "Запись норма"_cp);
  EXPECT_TRUE(channel.IsOpen());  // the next password step uses it
}

TEST_F(WritingRunTest, ClockFirstWhenAskedFor) {
  clock.Set(LocalDateTime{2024, 3, 5, 14, 7, 42});
  auto& r = Make(true);
  Run(r);
  EXPECT_EQ(r.Code(), WriteCode::Written);
  const auto frames = Frames();
  ASSERT_EQ(frames.size(), 4u);
  EXPECT_EQ(frames[0], Hex("80 21 80 21 F8 07 0E 05 03 18 91 FD"));
  EXPECT_EQ(frames[1].substr(0, 2), Hex("80 84"));
  EXPECT_EQ(frames[3].substr(0, 2), Hex("80 86"));
  EXPECT_EQ(r.Gauge(), 4);
}

TEST_F(WritingRunTest, LongTextsCut) {
  branch = std::string(45, 'B');
  auto& r = Make(false);
  Run(r);
  ASSERT_EQ(Frames().size(), 3u);
  EXPECT_EQ(Frames()[1].substr(2, 30), std::string(30, 'B'));
  EXPECT_EQ(Frames()[1].size(), 36u);
}

TEST_F(WritingRunTest, RecorderErrorShownAfterThirtyTicks) {
  recorder.replyOverride[6] = Hex("80 08 78 FF");
  auto& r = Make(false);
  r.Start();
  int sentAt = -1;
  int tick = 0;
  while (r.Running() && tick < 200) {
    r.Tick();
    channel.Pump();
    ++tick;
    if (sentAt < 0 && channel.Writes().size() == 2) sentAt = tick;
  }
  EXPECT_EQ(tick - sentAt, 31);  // 30 waiting ticks, then the failing one
  EXPECT_EQ(r.Code(), WriteCode::DeviceError);
  EXPECT_EQ(Frames().size(), 2u);  // Write meter not sent
  ExpectShown(MessageKind::Error, std::string("Ошибка RS - "_cp) + std::string("ошибка записи во флеш"_cp));
}

TEST_F(WritingRunTest, WhatTheRecorderAcknowledged) {
  // Types 4 clock, 5 enterprise, 6 branch, 7 meter.
  const struct {
    const char* what;
    bool setClock, silent;
    int refused;  // the type answered with an error reply, or 0
    std::array<bool, 4> acknowledged;
  } cases[] = {
      {"all written", true, false, 0, {true, true, true, true}},
      {"the branch refused", false, false, 6, {true, true, false, false}},
      {"the enterprise refused", true, false, 5, {true, false, false, false}},
      {"silent, the clock sent", true, true, 0, {false, false, false, false}},
      {"silent, the clock skipped", false, true, 0, {true, false, false, false}},
  };
  for (const auto& c : cases) {
    recorder.silent = c.silent;
    recorder.replyOverride.clear();
    if (c.refused) recorder.replyOverride[c.refused] = Hex("80 08 78 FF");
    auto& r = Make(c.setClock);
    Run(r);
    for (std::uint16_t type = 4; type <= 7; ++type)
      EXPECT_EQ(r.Acknowledged(static_cast<CommandType>(type)), c.acknowledged[type - 4]) << c.what << " type " << type;
  }
}

TEST_F(WritingRunTest, SilentRecorder) {
  recorder.silent = true;
  auto& r = Make(true);
  Run(r);
  EXPECT_EQ(r.Code(), WriteCode::NoLink);
  EXPECT_EQ(Frames().size(), 1u);
  ExpectShown(MessageKind::Error, "Ошибка - связи с прибором!!!"_cp);
}

TEST_F(WritingRunTest, LostPortAfterAnErrorReply) {
  // The error text of the first write is cleared by the send that finds the port gone.
  bool first = true;
  channel.Attach("COM2", [&](std::string_view) -> std::vector<std::string> {
    if (!first) return {};
    first = false;
    return {Hex("80 04 7C FF"), Hex("00 00 00")};
  });
  auto& r = Make(false);
  StartOnAQuietLine(r);
  r.Tick();  // clock skipped
  r.Tick();
  r.Tick();  // enterprise sent
  channel.Pump(1);
  EXPECT_FALSE(protocol.DeviceErrorText().empty());
  probe.SetPresent("COM2", false);
  channel.Pump();  // acknowledged after all: the branch is due, but the port is gone
  EXPECT_TRUE(protocol.PortError());
  EXPECT_TRUE(protocol.DeviceErrorText().empty());
  Drive([&] { r.Tick(); }, [&] { return !r.Running(); }, 100);
  EXPECT_EQ(r.Code(), WriteCode::NoLink);
  ExpectShown(MessageKind::Error, "Ошибка - связи с прибором!!!"_cp);
}

TEST_F(WritingRunTest, StopWhileWaiting) {
  recorder.silent = true;
  auto& r = Make(false);
  r.Start();
  for (int i = 0; i < 4; ++i) r.Tick();
  r.RequestStop();
  r.Tick();
  EXPECT_EQ(r.Code(), WriteCode::Stopped);
  ExpectShown(MessageKind::Information, "Запись прервана"_cp);
}

TEST_F(WritingRunTest, StopSeenOnTheTickThatTakesAnAcknowledgement) {
  auto& r = Make(false);
  StartOnAQuietLine(r);
  r.Tick();  // clock skipped and counted acknowledged
  r.RequestStop();
  r.Tick();  // acknowledged, more to come, but stopped
  EXPECT_EQ(r.Code(), WriteCode::Stopped);
  EXPECT_TRUE(channel.Writes().empty());
  EXPECT_TRUE(r.Acknowledged(CommandType::SetClock));
  EXPECT_FALSE(r.Acknowledged(CommandType::WriteEnterprise));
}

TEST_F(WritingRunTest, FirstCommandGoesOutOnAQuietLine) {
  auto& r = Make(true);
  StartOnAQuietLine(r);
  EXPECT_TRUE(channel.Writes().empty());
  EXPECT_EQ(r.Gauge(), 0);
  r.Tick();
  ASSERT_EQ(Frames().size(), 1u);
  EXPECT_EQ(Frames()[0].substr(0, 2), Hex("80 21"));
  EXPECT_EQ(r.Gauge(), 1);
}

TEST_F(WritingRunTest, LateAcknowledgementOfThePasswordIsNotTheClocks) {
  // The recorder acknowledges nothing of this run; an acknowledgement that is
  // still on its way from the password step comes after the run started.
  recorder.silent = true;
  auto& r = Make(true);
  r.Start();
  for (int i = 0; i < 5; ++i) r.Tick();
  channel.Deliver(Hex("00"));
  r.Tick();
  channel.Deliver(Hex("00 00"));
  // The first command waits for a whole guard of quiet after the last byte.
  for (int i = 1; i < kQuietGuardTicks; ++i) r.Tick();
  EXPECT_TRUE(channel.Writes().empty());
  Drive([&] { r.Tick(); }, [&] { return !r.Running(); }, 1000);
  EXPECT_EQ(r.Code(), WriteCode::NoLink);
  EXPECT_EQ(Frames().size(), 1u);  // the clock, never acknowledged
  ExpectShown(MessageKind::Error, "Ошибка - связи с прибором!!!"_cp);
}

TEST_F(WritingRunTest, StopWhileWaitingForAQuietLine) {
  auto& r = Make(false);
  r.Start();
  r.Tick();
  r.RequestStop();
  r.Tick();
  EXPECT_EQ(r.Code(), WriteCode::Stopped);
  EXPECT_TRUE(channel.Writes().empty());
  ExpectShown(MessageKind::Information, "Запись прервана"_cp);
}

TEST_F(WritingRunTest, LineThatNeverGoesQuietIsNoLink) {
  auto& r = Make(false);
  r.Start();
  int ticks = 0;
  while (r.Running() && ticks < 1000) {
    channel.Deliver(Hex("00"));
    r.Tick();
    ++ticks;
  }
  EXPECT_EQ(ticks, kQuietWaitLimitTicks);
  EXPECT_EQ(r.Code(), WriteCode::NoLink);
  EXPECT_TRUE(channel.Writes().empty());
}

TEST_F(WritingRunTest, ClosingEndsSilently) {
  recorder.silent = true;
  auto& r = Make(false);
  r.Start();
  for (int i = 0; i < 5; ++i) r.Tick();
  r.Close();
  EXPECT_EQ(r.Code(), WriteCode::Closed);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_FALSE(r.Running());
}

}  // namespace
}  // namespace zt::link
