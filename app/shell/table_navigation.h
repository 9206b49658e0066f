// Moving the current row of an archive table. Row 0 is the title row and is
// never selected; rows 1 .. rowCount - 1 hold records. A table without record
// rows (rowCount < 2) has only row 0 to offer.
#pragma once

#include <cstddef>
#include <cstdint>

namespace zt::shell {

// bFirst.
std::size_t FirstRow(std::size_t rowCount);
// bLast.
std::size_t LastRow(std::size_t rowCount);
// bNext: one row down, staying on the last row.
std::size_t StepDown(std::size_t rowCount, std::size_t row);
// bPrev: one row up, staying on row 1.
std::size_t StepUp(std::size_t rowCount, std::size_t row);
// bCurr: the row of the newest record, last index + 1. An index beyond the
// table (a checksummed parameter block may hold one) selects the last row.
std::size_t CurrentRecordRow(std::size_t rowCount, std::uint16_t lastIndex);

enum class RowStep { None, Up, Down };
enum class RepeatButton { Next, Prev };

// Where a step leaves the current row.
std::size_t ApplyStep(RowStep step, std::size_t rowCount, std::size_t row);

// The auto-repeat of bNext and bPrev with the 150 ms timer tKlav_PN. The host
// enables the timer when TimerEnabled() turns true after Press, calls Tick on
// each timer event and stops the timer once TimerEnabled() is false. The
// button's click (the release that ends a press) makes one step of its own.
class AutoRepeat {
 public:
  static constexpr int kIntervalMs = 150;

  // Mouse button pressed on bNext (step down) or bPrev (step up).
  void Press(RepeatButton button);
  // Mouse button released on either: both flags cleared; the timer stops at
  // its next tick.
  void Release();
  // Both flags cleared at once, as when the main window is prepared.
  void Clear();
  // A timer event: the step to take; None disables the timer.
  RowStep Tick();
  // The click that ends a press.
  static RowStep Click(RepeatButton button);

  bool TimerEnabled() const { return timerEnabled_; }
  bool StepUpSet() const { return stepUp_; }
  bool StepDownSet() const { return stepDown_; }

 private:
  bool stepUp_ = false;
  bool stepDown_ = false;
  bool timerEnabled_ = false;
};

}  // namespace zt::shell
