// A reading in which one page is answered after its time-out, so that the
// late reply and the answer to the re-send both come, at chosen ticks. Every
// page of the recorder's memory differs from the next, so a reply taken for
// the wrong page shows in the image.
#include <gtest/gtest.h>

#include <map>
#include <optional>

#include "core/sample_image.h"
#include "link/quiet_line.h"
#include "link/reading_run.h"
#include "tests/link/link_fixture.h"
#include "tests/link/temp_folder.h"

namespace zt::link {
namespace {

using fake::RecorderReply;
using fake::TempFolder;

// The sample, each page opening with its own number.
std::string DistinctPages() {
  std::string image = GenerateSampleImage(5);
  for (std::size_t page = 0; page < kPagesToRead; ++page) {
    image[page * 64] = static_cast<char>(page >> 8);
    image[page * 64 + 1] = static_cast<char>(page & 0xFF);
  }
  return image;
}

// When page `page`'s replies arrive, in ticks after its first request.
struct LateScript {
  std::uint16_t page = 100;
  int lateAt = 0;                // the reply to the first request
  std::size_t headBytes = 67;    // ... of which only these come at lateAt
  int tailAt = 0;                // and the rest then
  int resendAnswerAt = 0;        // the reply to the first re-send; at once if it was sent later
  bool together = false;         // that reply in one delivery with the late one
};

// The steps of the run after a first request that is never answered in time:
// 45 waiting ticks, the time-out (tick 46), the re-open (47), the quiet line,
// the re-send.
constexpr int kResendTick = 47 + kQuietGuardTicks;

class LateReading : public fake::LinkFixture {
 public:
  explicit LateReading(LateScript script) : script_(script) {
    recorder.image = DistinctPages();
    TempFolder::Write(folder.Files().ImageFile(), "an earlier image");
    channel.Attach("COM2", [this](std::string_view frame) { return Answer(frame); });
    protocol.OpenPort();
  }

  ReadCode Run() {
    run.Start();
    for (tick_ = 1; run.Running() && tick_ < 20000; ++tick_) {
      run.Tick();
      if (const auto due = arrivals_.find(tick_); due != arrivals_.end()) {
        for (const std::string& bytes : due->second) channel.Deliver(bytes);
        arrivals_.erase(due);
      }
      channel.Pump();
    }
    return run.Code();
  }

  std::string Image() const { return TempFolder::Read(folder.Files().ImageFile()); }
  int SendsOfThePage() const { return sends_; }
  // Ticks after the page's first request at which the next page was requested.
  std::optional<int> NextPageAt() const { return nextPageAt_; }

 private:
  std::vector<std::string> Answer(std::string_view frame) {
    if (fake::FakeRecorder::Kind(frame) != 2) return recorder.Answer(frame);
    const auto page = static_cast<std::uint16_t>(((static_cast<unsigned char>(frame[0]) & 1) << 8) |
                                                 static_cast<unsigned char>(frame[1]));
    if (page == script_.page + 1 && !nextPageAt_) nextPageAt_ = tick_ - firstRequest_;
    if (page != script_.page) return recorder.Answer(frame);
    const std::string reply = RecorderReply(recorder.image.substr(page * 64u, 64));
    ++sends_;
    if (sends_ == 1) {
      firstRequest_ = tick_;
      const int tailAt = script_.headBytes < reply.size() ? script_.tailAt : script_.lateAt;
      Schedule(script_.lateAt, reply.substr(0, script_.headBytes));
      if (script_.headBytes < reply.size()) Schedule(tailAt, reply.substr(script_.headBytes));
      return {};
    }
    if (sends_ == 2) {
      if (script_.together)
        arrivals_[firstRequest_ + script_.lateAt].back() += reply;
      else
        Schedule(std::max(script_.resendAnswerAt, tick_ - firstRequest_), reply);
      return {};
    }
    return {reply};
  }
  void Schedule(int afterFirstRequest, std::string bytes) {
    arrivals_[firstRequest_ + afterFirstRequest].push_back(std::move(bytes));
  }

