#include "app/shell/table_navigation.h"

#include <algorithm>

namespace zt::shell {
namespace {

std::size_t ClampToRecordRows(std::size_t rowCount, std::size_t row) {
  if (rowCount < 2) return 0;
  return std::clamp<std::size_t>(row, 1, rowCount - 1);
}

}  // namespace

std::size_t FirstRow(std::size_t rowCount) { return ClampToRecordRows(rowCount, 1); }

std::size_t LastRow(std::size_t rowCount) { return ClampToRecordRows(rowCount, rowCount - 1); }

std::size_t StepDown(std::size_t rowCount, std::size_t row) {
  return ClampToRecordRows(rowCount, row < rowCount - 1 ? row + 1 : row);
}

std::size_t StepUp(std::size_t rowCount, std::size_t row) {
  return ClampToRecordRows(rowCount, row > 1 ? row - 1 : row);
}

std::size_t CurrentRecordRow(std::size_t rowCount, std::uint16_t lastIndex) {
  return ClampToRecordRows(rowCount, std::size_t{lastIndex} + 1);
}

std::size_t ApplyStep(RowStep step, std::size_t rowCount, std::size_t row) {
  switch (step) {
    case RowStep::Up: return StepUp(rowCount, row);
    case RowStep::Down: return StepDown(rowCount, row);
    case RowStep::None: break;
  }
  return row;
}

void AutoRepeat::Press(RepeatButton button) {
  timerEnabled_ = true;
  stepDown_ = button == RepeatButton::Next;
  stepUp_ = button == RepeatButton::Prev;
}

void AutoRepeat::Release() {
  stepUp_ = false;
  stepDown_ = false;
}

void AutoRepeat::Clear() { Release(); }

RowStep AutoRepeat::Tick() {
  if (!timerEnabled_) return RowStep::None;
  if (stepUp_) return RowStep::Up;
  if (stepDown_) return RowStep::Down;
  timerEnabled_ = false;
  return RowStep::None;
}

RowStep AutoRepeat::Click(RepeatButton button) {
  return button == RepeatButton::Next ? RowStep::Down : RowStep::Up;
}

}  // namespace zt::shell
