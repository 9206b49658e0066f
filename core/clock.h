// The PC's local clock, behind an interface so that tests can set the time.
#pragma once

namespace zt {

struct LocalDateTime {
  int year = 2000;
  int month = 1;   // 1..12
  int day = 1;     // 1..31
  int hour = 0;    // 0..23
  int minute = 0;  // 0..59
  int second = 0;  // 0..59
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalDateTime Now() const = 0;
};

class SystemClock final : public Clock {
 public:
  LocalDateTime Now() const override;
};

// A clock that shows whatever it was set to.
class FixedClock final : public Clock {
 public:
  explicit FixedClock(LocalDateTime t) : t_(t) {}
  void Set(LocalDateTime t) { t_ = t; }
  LocalDateTime Now() const override { return t_; }

 private:
  LocalDateTime t_;
};

}  // namespace zt
