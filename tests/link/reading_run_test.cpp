#include "link/reading_run.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>

#include "core/cp1251.h"
#include "core/sample_image.h"
#include "link/quiet_line.h"
#include "tests/link/hex.h"
#include "tests/link/link_fixture.h"
#include "tests/link/temp_folder.h"

namespace zt::link {
namespace {

using fake::TempFolder;

// Waiting, time-out, re-open, and the quiet line before the re-send.
constexpr int kTicksPerSend = 45 + 1 + 1 + kQuietGuardTicks;

class ReadingRunTest : public ::testing::Test, protected fake::LinkFixture {
 protected:
  ReadingRunTest() {
    recorder.image = GenerateSampleImage(11);
    TempFolder::Write(folder.Files().ImageFile(), kOldImage);
    protocol.OpenPort();  // the password step left it open
  }
  int Run(int limit = 100000) {
    run.Start();
    return Drive([&] { run.Tick(); }, [&] { return !run.Running(); }, limit);
  }
  std::string Image() const { return TempFolder::Read(folder.Files().ImageFile()); }
  void ExpectOldImageKept() {
    EXPECT_EQ(Image(), kOldImage);
    EXPECT_EQ(folder.WorkEntries(), 1u);  // no temporary left behind
  }
  void ExpectShown(MessageKind kind, std::string_view text) {
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].first, kind);
    EXPECT_EQ(messages.shown[0].second, text);
  }

  const std::string kOldImage = "an image read earlier";
  TempFolder folder;
  RecordingMessages messages;
  ReadingRun run{protocol, messages, folder.Files()};
};

TEST_F(ReadingRunTest, WholeMemoryIntoTheImageFile) {
  const int ticks = Run();
  EXPECT_EQ(run.Code(), ReadCode::Done);
  EXPECT_TRUE(run.DeviceRead());
  // Each page goes out as soon as the previous reply stands: no tick between pages.
  EXPECT_LE(ticks, 2);
  ASSERT_EQ(recorder.pagesRequested.size(), 512u);
  for (std::uint16_t p = 0; p < 512; ++p) EXPECT_EQ(recorder.pagesRequested[p], p);
  const std::string image = Image();
  ASSERT_EQ(image.size(), 32768u);
  EXPECT_TRUE(image == recorder.image);
  EXPECT_EQ(run.Gauge(), 511);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_FALSE(channel.IsOpen());
  EXPECT_EQ(folder.WorkEntries(), 1u);
  EXPECT_EQ(channel.Writes()[0].bytes, fake::Hex("20 00 E0 FF"));
  EXPECT_EQ(channel.Writes()[511].bytes, fake::Hex("21 FF E0 FE"));
}

TEST_F(ReadingRunTest, RepliesInPiecesGiveTheSameBytes) {
  recorder.pieceSize = 7;
  Run();
  EXPECT_EQ(run.Code(), ReadCode::Done);
  EXPECT_TRUE(Image() == recorder.image);
}

TEST_F(ReadingRunTest, NeverAnsweredPageGivesUpAfterTenSends) {
  recorder.silent = true;
  const int ticks = Run();
  EXPECT_EQ(run.Code(), ReadCode::NoReply);
  EXPECT_EQ(channel.Writes().size(), 10u);
  for (const auto& w : channel.Writes()) EXPECT_EQ(w.bytes, fake::Hex("20 00 E0 FF"));
  EXPECT_EQ(channel.Opens(), 1 + 9);
  EXPECT_EQ(ticks, 1 + 9 * kTicksPerSend + 45 + 1);
  EXPECT_EQ(run.Gauge(), 1);  // re-sends are not new requests
  ExpectShown(MessageKind::Error, "Ошибка чтения!!!"_cp);
  ExpectOldImageKept();
  EXPECT_FALSE(run.DeviceRead());
}

TEST_F(ReadingRunTest, MissedReplyAnsweredOnTheResend) {
  recorder.missOnce.insert(100);
  Run();
  EXPECT_EQ(run.Code(), ReadCode::Done);
  EXPECT_EQ(recorder.pagesRequested.size(), 513u);
  EXPECT_EQ(recorder.pagesRequested[100], 100);
  EXPECT_EQ(recorder.pagesRequested[101], 100);
  EXPECT_TRUE(Image() == recorder.image);
  EXPECT_EQ(channel.Opens(), 2);
}

TEST_F(ReadingRunTest, ErrorReplyEndsInTheRetryPath) {
  // Page 5 first draws an error reply, then the real page.
  bool erred = false;
  channel.Attach("COM2", [&](std::string_view frame) -> std::vector<std::string> {
    if (!erred && frame == fake::Hex("20 05 DB FF")) {
      erred = true;
      return {fake::Hex("80 10 70 FF")};
    }
    return recorder.Answer(frame);
  });
  Run();
  EXPECT_TRUE(erred);
  EXPECT_EQ(run.Code(), ReadCode::Done);
  EXPECT_TRUE(Image() == recorder.image);
  EXPECT_EQ(channel.Writes().size(), 513u);
}