  LateScript script_;
  TempFolder folder;
  RecordingMessages messages;
  ReadingRun run{protocol, messages, folder.Files()};
  std::map<int, std::vector<std::string>> arrivals_;
  int tick_ = 0;
  int firstRequest_ = 0;
  int sends_ = 0;
  std::optional<int> nextPageAt_;
};

TEST(ReadingLateReplies, EachInterleavingStoresEveryPageInItsPlace) {
  const struct {
    const char* name;
    LateScript script;
    int sends;  // of the late page
  } cases[] = {
      {"late reply still inside the wait", {100, 40}, 1},
      {"late reply lost while the port is closed", {100, 46}, 2},
      {"late reply in the quiet wait before the re-send", {100, 55}, 2},
      {"late reply after the re-send, its answer right behind", {100, 70, 67, 0, 70}, 2},
      {"late reply after the re-send, its answer in the guard window", {100, 70, 67, 0, 85}, 2},
      {"re-send answered first, the late reply in the guard window", {100, 75}, 2},
      {"both replies in one delivery", {100, 70, 67, 0, 0, true}, 3},
      {"late reply cut by the time-out", {100, 44, 30, 48}, 2},
      {"late reply past the re-send's own wait", {100, 120, 67, 0, 120}, 3},
      {"page 0", {0, 70, 67, 0, 72}, 2},
      {"page 511, the last", {511, 70, 67, 0, 70}, 2},
  };
  for (const auto& c : cases) {
    LateReading reading(c.script);
    EXPECT_EQ(reading.Run(), ReadCode::Done) << c.name;
    EXPECT_TRUE(reading.Image() == reading.recorder.image) << c.name;
    EXPECT_EQ(reading.SendsOfThePage(), c.sends) << c.name;
  }
}

// A byte arriving between two ticks is seen on the second; from there the
// line has to stay quiet for the guard.
constexpr int SeenAndGuarded(int arrival) { return arrival + 1 + kQuietGuardTicks; }

TEST(ReadingLateReplies, NextPageWaitsForTheGuardAfterTheLastByte) {
  // The late reply at 70 is taken; the re-send's answer at 85 is dropped and
  // starts the guard again.
  LateReading reading({100, 70, 67, 0, 85});
  ASSERT_EQ(reading.Run(), ReadCode::Done);
  EXPECT_EQ(reading.NextPageAt(), SeenAndGuarded(85));
}

TEST(ReadingLateReplies, ResendGoesOutOnAQuietLine) {
  // Nothing after the time-out: the re-send a guard after the re-open, its
  // answer at once, the next page a guard after that.
  LateReading lost({100, 46});
  ASSERT_EQ(lost.Run(), ReadCode::Done);
  EXPECT_EQ(lost.NextPageAt(), kResendTick + kQuietGuardTicks);
  // The late reply comes while the re-send waits: dropped, and the wait starts over.
  LateReading late({100, 55});
  ASSERT_EQ(late.Run(), ReadCode::Done);
  EXPECT_EQ(late.NextPageAt(), SeenAndGuarded(55) + kQuietGuardTicks);
}

TEST(ReadingLateReplies, ReplyToAnEarlierSendIsNeverTakenForTheNextPage) {
  // Every tick at which the late reply may come, with the re-send's answer
  // following it by up to one tick less than the guard.
  for (int lateAt = 40; lateAt <= 130; lateAt += 3) {
    for (int gap : {0, 1, 7, kQuietGuardTicks - 1}) {
      LateReading reading({200, lateAt, 67, 0, lateAt + gap});
      const ReadCode code = reading.Run();
      EXPECT_EQ(code, ReadCode::Done) << lateAt << " + " << gap;
      EXPECT_TRUE(reading.Image() == reading.recorder.image) << lateAt << " + " << gap;
    }
  }
}

}  // namespace
}  // namespace zt::link
