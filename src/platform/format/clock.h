#pragma once

#include <chrono>

#include "platform/date.h"

namespace tockary {

// The one source of "now". Screens and rules take a Clock so that tests can fix the time.
class Clock {
 public:
  virtual ~Clock();
  virtual Date now() const = 0;
};

// The real time of the machine, truncated to milliseconds.
class SystemClock final : public Clock {
 public:
  Date now() const override;
};

// A clock that stands still until told otherwise. Starts at the given date (the epoch by default).
class FixedClock final : public Clock {
 public:
  explicit FixedClock(Date start = Date{}) : now_(start) {}
  Date now() const override { return now_; }
  void set(Date date) { now_ = date; }
  // Moves the clock by `step`, which may be negative.
  void advance(std::chrono::milliseconds step) { now_ += step; }

 private:
  Date now_;
};

}  // namespace tockary
