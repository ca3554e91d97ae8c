// A clock that stands still until the test moves it.
#pragma once

#include "platform/Clock.h"

class FakeClock : public Clock {
 public:
  /// Starts at 2025-03-01T09:30:05Z and 0.25 s, so whole-second rounding shows.
  FakeClock();

  TimePoint now() const override { return now_; }
  void set(TimePoint time) { now_ = time; }
  void advance(std::chrono::duration<double> by) {
    now_ += std::chrono::duration_cast<TimePoint::duration>(by);
  }

 private:
  TimePoint now_;
};