TEST_F(ReadingRunTest, StopWhileWaiting) {
  recorder.silentFromPage = 200;
  run.Start();
  Drive([&] { run.Tick(); }, [&] { return run.Page() == 200; }, 10);
  run.Tick();
  run.RequestStop();
  EXPECT_TRUE(run.Running());
  run.Tick();  // takes effect on the next waiting tick
  EXPECT_EQ(run.Code(), ReadCode::Stopped);
  ExpectShown(MessageKind::Information, "Чтение прервано"_cp);
  EXPECT_FALSE(channel.IsOpen());
  ExpectOldImageKept();
}

TEST_F(ReadingRunTest, ClosingTheWindowStopsAtOnce) {
  recorder.silentFromPage = 3;
  run.Start();
  run.Tick();
  channel.Pump();
  run.Close();
  EXPECT_FALSE(run.Running());
  EXPECT_EQ(run.Code(), ReadCode::Stopped);
  ExpectShown(MessageKind::Information, "Чтение прервано"_cp);
  ExpectOldImageKept();
}

TEST_F(ReadingRunTest, PortVanishingBetweenPages) {
  channel.Attach("COM2", [&](std::string_view frame) {
    auto reply = recorder.Answer(frame);
    if (frame == fake::Hex("20 0A D6 FF")) probe.SetPresent("COM2", false);  // after page 10
    return reply;
  });
  Run();
  EXPECT_EQ(run.Code(), ReadCode::PortFailed);
  EXPECT_EQ(channel.Writes().size(), 11u);  // page 11 never sent
  EXPECT_TRUE(protocol.PortError());
  ExpectShown(MessageKind::Error, "Ошибка открытия порта RS!!!"_cp);
  ExpectOldImageKept();
}

TEST_F(ReadingRunTest, PortThatWillNotReopen) {
  recorder.silent = true;
  run.Start();
  for (int i = 0; i < 1 + 45 + 1; ++i) run.Tick();  // send, wait, time-out: port closed
  EXPECT_FALSE(channel.IsOpen());
  channel.SetOpenFails("COM2", true);
  run.Tick();
  EXPECT_EQ(run.Code(), ReadCode::PortFailed);
  ExpectShown(MessageKind::Error, "Ошибка открытия порта RS!!!"_cp);
  ExpectOldImageKept();
}

TEST_F(ReadingRunTest, LateReplyBeforeTheTimeOutCounts) {
  recorder.silentFromPage = 0;
  run.Start();
  for (int i = 0; i < 1 + 45; ++i) run.Tick();
  ASSERT_EQ(run.Step(), kReadTimeoutStep);
  channel.Deliver(fake::RecorderReply(recorder.image.substr(0, 64)));
  EXPECT_EQ(run.Page(), 1);
  EXPECT_EQ(channel.Writes().size(), 2u);
  EXPECT_EQ(channel.Opens(), 1);
}

// Files may grow only so far, as on a full disk; restored on leaving.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &saved_);
    previous_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved_;
    limited.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, previous_);
  }

 private:
  rlimit saved_{};
  void (*previous_)(int) = nullptr;
};

TEST_F(ReadingRunTest, FullDiskStopsTheRunAndKeepsTheOldImage) {
  {
    FileSizeLimit limit(64 * 20 + 10);
    Run();
  }
  EXPECT_EQ(run.Code(), ReadCode::FileFailed);
  EXPECT_EQ(recorder.pagesRequested.size(), 21u);  // the page that did not fit ends it
  ExpectShown(MessageKind::Error, "Ошибка открытия файла!!!"_cp);
  EXPECT_FALSE(channel.IsOpen());
  ExpectOldImageKept();
}

TEST(ReadingRunFiles, ImageFileThatCannotBeCreated) {
  fake::LinkFixture f;
  f.protocol.OpenPort();
  RecordingMessages messages;
  const WorkingFiles nowhere("/nonexistent/zetlogic");
  ReadingRun run(f.protocol, messages, nowhere);
  run.Start();
  EXPECT_TRUE(run.Finished());
  EXPECT_EQ(run.Code(), ReadCode::FileFailed);
  for (int i = 0; i < 5; ++i) run.Tick();
  EXPECT_TRUE(f.channel.Writes().empty());
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].second, "Ошибка открытия файла!!!"_cp);
  EXPECT_FALSE(f.channel.IsOpen());
}

}  // namespace
}  // namespace zt::link
