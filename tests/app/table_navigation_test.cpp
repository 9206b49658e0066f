#include "app/shell/table_navigation.h"

#include <gtest/gtest.h>

#include <vector>

namespace zt::shell {
namespace {

constexpr std::size_t kTimeRows = 2049;
constexpr std::size_t kOperRows = 1537;

TEST(TableNavigation, FirstAndLast) {
  EXPECT_EQ(FirstRow(kTimeRows), 1u);
  EXPECT_EQ(LastRow(kTimeRows), 2048u);
  EXPECT_EQ(LastRow(kOperRows), 1536u);
  EXPECT_EQ(FirstRow(2), 1u);
  EXPECT_EQ(LastRow(2), 1u);
  // No record rows: nothing but the title row.
  EXPECT_EQ(FirstRow(1), 0u);
  EXPECT_EQ(LastRow(0), 0u);
}

TEST(TableNavigation, Steps) {
  const struct {
    std::size_t rows, row, down, up;
  } cases[] = {
      {kTimeRows, 1, 2, 1},          // StepUp on row 1 changes nothing
      {kTimeRows, 2, 3, 1},
      {kTimeRows, 2048, 2048, 2047},  // StepDown on the last row changes nothing
      {kTimeRows, 2047, 2048, 2046},
      {kOperRows, 1536, 1536, 1535},
      {kTimeRows, 0, 1, 1},          // nothing selected yet
      {kTimeRows, 5000, 2048, 2048},  // a row beyond the table comes back into it
      {2, 1, 1, 1},
      {1, 0, 0, 0},
      {0, 0, 0, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(StepDown(c.rows, c.row), c.down) << c.rows << " " << c.row;
    EXPECT_EQ(StepUp(c.rows, c.row), c.up) << c.rows << " " << c.row;
  }
}

TEST(TableNavigation, CurrentRecordRow) {
  const struct {
    std::size_t rows;
    std::uint16_t lastIndex;
    std::size_t row;
  } cases[] = {
      {kTimeRows, 0, 1},  // before the first load
      {kTimeRows, 9, 10},
      {kTimeRows, 2047, 2048},
      {kTimeRows, 2048, 2048},  // beyond the table: the last row
      {kTimeRows, 65535, 2048},
      {kOperRows, 1535, 1536},
      {kOperRows, 1536, 1536},
      {1, 5, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(CurrentRecordRow(c.rows, c.lastIndex), c.row) << c.lastIndex;
}

// Mouse and timer events on bNext/bPrev, as the window delivers them.
enum class Event { PressNext, PressPrev, Tick, Release, ClickNext, ClickPrev };

struct Outcome {
  std::size_t row;
  bool timerEnabled;
};

Outcome RunEvents(std::size_t row, const std::vector<Event>& events) {
  AutoRepeat repeat;
  for (Event e : events) {
    RowStep step = RowStep::None;
    switch (e) {
      case Event::PressNext: repeat.Press(RepeatButton::Next); break;
      case Event::PressPrev: repeat.Press(RepeatButton::Prev); break;
      case Event::Tick:
        if (repeat.TimerEnabled()) step = repeat.Tick();
        break;
      case Event::Release: repeat.Release(); break;
      case Event::ClickNext: step = AutoRepeat::Click(RepeatButton::Next); break;
      case Event::ClickPrev: step = AutoRepeat::Click(RepeatButton::Prev); break;
    }
    row = ApplyStep(step, kTimeRows, row);
  }
  return {row, repeat.TimerEnabled()};
}

TEST(AutoRepeat, HeldButtonStepsEveryTickPlusTheClick) {
  using E = Event;
  const struct {
    const char* what;
    std::size_t start;
    std::vector<Event> events;
    std::size_t row;
    bool timerOn;
  } cases[] = {
      {"short click", 10, {E::PressNext, E::Release, E::ClickNext}, 11, true},
      {"short click, then the timer's tick stops it", 10, {E::PressNext, E::Release, E::ClickNext, E::Tick}, 11, false},
      {"held for three ticks", 10, {E::PressNext, E::Tick, E::Tick, E::Tick, E::Release, E::ClickNext, E::Tick}, 14,
       false},
      {"held prev", 10, {E::PressPrev, E::Tick, E::Tick, E::Release, E::ClickPrev}, 7, true},
      {"held prev stops at row 1", 3, {E::PressPrev, E::Tick, E::Tick, E::Tick, E::Release, E::ClickPrev}, 1, true},
      {"held next stops at the last row", 2046, {E::PressNext, E::Tick, E::Tick, E::Tick, E::Release, E::ClickNext},
       2048, true},
      // Released off the button: no click, so no extra step.
      {"released elsewhere", 10, {E::PressNext, E::Tick, E::Release, E::Tick}, 11, false},
      {"pressing prev takes over from next", 10, {E::PressNext, E::Tick, E::PressPrev, E::Tick, E::Tick}, 9, true},
      {"ticks of a stopped timer do nothing", 10, {E::Tick, E::Tick}, 10, false},
  };
  for (const auto& c : cases) {
    const Outcome o = RunEvents(c.start, c.events);
    EXPECT_EQ(o.row, c.row) << c.what;
    EXPECT_EQ(o.timerEnabled, c.timerOn) << c.what;
  }
}

TEST(AutoRepeat, AtMostOneFlagIsSet) {
  AutoRepeat repeat;
  repeat.Press(RepeatButton::Next);
  EXPECT_TRUE(repeat.StepDownSet());
  EXPECT_FALSE(repeat.StepUpSet());
  repeat.Press(RepeatButton::Prev);
  EXPECT_TRUE(repeat.StepUpSet());
  EXPECT_FALSE(repeat.StepDownSet());
  repeat.Clear();
  EXPECT_FALSE(repeat.StepUpSet());
  EXPECT_FALSE(repeat.StepDownSet());
  EXPECT_EQ(repeat.Tick(), RowStep::None);
  EXPECT_FALSE(repeat.TimerEnabled());
}

}  // namespace
}  // namespace zt::shell
